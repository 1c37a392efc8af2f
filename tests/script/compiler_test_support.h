#pragma once
// Helpers for the compiler tests: compiling with a given host table, the error text of a failing
// compilation, and a compact rendering of the code ("NAME A B" per instruction).

#include <string>
#include <string_view>
#include <vector>

#include "script/compiler.h"
#include "script/compiler_error.h"

namespace ondrix::script::testing {

struct Compiled {
  std::string bytes;
  ProgramImage image;
  TIdentList identifiers;
  std::string parentClass;
};

inline Compiled compileScript(std::string_view source, const HostTables& host,
                              const tobjcollect* objects = nullptr) {
  Compiled result;
  THalCompiler compiler(source, result.bytes, host);
  compiler.setObjects(objects);
  compiler.compile();
  result.image = compiler.image();
  result.identifiers = compiler.identifiers();
  result.parentClass = compiler.parentClass();
  return result;
}

// The message of the ECompilerError the source raises, or "(compiled)".
inline std::string compileError(std::string_view source, const HostTables& host,
                                const tobjcollect* objects = nullptr) {
  try {
    compileScript(source, host, objects);
  } catch (const ECompilerError& e) {
    return e.what();
  }
  return "(compiled)";
}

inline std::string syntaxError(int line, std::string_view text) {
  return "Syntax error in  (" + std::to_string(line) + "): \r\n" + std::string(text) + ".";
}

// One line per instruction: the opcode's name and both fields; the data words after an
// instruction show as "DATA opcode A B".
inline std::vector<std::string> codeLines(const ProgramImage& image, const HostTables& host) {
  std::vector<std::string> lines;
  int dataWords = 0;
  for (const Instruction& ins : image.code) {
    const auto fields = std::to_string(ins.a) + " " + std::to_string(ins.b);
    if (dataWords > 0) {
      --dataWords;
      lines.push_back("DATA " + std::to_string(ins.opcode) + " " + fields);
      continue;
    }
    const OpcodeInfo* info = findOpcode(ins.opcode);
    lines.push_back((info ? std::string(info->name) : "OP" + std::to_string(ins.opcode)) + " " + fields);
    if (info && info->data == DataWords::SlotInA) dataWords = 1;
    if (info && info->data == DataWords::HostArguments)
      dataWords = hostArgumentWords(host.routines.at(ins.b).paramCount());
  }
  return lines;
}

}  // namespace ondrix::script::testing
