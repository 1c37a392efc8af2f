#pragma once
// Where the program and its data live. Folder names end with '/', so a file name can be appended.

#include <string>

namespace ondrix::platform {

// The folder of the running executable.
std::string programFolder();

// The data folder: the folder named by ONDRIX_DATA when set, else the program folder's DATA/.
std::string dataFolder();

// The folder for temporary working files: $TMPDIR when set, else /tmp/.
std::string tempFolder();

// Adds the trailing '/' folder names carry here (an empty name stays empty).
std::string withTrailingSlash(std::string folder);

}  // namespace ondrix::platform
