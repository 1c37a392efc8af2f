#pragma once
// File dialog filters. The system writes them as pairs of description and patterns separated by
// "|" ("Ondrix Script files|*.oxs|All files|*.*", several patterns of one pair joined by ";");
// Qt's file dialog wants one "Description (patterns)" entry per pair.

#include <QStringList>
#include <string_view>

namespace ondrix::platform::qt {

// A trailing description without patterns is dropped; an empty filter gives no entries.
QStringList qtFileFilters(std::string_view filter);

}  // namespace ondrix::platform::qt
