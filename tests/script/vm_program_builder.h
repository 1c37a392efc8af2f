#pragma once
// Builds programs by hand for the machine's tests: constants, labels and instructions, then the
// bytes of the program format.

#include <string>

#include "script/bin_prog.h"

namespace ondrix::script::testing {

class ProgramBuilder {
 public:
  int constant(ScriptValue value) {
    image_.constants.push_back(std::move(value));
    return static_cast<int>(image_.constants.size()) - 1;
  }
  int label() {
    image_.labels.push_back(0);
    return static_cast<int>(image_.labels.size()) - 1;
  }
  // Places `label` at the next instruction.
  void place(int label) { image_.labels[static_cast<std::size_t>(label)] = here(); }
  void target(int label, std::int32_t index) { image_.labels[static_cast<std::size_t>(label)] = index; }
  std::int32_t here() const { return static_cast<std::int32_t>(image_.code.size()); }

  ProgramBuilder& emit(Opcode op, std::int32_t a = 0, std::int32_t b = 0) {
    return raw(static_cast<std::int32_t>(op), a, b);
  }
  ProgramBuilder& raw(std::int32_t opcode, std::int32_t a = 0, std::int32_t b = 0) {
    image_.code.push_back({a, b, opcode});
    return *this;
  }
  // A data word; for host calls the fields in argument order are opcode, A, B.
  ProgramBuilder& data(std::int32_t a, std::int32_t b = 0, std::int32_t opcode = 0) { return raw(opcode, a, b); }

  // V[slot] := value, through a new constant.
  ProgramBuilder& load(int slot, ScriptValue value) { return emit(Opcode::LoadConst, slot, constant(std::move(value))); }

  const ProgramImage& image() const { return image_; }
  std::string bytes() const {
    std::string out;
    writeProgram(image_, out);
    return out;
  }

 private:
  ProgramImage image_;
};

}  // namespace ondrix::script::testing
