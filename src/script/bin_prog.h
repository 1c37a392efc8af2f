#pragma once
// TBinProg: a compiled script and the machine that runs it.
//
// Program format (integers little-endian, 32-bit unless stated):
//
//   section    content
//   constants  count N, then N entries: a 1-byte tag and its data
//   labels     count L, then L instruction indices
//   code       count C, then C records of 12 bytes: A, B, opcode
//
//   tag  kind     data
//   1    Integer  32-bit signed integer
//   2    Real     8-byte IEEE double
//   3    String   1-byte length n (0..255), then n bytes
//   4    Boolean  1 byte; 0 = false, anything else = true
//   5    String   32-bit length n, then n bytes (written for strings longer than 255 bytes)
//
// Nothing follows the code. A label that was never placed is written as instruction 0.
//
// The reader trusts nothing: counts are checked against the bytes left before anything is
// allocated; the code is decoded from the start, each instruction followed by its data words, and
// every operand is checked against its range (opcodes.h); each label must point at an instruction
// (not into data words) or just past the last one. Any fault is EProgramFormatError. Only an
// opcode that is not in the table is kept: running it fails with "Invalid opcode".

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/host_interfaces.h"
#include "script/opcodes.h"
#include "script/value.h"

namespace ondrix::script {

inline constexpr int kSlotCount = 1001;         // slots 0..1000
inline constexpr int kReturnStackSize = 1001;  // a 1002nd return address is "Stack overflow"

struct Instruction {
  std::int32_t a = 0;
  std::int32_t b = 0;
  std::int32_t opcode = 0;
};

// The three sections of a program, as the compiler builds them and the reader returns them.
struct ProgramImage {
  std::vector<ScriptValue> constants;
  std::vector<std::int32_t> labels;  // instruction index per label
  std::vector<Instruction> code;
};

// Appends the program to `out`. A constant of a kind other than Integer, Real, String or Boolean
// throws EProgramFormatError "Unknown variable type during writing program".
void writeProgram(const ProgramImage& image, std::string& out);

// Reads and checks a program against the host routine table (for the data words of host calls).
// Throws EProgramFormatError: "Unknown reader type" for an unknown constant tag, otherwise a text
// beginning "Malformed program: " that names the fault.
ProgramImage readProgram(std::string_view bytes, const TFunList& routines);

class TBinProg {
 public:
  // Reads the program (see readProgram); every slot starts as Integer 0.
  explicit TBinProg(std::string_view bytes, HostTables& host = hostTables());

  // Runs from instruction 0, or from `index`, until a halt, a return on an empty return stack, or
  // an error (which propagates; slots keep their values). `index` must be the start of an
  // instruction (a label target); anything else throws EScriptError. A host routine may start a
  // run of the same program; that run ends at its own outermost return and the outer run resumes.
  void run();
  void runFrom(std::int32_t index);

  // Slots and parameter cells, readable and writable between runs. slot() throws std::out_of_range
  // for an index outside 0..1000.
  ScriptValue& slot(int index) { return slots_.at(static_cast<std::size_t>(index)); }
  const ScriptValue& slot(int index) const { return slots_.at(static_cast<std::size_t>(index)); }
  ParamCells& params() { return params_; }

  // Test hook: a run that executes more than `steps` instructions fails with "Step limit reached".
  // Unlimited by default; fuzzing uses it to end endless loops.
  void setStepLimit(std::uint64_t steps) { stepLimit_ = steps; }
  // Test hook: the step limit of every program read from now on (unlimited unless set), so that a
  // test program whose script never ends fails instead of hanging.
  static void setDefaultStepLimit(std::uint64_t steps) { defaultStepLimit_ = steps; }

  std::int32_t currentObject() const { return currentObject_; }
  int returnDepth() const { return depth_; }
  std::int32_t programCounter() const { return pc_; }
  const ProgramImage& image() const { return image_; }

 private:
  void execute();  // the fetch-and-execute loop, from pc_ until the run ends
  // Carries out `ins` (the instruction before pc_) in full; false when the run ends with it.
  bool step(const Instruction& ins);
  void hostCall(const Instruction& ins);
  void checkStart(std::int32_t index) const;
  void checkInvariants() const;  // engine-check builds, before every instruction

  ParamCells params_;
  std::int32_t pc_ = 0;
  std::array<std::int32_t, kReturnStackSize> returnStack_{};
  int depth_ = 0;
  int base_ = 0;          // depth at which the current run's outermost return ends it
  bool running_ = false;
  ProgramImage image_;
  std::vector<Instruction> code_;      // the code plus an end marker that stops a run gone past it
  std::vector<std::int16_t> codeMap_;  // see program_check.h
  std::int32_t currentObject_ = 0;
  static inline std::uint64_t defaultStepLimit_ = UINT64_MAX;
  std::uint64_t stepLimit_ = defaultStepLimit_;
  std::array<ScriptValue, kSlotCount> slots_;
  HostTables& host_;
};

// A readable listing: constants, labels and instructions with their data words, named by the
// opcode table. Host routines are named when `routines` is given.
std::string listProgram(const ProgramImage& image, const TFunList* routines = nullptr);

}  // namespace ondrix::script
