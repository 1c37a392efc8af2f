#pragma once
// A new installation's data folder: creates each missing record file that has factory contents
// (PALETTES.QDB, KEYS.QDB, SCANCODES.QDB, DEFAULTS.QDB). The other record files (CONINFO.QDB,
// EVENTS.QDB, ADDINS.QDB, STORAGE.QDB) are created empty by the engine when first opened.

#include <string>
#include <vector>

namespace ondrix::store {

// Creates the folder when needed and every missing factory file; existing files are left alone.
// Returns the names of the files it created.
std::vector<std::string> createFactoryData(const std::string& dataFolder);

}  // namespace ondrix::store
