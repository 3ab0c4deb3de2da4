#pragma once

#include <QWidget>

class PictureBox;
class QLabel;
class QListWidget;
class QPushButton;

// The source listing window: the engine's source text, one numbered line per
// entry of List1. Closing it (Command1 or the frame) only hides it; the next
// fill rebuilds the list from line 1.
class Form2 : public QWidget {
  Q_OBJECT

 public:
  explicit Form2(QWidget* parent = nullptr);

  // Replaces the entries of List1 with the numbered lines of `file`. Returns
  // an empty string on success. Otherwise List1 is left empty, so that stale
  // text is never shown as the current file, and the message names the file.
  QString FillListing(const QString& file);

  QLabel* Label1;         // heading
  QLabel* Label3;         // name of the listed file
  QListWidget* List1;     // the numbered source lines
  QLabel* Label2;         // note below the list
  QPushButton* Command1;  // 閉じる
  PictureBox* Picture2;   // decorative
};
