#pragma once
// The script language as a running program knows it: the keyword table plus every routine and
// constant the program registers at start-up. The build writes it to OndrixScript.txt, and the
// tests compare that file with it.

#include "shell/script_language.h"

namespace ondrix::tools {

// Sets up the script engine's tables (and releases them again) to read their names.
shell::TScriptLanguage registeredLanguage();

}  // namespace ondrix::tools
