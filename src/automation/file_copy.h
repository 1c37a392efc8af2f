#pragma once
// Copying, moving and renaming files for scripts: never overwriting a file with itself, never
// leaving half a copy behind.

#include <string>

namespace ondrix::automation {

// The current folder (no trailing '/' but for the root).
std::string currentFolder();
// `name` made absolute against the current folder, with "." and ".." parts resolved.
std::string expandFileName(const std::string& name);

// Copies `source` to the expanded `destination`, or into it under the source's name when it is an
// existing folder. Replaces an existing file; false on any failure (the source unreadable, the
// destination not creatable, the two the same file, a read or write error).
bool copyFile(const std::string& source, const std::string& destination);
// Renames `source` to the expanded `destination`; when that fails (another file system, or the
// destination a folder), a source the user may not write fails, else the file is copied as by
// copyFile and the source removed once the copy is complete.
bool moveFile(const std::string& source, const std::string& destination);
// Renames; false when `to` already exists or the rename fails.
bool renameFile(const std::string& from, const std::string& to);

}  // namespace ondrix::automation
