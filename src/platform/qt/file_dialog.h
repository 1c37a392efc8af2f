#pragma once
// File dialogs. The system writes filters as pairs of description and patterns separated by "|"
// ("Ondrix Script files|*.oxs|All files|*.*", several patterns of one pair joined by ";"); Qt's
// file dialog wants one "Description (patterns)" entry per pair.

#include <QStringList>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"

namespace ondrix::platform::qt {

// A trailing description without patterns is dropped; an empty filter gives no entries.
QStringList qtFileFilters(std::string_view filter);

struct FileDialogRequest {
  FileChoice kind = FileChoice::Open;
  QString title;          // empty: Qt's own
  QString folder;         // empty: the current folder
  std::string_view filter;
  QString defaultSuffix;  // without the dot; added to a name typed without one
};

// Runs the dialog modally; the chosen name as the file system knows it (so that the file opens
// whatever its characters), or nothing when cancelled.
std::optional<std::string> runFileDialog(QWidget* parent, const FileDialogRequest& request);

}  // namespace ondrix::platform::qt
