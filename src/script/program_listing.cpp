// A readable listing of a program, driven by the opcode table.

#include <cstdio>
#include <string>

#include "script/bin_prog.h"

namespace ondrix::script {
namespace {

std::string operandText(Operand role, std::int32_t v, const TFunList* routines) {
  switch (role) {
    case Operand::None: return {};
    case Operand::Slot: return "V" + std::to_string(v);
    case Operand::Constant: return "K" + std::to_string(v);
    case Operand::Label: return "L" + std::to_string(v);
    case Operand::Routine: {
      std::string text = "R" + std::to_string(v);
      if (routines != nullptr && v >= 0 && v < routines->size()) text += " (" + routines->at(v).name + ")";
      return text;
    }
    case Operand::Handle: return "object " + std::to_string(v);
    case Operand::VarId: return "id " + std::to_string(v);
    case Operand::Provider: return "P" + std::to_string(v);
    case Operand::HighIndex: return "0.." + std::to_string(v);
    case Operand::Index: return "[" + std::to_string(v) + "]";
  }
  return {};
}

// A constant as a script literal would write it: quoted runs, control characters as #n.
std::string constantText(const ScriptValue& value) {
  if (value.isString()) {
    std::string text;
    bool quoted = false;
    for (char c : value.stringValue()) {
      const bool control = static_cast<unsigned char>(c) < 32;
      if (control == quoted) {
        text += '\'';
        quoted = !quoted;
      }
      if (control) {
        text += "#" + std::to_string(static_cast<unsigned char>(c));
      } else {
        text += c;
        if (c == '\'') text += c;
      }
    }
    if (text.empty()) return "''";
    if (quoted) text += '\'';
    return text;
  }
  if (value.kind() == ValueKind::Boolean) return value.booleanValue() ? "True" : "False";
  return value.toText();
}

std::string indexText(std::size_t i) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04zu", i);
  return buffer;
}

}  // namespace

std::string listProgram(const ProgramImage& image, const TFunList* routines) {
  std::string out = "constants " + std::to_string(image.constants.size()) + "\n";
  for (std::size_t i = 0; i < image.constants.size(); ++i) {
    const ScriptValue& k = image.constants[i];
    out += "  K" + std::to_string(i) + "  " + std::string(kindName(k.kind())) + " " + constantText(k) + "\n";
  }
  out += "labels " + std::to_string(image.labels.size()) + "\n";
  for (std::size_t i = 0; i < image.labels.size(); ++i)
    out += "  L" + std::to_string(i) + " -> " + std::to_string(image.labels[i]) + "\n";
  out += "code " + std::to_string(image.code.size()) + "\n";
  std::size_t i = 0;
  while (i < image.code.size()) {
    const Instruction& ins = image.code[i];
    const OpcodeInfo* info = findOpcode(ins.opcode);
    std::string line = "  " + indexText(i) + "  ";
    if (info == nullptr) {
      out += line + "?" + std::to_string(ins.opcode) + " " + std::to_string(ins.a) + ", " + std::to_string(ins.b) + "\n";
      ++i;
      continue;
    }
    std::string name(info->name);
    name.resize(8, ' ');
    line += name;
    const std::string a = operandText(info->a, ins.a, routines);
    const std::string b = operandText(info->b, ins.b, routines);
    line += a;
    if (!b.empty()) line += (a.empty() ? "" : ", ") + b;
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
    ++i;
    // Data words: shown with the slots they hold, never decoded as instructions.
    std::size_t words = 0;
    int params = 0;
    if (info->data == DataWords::SlotInA) {
      words = 1;
    } else if (info->data == DataWords::HostArguments && routines != nullptr && ins.b >= 0 && ins.b < routines->size()) {
      params = routines->at(ins.b).paramCount();
      words = static_cast<std::size_t>(hostArgumentWords(params));
    }
    for (std::size_t w = 0; w < words && i < image.code.size(); ++w, ++i) {
      const Instruction& word = image.code[i];
      std::string data = "  " + indexText(i) + "    data  ";
      if (info->data == DataWords::SlotInA) {
        data += "V" + std::to_string(word.a);
      } else {
        const std::int32_t fields[3] = {word.opcode, word.a, word.b};
        for (int f = 0; f < 3 && static_cast<int>(w) * 3 + f < params; ++f)
          data += (f == 0 ? "V" : " V") + std::to_string(fields[f]);
      }
      out += data + "\n";
    }
  }
  return out;
}

}  // namespace ondrix::script
