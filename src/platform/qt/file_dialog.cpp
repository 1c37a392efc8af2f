#include "platform/qt/file_dialog.h"

#include <QFile>
#include <QFileDialog>

#include "platform/codepage.h"

namespace ondrix::platform::qt {

QStringList qtFileFilters(std::string_view filter) {
  const QStringList parts = QString::fromStdString(cp1252ToUtf8(filter)).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns.isEmpty()) continue;
    entries << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns);
  }
  return entries;
}

std::optional<std::string> runFileDialog(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog dialog(parent, request.title, request.folder);
  const bool open = request.kind == FileChoice::Open;
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (const QStringList filters = qtFileFilters(request.filter); !filters.isEmpty()) dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

}  // namespace ondrix::platform::qt
