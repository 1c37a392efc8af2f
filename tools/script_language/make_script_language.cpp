// make_script_language FILE: writes the script language description the script text editor
// colours with (OndrixScript.txt) from the tables the program registers.

#include <cstdio>
#include <fstream>
#include <iostream>

#include "registered_language.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_script_language FILE\n";
    return 2;
  }
  const std::string text = ondrix::shell::formatScriptLanguage(ondrix::tools::registeredLanguage());
  const std::string temporary = std::string(argv[1]) + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
      std::cerr << "make_script_language: cannot write " << temporary << '\n';
      return 1;
    }
  }
  if (std::rename(temporary.c_str(), argv[1]) != 0) {
    std::cerr << "make_script_language: cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
