#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/codepage.h"

namespace ondrix::platform::qt {

void QtBeeper::beep() { QApplication::beep(); }

MessageResult QtDialogs::messageBox(std::string_view text, std::string_view caption, MessageStyle style,
                                    MessageButtons buttons) {
  QMessageBox::Icon icon = QMessageBox::Information;
  if (style == MessageStyle::Warning) icon = QMessageBox::Warning;
  if (style == MessageStyle::Error) icon = QMessageBox::Critical;
  if (style == MessageStyle::Confirmation) icon = QMessageBox::Question;
  QMessageBox::StandardButtons set = QMessageBox::Ok;
  if (buttons == MessageButtons::OkCancel) set = QMessageBox::Ok | QMessageBox::Cancel;
  if (buttons == MessageButtons::YesNo) set = QMessageBox::Yes | QMessageBox::No;
  if (buttons == MessageButtons::YesNoCancel) set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  QMessageBox box(icon, QString::fromStdString(cp1252ToUtf8(caption)),
                  QString::fromStdString(cp1252ToUtf8(text)), set, QApplication::activeWindow());
  switch (box.exec()) {
    case QMessageBox::Cancel: return MessageResult::Cancel;
    case QMessageBox::Yes: return MessageResult::Yes;
    case QMessageBox::No: return MessageResult::No;
    default: return MessageResult::Ok;
  }
}

}  // namespace ondrix::platform::qt
