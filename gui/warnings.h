#pragma once

#include <QString>

class QWidget;

// Where the windows send the conditions the user must correct. The program
// shows each as a modal warning box; tests record the texts instead.
class Warner {
 public:
  virtual ~Warner() = default;
  virtual void warn(QWidget* parent, const QString& text) = 0;
};

// A modal box with the exclamation icon, a single OK button and the program's
// default title (the application name).
class MessageBoxWarner : public Warner {
 public:
  void warn(QWidget* parent, const QString& text) override;
};
