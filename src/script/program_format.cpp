// Writing and reading the program format described in bin_prog.h.

#include <cstring>
#include <limits>

#include "script/bin_prog.h"
#include "script/script_error.h"

namespace ondrix::script {
namespace {

enum ConstantTag : std::uint8_t { kTagInteger = 1, kTagReal = 2, kTagShortString = 3, kTagBoolean = 4, kTagLongString = 5 };

void putU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void putI32(std::string& out, std::int32_t v) { putU32(out, static_cast<std::uint32_t>(v)); }

void putConstant(std::string& out, const ScriptValue& value) {
  switch (value.kind()) {
    case ValueKind::Integer:
      out.push_back(static_cast<char>(kTagInteger));
      putI32(out, value.integerValue());
      return;
    case ValueKind::Real: {
      out.push_back(static_cast<char>(kTagReal));
      std::uint64_t bits = 0;
      const double d = value.realValue();
      std::memcpy(&bits, &d, sizeof bits);
      putU32(out, static_cast<std::uint32_t>(bits));
      putU32(out, static_cast<std::uint32_t>(bits >> 32));
      return;
    }
    case ValueKind::String: {
      const std::string_view text = value.stringValue();
      if (text.size() <= 255) {
        out.push_back(static_cast<char>(kTagShortString));
        out.push_back(static_cast<char>(text.size()));
      } else {
        out.push_back(static_cast<char>(kTagLongString));
        putU32(out, static_cast<std::uint32_t>(text.size()));
      }
      out.append(text);
      return;
    }
    case ValueKind::Boolean:
      out.push_back(static_cast<char>(kTagBoolean));
      out.push_back(value.booleanValue() ? 1 : 0);
      return;
    default:
      throw EProgramFormatError(errtext::kUnknownWriteType);
  }
}

}  // namespace

void writeProgram(const ProgramImage& image, std::string& out) {
  std::string bytes;
  putU32(bytes, static_cast<std::uint32_t>(image.constants.size()));
  for (const ScriptValue& constant : image.constants) putConstant(bytes, constant);
  putU32(bytes, static_cast<std::uint32_t>(image.labels.size()));
  for (std::int32_t target : image.labels) putI32(bytes, target);
  putU32(bytes, static_cast<std::uint32_t>(image.code.size()));
  for (const Instruction& ins : image.code) {
    putI32(bytes, ins.a);
    putI32(bytes, ins.b);
    putI32(bytes, ins.opcode);
  }
  out.append(bytes);  // nothing is appended when a constant cannot be written
}

}  // namespace ondrix::script
