#pragma once
// Reading and writing the script files the editors open, import and save. Scripts are 8-bit text
// kept byte for byte. Failures come back as the message the user sees:
// "Cannot open file "NAME". REASON" and "Cannot create file "NAME". REASON".

#include <optional>
#include <string>

namespace ondrix::shell {

struct TFileResult {
  bool Ok = false;
  std::string Error;  // the message when not Ok
};

TFileResult readScriptFile(const std::string& path, std::string& text);
// Writes the whole text to a new file beside `path` and renames it over `path`, so a failed save
// never leaves a cut-off script.
TFileResult writeScriptFile(const std::string& path, const std::string& text);

// The file name without its folder.
std::string fileNameOnly(const std::string& path);

}  // namespace ondrix::shell
