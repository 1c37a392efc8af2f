#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/codepage.h"
#include "platform/qt/file_dialog.h"

namespace ondrix::platform::qt {

namespace {

QString uiText(std::string_view text) { return QString::fromStdString(cp1252ToUtf8(text)); }

}  // namespace

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
  QMessageBox box(icon, uiText(caption), uiText(text), set, QApplication::activeWindow());
  switch (box.exec()) {
    case QMessageBox::Cancel: return MessageResult::Cancel;
    case QMessageBox::Yes: return MessageResult::Yes;
    case QMessageBox::No: return MessageResult::No;
    default: return MessageResult::Ok;
  }
}

void QtDialogs::showMessage(std::string_view text, std::optional<std::pair<int, int>> position) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), uiText(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  if (position) box.move(position->first, position->second);  // kept: the box is not centred then
  box.exec();
}

std::optional<std::string> QtDialogs::inputText(std::string_view caption, std::string_view prompt,
                                                std::string_view initial) {
  QInputDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(uiText(caption));
  dialog.setLabelText(uiText(prompt));
  dialog.setTextValue(uiText(initial));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return utf8ToCp1252(dialog.textValue().toStdString());
}

std::optional<std::string> QtDialogs::chooseFile(FileChoice kind, std::string_view folder, std::string_view filter) {
  const QString start = QFile::decodeName(QByteArray(folder.data(), static_cast<qsizetype>(folder.size())));
  return runFileDialog(QApplication::activeWindow(), {kind, QString(), start, filter, QString()});
}

}  // namespace ondrix::platform::qt
