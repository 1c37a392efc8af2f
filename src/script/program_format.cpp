// Writing and reading the program format described in bin_prog.h.

#include <cstring>
#include <limits>
#include <string>

#include "script/bin_prog.h"
#include "script/program_check.h"
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

namespace {

// Reads little-endian fields from the program bytes, never past their end.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t remaining() const { return bytes_.size() - pos_; }
  void need(std::size_t n, const char* section) const {
    if (n > remaining()) throw EProgramFormatError(std::string("Malformed program: the data ends inside the ") + section);
  }
  std::uint8_t u8(const char* section) {
    need(1, section);
    return static_cast<std::uint8_t>(bytes_[pos_++]);
  }
  std::uint32_t u32(const char* section) {
    need(4, section);
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes_[pos_ + i])) << (8 * i);
    pos_ += 4;
    return v;
  }
  std::int32_t i32(const char* section) { return static_cast<std::int32_t>(u32(section)); }
  std::string_view take(std::size_t n, const char* section) {
    need(n, section);
    const std::string_view piece = bytes_.substr(pos_, n);
    pos_ += n;
    return piece;
  }
  // A section's entry count, checked against the bytes left for entries of at least `minSize`.
  std::size_t count(std::size_t minSize, const char* section) {
    const std::int32_t n = i32(section);
    if (n < 0) throw EProgramFormatError(std::string("Malformed program: negative count of ") + section);
    need(static_cast<std::size_t>(n) * minSize, section);
    return static_cast<std::size_t>(n);
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

ScriptValue readConstant(ByteReader& in) {
  constexpr const char* kSection = "constants";
  switch (in.u8(kSection)) {
    case kTagInteger: return ScriptValue::integer(in.i32(kSection));
    case kTagReal: {
      const std::uint64_t low = in.u32(kSection);
      const std::uint64_t bits = low | (static_cast<std::uint64_t>(in.u32(kSection)) << 32);
      double d = 0;
      std::memcpy(&d, &bits, sizeof d);
      return ScriptValue::real(d);
    }
    case kTagShortString: return ScriptValue::string(in.take(in.u8(kSection), kSection));
    case kTagBoolean: return ScriptValue::boolean(in.u8(kSection) != 0);
    case kTagLongString: {
      const std::uint32_t length = in.u32(kSection);
      if (length > ScriptValue::maxStringLength())
        throw EProgramFormatError("Malformed program: a string constant is longer than any string may be");
      return ScriptValue::string(in.take(length, kSection));
    }
    default: throw EProgramFormatError(errtext::kUnknownReaderType);
  }
}

[[noreturn]] void badOperand(std::size_t index, const char* what, std::int64_t value) {
  throw EProgramFormatError("Malformed program: instruction " + std::to_string(index) + ": " + what + " " +
                            std::to_string(value) + " out of range");
}

bool inRange(std::int64_t v, std::int64_t low, std::int64_t high) { return v >= low && v <= high; }

void checkOperand(Operand role, std::int32_t v, std::size_t index, const ProgramImage& image, const TFunList& routines) {
  const auto top = [](std::size_t size) { return static_cast<std::int64_t>(size) - 1; };
  switch (role) {
    case Operand::None:
    case Operand::Handle:
    case Operand::VarId: return;
    case Operand::Slot:
      if (!inRange(v, 0, kSlotCount - 1)) badOperand(index, "slot", v);
      return;
    case Operand::Constant:
      if (!inRange(v, 0, top(image.constants.size()))) badOperand(index, "constant", v);
      return;
    case Operand::Label:
      if (!inRange(v, 0, top(image.labels.size()))) badOperand(index, "label", v);
      return;
    case Operand::Routine:
      if (!inRange(v, 0, routines.size() - 1)) badOperand(index, "host routine", v);
      return;
    case Operand::Provider:
      if (v < 0) badOperand(index, "provider", v);
      return;
    case Operand::HighIndex:
      if (!inRange(v, -1, kMaxArrayHighIndex)) badOperand(index, "array high index", v);
      return;
    case Operand::Index:
      if (!inRange(v, 0, kMaxArrayHighIndex)) badOperand(index, "array index", v);
      return;
  }
}

}  // namespace

ProgramImage parseProgram(std::string_view bytes) {
  ByteReader in(bytes);
  ProgramImage image;
  const std::size_t constants = in.count(2, "constants");
  image.constants.reserve(constants);
  for (std::size_t i = 0; i < constants; ++i) image.constants.push_back(readConstant(in));
  const std::size_t labels = in.count(4, "labels");
  image.labels.reserve(labels);
  for (std::size_t i = 0; i < labels; ++i) image.labels.push_back(in.i32("labels"));
  const std::size_t code = in.count(12, "code");
  image.code.reserve(code);
  for (std::size_t i = 0; i < code; ++i) {
    Instruction ins;
    ins.a = in.i32("code");
    ins.b = in.i32("code");
    ins.opcode = in.i32("code");
    image.code.push_back(ins);
  }
  if (in.remaining() != 0) throw EProgramFormatError("Malformed program: data after the code");
  return image;
}

CodeMap checkProgram(const ProgramImage& image, const TFunList& routines) {
  const std::size_t size = image.code.size();
  if (size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - 1))
    throw EProgramFormatError("Malformed program: too many instructions");
  CodeMap map(size + 1, -1);
  map[size] = 0;
  std::size_t i = 0;
  while (i < size) {
    const Instruction& ins = image.code[i];
    map[i] = 0;
    const OpcodeInfo* info = findOpcode(ins.opcode);
    if (info == nullptr) {  // kept: running it fails with "Invalid opcode"
      ++i;
      continue;
    }
    checkOperand(info->a, ins.a, i, image, routines);
    checkOperand(info->b, ins.b, i, image, routines);
    std::size_t words = 0;
    if (info->data == DataWords::SlotInA) {
      words = 1;
    } else if (info->data == DataWords::HostArguments) {
      const int params = routines.at(ins.b).paramCount();
      map[i] = static_cast<std::int16_t>(params);
      words = static_cast<std::size_t>(hostArgumentWords(params));
    }
    if (words > size - i - 1)
      throw EProgramFormatError("Malformed program: instruction " + std::to_string(i) +
                                ": data words run past the end of the code");
    if (info->data == DataWords::SlotInA) {
      checkOperand(Operand::Slot, image.code[i + 1].a, i + 1, image, routines);
    } else {
      const int params = map[i];
      for (int k = 0; k < params; ++k) {
        const Instruction& word = image.code[i + 1 + static_cast<std::size_t>(k / 3)];
        const std::int32_t slot = k % 3 == 0 ? word.opcode : (k % 3 == 1 ? word.a : word.b);
        checkOperand(Operand::Slot, slot, i + 1 + static_cast<std::size_t>(k / 3), image, routines);
      }
    }
    i += 1 + words;
  }
  for (std::size_t l = 0; l < image.labels.size(); ++l) {
    const std::int32_t target = image.labels[l];
    if (target < 0 || static_cast<std::size_t>(target) > size || map[static_cast<std::size_t>(target)] < 0)
      throw EProgramFormatError("Malformed program: label " + std::to_string(l) + " points to " +
                                std::to_string(target) + ", which is not an instruction");
  }
  return map;
}

ProgramImage readProgram(std::string_view bytes, const TFunList& routines) {
  ProgramImage image = parseProgram(bytes);
  checkProgram(image, routines);
  return image;
}

}  // namespace ondrix::script
