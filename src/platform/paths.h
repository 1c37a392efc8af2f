#pragma once
// Where the program and its data live. Folder names end with '/', so a file name can be appended.

#include <string>

namespace ondrix::platform {

// The running executable (empty when /proc cannot say), and its folder (then the current one).
std::string programPath();
std::string programFolder();

// What the data folder is chosen from (empty strings stand for unset variables).
struct DataFolderPlaces {
  std::string programFolder;  // the folder of the executable
  std::string ondrixData;     // $ONDRIX_DATA
  std::string xdgDataHome;    // $XDG_DATA_HOME
  std::string home;           // $HOME
};

// The data folder rule, the same for every program and command:
//   1. ONDRIX_DATA when set;
//   2. else DATA/ beside the program, when that folder is writable, or does not exist yet and
//      can be created there (a build tree, a portable copy);
//   3. else the user's own $XDG_DATA_HOME/ondrix/DATA/ (XDG_DATA_HOME defaults to
//      ~/.local/share), for an installed program whose folder belongs to the system.
// Nothing is created here; the caller creates the folder with its factory files.
std::string chooseDataFolder(const DataFolderPlaces& places);

// The data folder of this process: chooseDataFolder with the program folder and the environment.
std::string dataFolder();

// The folder for temporary working files: $TMPDIR when set, else /tmp/.
std::string tempFolder();

// Adds the trailing '/' folder names carry here (an empty name stays empty).
std::string withTrailingSlash(std::string folder);

}  // namespace ondrix::platform
