// A readable listing of a program, driven by the opcode table.

#include <cstdarg>
#include <cstdio>
#include <string>

#include "script/bin_prog.h"

namespace ondrix::script {
namespace {

// Appends printf-style formatted text.
__attribute__((format(printf, 2, 3))) void appendf(std::string& out, const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n > 0) out.append(buffer, static_cast<std::size_t>(n) < sizeof buffer ? static_cast<std::size_t>(n) : sizeof buffer - 1);
}

void appendOperand(std::string& out, Operand role, std::int32_t v, const TFunList* routines) {
  switch (role) {
    case Operand::None: return;
    case Operand::Slot: return appendf(out, "V%d", v);
    case Operand::Constant: return appendf(out, "K%d", v);
    case Operand::Label: return appendf(out, "L%d", v);
    case Operand::Routine:
      appendf(out, "R%d", v);
      if (routines != nullptr && v >= 0 && v < routines->size()) appendf(out, " (%s)", routines->at(v).name.c_str());
      return;
    case Operand::Handle: return appendf(out, "object %d", v);
    case Operand::VarId: return appendf(out, "id %d", v);
    case Operand::Provider: return appendf(out, "P%d", v);
    case Operand::HighIndex: return appendf(out, "0..%d", v);
    case Operand::Index: return appendf(out, "[%d]", v);
  }
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
        appendf(text, "#%d", static_cast<unsigned char>(c));
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

}  // namespace

std::string listProgram(const ProgramImage& image, const TFunList* routines) {
  std::string out;
  appendf(out, "constants %zu\n", image.constants.size());
  for (std::size_t i = 0; i < image.constants.size(); ++i) {
    const ScriptValue& k = image.constants[i];
    appendf(out, "  K%zu  %s ", i, std::string(kindName(k.kind())).c_str());
    out += constantText(k);
    out += '\n';
  }
  appendf(out, "labels %zu\n", image.labels.size());
  for (std::size_t i = 0; i < image.labels.size(); ++i) appendf(out, "  L%zu -> %d\n", i, image.labels[i]);
  appendf(out, "code %zu\n", image.code.size());
  std::size_t i = 0;
  while (i < image.code.size()) {
    const Instruction& ins = image.code[i];
    const OpcodeInfo* info = findOpcode(ins.opcode);
    if (info == nullptr) {
      appendf(out, "  %04zu  ?%d %d, %d\n", i, ins.opcode, ins.a, ins.b);
      ++i;
      continue;
    }
    std::string line;
    appendf(line, "  %04zu  %-8s", i, std::string(info->name).c_str());
    appendOperand(line, info->a, ins.a, routines);
    if (info->b != Operand::None) {
      if (info->a != Operand::None) line += ", ";
      appendOperand(line, info->b, ins.b, routines);
    }
    while (line.back() == ' ') line.pop_back();
    out += line;
    out += '\n';
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
      appendf(out, "  %04zu    data ", i);
      if (info->data == DataWords::SlotInA) {
        appendf(out, " V%d", word.a);
      } else {
        const std::int32_t fields[3] = {word.opcode, word.a, word.b};
        for (int f = 0; f < 3 && static_cast<int>(w) * 3 + f < params; ++f) appendf(out, " V%d", fields[f]);
      }
      out += '\n';
    }
  }
  return out;
}

}  // namespace ondrix::script
