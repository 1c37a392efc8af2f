#include "platform/qt/file_filter.h"

#include "platform/codepage.h"

namespace ondrix::platform::qt {

QStringList qtFileFilters(std::string_view filter) {
  const QStringList parts =
      QString::fromStdString(cp1252ToUtf8(filter)).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns.isEmpty()) continue;
    entries << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns);
  }
  return entries;
}

}  // namespace ondrix::platform::qt
