#include "warnings.h"

#include <QCoreApplication>
#include <QMessageBox>

void MessageBoxWarner::warn(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, QCoreApplication::applicationName(), text, QMessageBox::Ok);
}
