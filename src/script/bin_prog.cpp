#include "script/bin_prog.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "script/compiler_error.h"
#include "script/program_check.h"
#include "script/script_error.h"
#include "script/value_ops.h"

namespace ondrix::script {
namespace {

// Not an opcode of the table: the marker placed after the last instruction.
constexpr std::int32_t kEndOfCode = -1;

[[noreturn]] void fail(const std::string& message) { throw EScriptError(message); }

// Argument k of a host call: field opcode, A, B of data word k / 3.
std::int32_t packedSlot(const Instruction* words, int k) {
  const Instruction& w = words[k / 3];
  switch (k % 3) {
    case 0: return w.opcode;
    case 1: return w.a;
    default: return w.b;
  }
}

}  // namespace

TBinProg::TBinProg(std::string_view bytes, HostTables& host)
    : image_(parseProgram(bytes)), host_(host) {
  codeMap_ = checkProgram(image_, host_.routines);
  code_ = image_.code;
  code_.push_back({0, 0, kEndOfCode});
  for (ScriptValue& slot : slots_) slot = ScriptValue::integer(0);
}

void TBinProg::run() { runFrom(0); }

void TBinProg::runFrom(std::int32_t index) {
  checkStart(index);
  // A run started from inside a host routine of a run of this same program (an event handled
  // while the routine waits) takes the return addresses above the outer run's, ends at its own
  // outermost return, and gives the outer run its program counter back.
  struct Resume {
    TBinProg& prog;
    bool nested;
    std::int32_t pc;
    int depth;
    int base;
    ~Resume() {
      prog.running_ = nested;
      prog.base_ = base;
      if (nested) {
        prog.pc_ = pc;
        prog.depth_ = depth;
      }
    }
  } resume{*this, running_, pc_, depth_, base_};
  // A run that ended in an error may have left return addresses behind; they belong to no
  // activation any more, and a procedure run on its own must end at its own return.
  if (!running_) depth_ = 0;
  base_ = depth_;
  running_ = true;
  pc_ = index;
  try {
    execute();
  } catch (const std::bad_alloc&) {
    // A text or array too big for the machine ends the run like one beyond the length limit.
    throw EScriptError(errtext::kOutOfMemory);
  }
}

void TBinProg::checkStart(std::int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= codeMap_.size() || codeMap_[static_cast<std::size_t>(index)] < 0)
    fail("Cannot run from " + std::to_string(index) + ": not the start of an instruction");
}

namespace {

bool bothIntegers(const ScriptValue* v, const Instruction& ins) {
  return v[ins.a].isInteger() && v[ins.b].isInteger();
}

// Stores op(A, B) in A when both are Integers and `op` yields an Integer; false otherwise.
template <typename IntegerOp>
bool integerResult(ScriptValue* v, const Instruction& ins, IntegerOp op) {
  std::int32_t r;
  if (!bothIntegers(v, ins) || !op(v[ins.a].integerValue(), v[ins.b].integerValue(), r)) return false;
  v[ins.a] = ScriptValue::integer(r);
  return true;
}

bool addInts(std::int32_t a, std::int32_t b, std::int32_t& r) { return !__builtin_add_overflow(a, b, &r); }
bool subtractInts(std::int32_t a, std::int32_t b, std::int32_t& r) { return !__builtin_sub_overflow(a, b, &r); }
bool multiplyInts(std::int32_t a, std::int32_t b, std::int32_t& r) { return !__builtin_mul_overflow(a, b, &r); }
bool divideInts(std::int32_t a, std::int32_t b, std::int32_t& r) {
  if (b == 0 || b == -1) return false;  // division by zero and the one overflow take the long way
  r = a / b;
  return true;
}
bool moduloInts(std::int32_t a, std::int32_t b, std::int32_t& r) {
  if (b == 0 || b == -1) return false;
  r = a % b;
  return true;
}

}  // namespace

void TBinProg::execute() {
  // The common cases run here with the program counter in a local: moves, constants, jumps, and
  // arithmetic and comparisons whose operands are Integers with an Integer result. Everything
  // else (overflow to Real, errors, other kinds, calls) is one general step on pc_.
  // Operands were checked when the program was read (program_check.h): slot, constant and label
  // indices are in range and every jump target is the start of an instruction.
  const Instruction* const code = code_.data();
  ScriptValue* const v = slots_.data();
  const std::int32_t* const labels = image_.labels.data();
  const ScriptValue* const constants = image_.constants.data();
  std::int32_t pc = pc_;
  std::uint64_t steps = stepLimit_;
  for (;;) {
    if (steps-- == 0) {
      pc_ = pc;
      throw EScriptError(errtext::kStepLimit);
    }
#if ONDRIX_ENGINE_CHECKS
    pc_ = pc;
    checkInvariants();
#endif
    const Instruction& ins = code[pc++];
    switch (ins.opcode) {
      case static_cast<std::int32_t>(Opcode::Move): v[ins.a] = v[ins.b]; continue;
      case static_cast<std::int32_t>(Opcode::LoadConst): v[ins.a] = constants[ins.b]; continue;
      case static_cast<std::int32_t>(Opcode::Jump): pc = labels[ins.a]; continue;
      case static_cast<std::int32_t>(Opcode::JumpIfFalse):
        if (v[ins.a].kind() != ValueKind::Boolean) break;
        if (!v[ins.a].booleanValue()) pc = labels[ins.b];
        continue;
      case static_cast<std::int32_t>(Opcode::Add):
        if (integerResult(v, ins, addInts)) continue;
        break;
      case static_cast<std::int32_t>(Opcode::Subtract):
        if (integerResult(v, ins, subtractInts)) continue;
        break;
      case static_cast<std::int32_t>(Opcode::Multiply):
        if (integerResult(v, ins, multiplyInts)) continue;
        break;
      case static_cast<std::int32_t>(Opcode::IntDivide):
        if (integerResult(v, ins, divideInts)) continue;
        break;
      case static_cast<std::int32_t>(Opcode::Modulo):
        if (integerResult(v, ins, moduloInts)) continue;
        break;
      case static_cast<std::int32_t>(Opcode::Increment):
        if (v[ins.a].isInteger() && v[ins.a].integerValue() != INT32_MAX) {
          v[ins.a] = ScriptValue::integer(v[ins.a].integerValue() + 1);
          continue;
        }
        break;
      case static_cast<std::int32_t>(Opcode::LessEqual):
        if (!bothIntegers(v, ins)) break;
        v[ins.a] = ScriptValue::boolean(v[ins.a].integerValue() <= v[ins.b].integerValue());
        continue;
      case static_cast<std::int32_t>(Opcode::GreaterEqual):
        if (!bothIntegers(v, ins)) break;
        v[ins.a] = ScriptValue::boolean(v[ins.a].integerValue() >= v[ins.b].integerValue());
        continue;
      case static_cast<std::int32_t>(Opcode::Less):
        if (!bothIntegers(v, ins)) break;
        v[ins.a] = ScriptValue::boolean(v[ins.a].integerValue() < v[ins.b].integerValue());
        continue;
      case static_cast<std::int32_t>(Opcode::Greater):
        if (!bothIntegers(v, ins)) break;
        v[ins.a] = ScriptValue::boolean(v[ins.a].integerValue() > v[ins.b].integerValue());
        continue;
      default:
        break;
    }
    pc_ = pc;
    if (!step(ins)) return;
    pc = pc_;
  }
}

bool TBinProg::step(const Instruction& ins) {
  const Instruction* const code = code_.data();
  ScriptValue* const v = slots_.data();
  const std::int32_t* const labels = image_.labels.data();
  const auto binaryOp = [&](BinaryOp op, const Instruction& i) { applyBinary(op, v[i.a], v[i.b]); };
  switch (ins.opcode) {
    case static_cast<std::int32_t>(Opcode::Add): binaryOp(BinaryOp::Add, ins); break;
    case static_cast<std::int32_t>(Opcode::Subtract): binaryOp(BinaryOp::Subtract, ins); break;
    case static_cast<std::int32_t>(Opcode::Multiply): binaryOp(BinaryOp::Multiply, ins); break;
    case static_cast<std::int32_t>(Opcode::IntDivide): binaryOp(BinaryOp::IntDivide, ins); break;
    case static_cast<std::int32_t>(Opcode::Modulo): binaryOp(BinaryOp::Modulo, ins); break;
    case static_cast<std::int32_t>(Opcode::Divide): binaryOp(BinaryOp::Divide, ins); break;
    case static_cast<std::int32_t>(Opcode::Shl): binaryOp(BinaryOp::Shl, ins); break;
    case static_cast<std::int32_t>(Opcode::Shr): binaryOp(BinaryOp::Shr, ins); break;
    case static_cast<std::int32_t>(Opcode::Or): binaryOp(BinaryOp::Or, ins); break;
    case static_cast<std::int32_t>(Opcode::Xor): binaryOp(BinaryOp::Xor, ins); break;
    case static_cast<std::int32_t>(Opcode::And): binaryOp(BinaryOp::And, ins); break;
    case static_cast<std::int32_t>(Opcode::Not): logicalNot(v[ins.a]); break;
    case static_cast<std::int32_t>(Opcode::Negate): negate(v[ins.a]); break;
    case static_cast<std::int32_t>(Opcode::GreaterEqual):
      v[ins.a] = ScriptValue::boolean(compare(v[ins.a], v[ins.b]) >= 0);
      break;
    case static_cast<std::int32_t>(Opcode::LessEqual):
      v[ins.a] = ScriptValue::boolean(compare(v[ins.a], v[ins.b]) <= 0);
      break;
    case static_cast<std::int32_t>(Opcode::Greater):
      v[ins.a] = ScriptValue::boolean(compare(v[ins.a], v[ins.b]) > 0);
      break;
    case static_cast<std::int32_t>(Opcode::Less):
      v[ins.a] = ScriptValue::boolean(compare(v[ins.a], v[ins.b]) < 0);
      break;
    case static_cast<std::int32_t>(Opcode::Equal):
      v[ins.a] = ScriptValue::boolean(strictlyEqual(v[ins.a], v[ins.b]));
      break;
    case static_cast<std::int32_t>(Opcode::NotEqual):
      v[ins.a] = ScriptValue::boolean(!strictlyEqual(v[ins.a], v[ins.b]));
      break;
    case static_cast<std::int32_t>(Opcode::JumpIfFalse):
      if (equalsFalse(v[ins.a])) pc_ = labels[ins.b];
      break;
    case static_cast<std::int32_t>(Opcode::Halt): return false;
    case static_cast<std::int32_t>(Opcode::Increment):
    case static_cast<std::int32_t>(Opcode::Decrement): {
      const int delta = ins.opcode == static_cast<std::int32_t>(Opcode::Increment) ? 1 : -1;
      ScriptValue& target = v[ins.a];
      std::int32_t next;
      if (target.isInteger() && !__builtin_add_overflow(target.integerValue(), delta, &next))
        target = ScriptValue::integer(next);
      else
        applyBinary(BinaryOp::Add, target, ScriptValue::integer(delta));
      break;
    }
    case static_cast<std::int32_t>(Opcode::HostCall): hostCall(ins); break;
    case static_cast<std::int32_t>(Opcode::SetObject): currentObject_ = ins.a; break;
    case static_cast<std::int32_t>(Opcode::GetDynamic):
    case static_cast<std::int32_t>(Opcode::SetDynamic): {
      const std::int32_t target = code[pc_].a;
      ++pc_;
      const TDynaVarItem* provider = host_.providers.at(ins.b);
      if (provider == nullptr) fail("Dynamic variable provider " + std::to_string(ins.b) + " not found");
      if (ins.opcode == static_cast<std::int32_t>(Opcode::GetDynamic)) {
        if (!provider->get) fail("Dynamic variable provider " + provider->name + " cannot be read");
        v[target] = provider->get(ins.a);
      } else {
        if (!provider->set) fail("Dynamic variable provider " + provider->name + " cannot be written");
        provider->set(ins.a, v[target]);
      }
      break;
    }
    case static_cast<std::int32_t>(Opcode::SetObjectFromSlot): currentObject_ = v[ins.a].toInteger(); break;
    case static_cast<std::int32_t>(Opcode::Call):
      if (depth_ == kReturnStackSize) throw EScriptError(errtext::kStackOverflow);
      returnStack_[static_cast<std::size_t>(depth_++)] = pc_;
      pc_ = labels[ins.a];
      break;
    case static_cast<std::int32_t>(Opcode::Return):
      if (depth_ == base_) return false;
      pc_ = returnStack_[static_cast<std::size_t>(--depth_)];
      break;
    case static_cast<std::int32_t>(Opcode::NewArray):
      v[ins.a] = ScriptValue::array(static_cast<std::size_t>(ins.b) + 1);
      break;
    case static_cast<std::int32_t>(Opcode::ArrayStore): {
      const std::int32_t target = code[pc_].a;
      ++pc_;
      v[target].setElement(static_cast<std::size_t>(ins.a), v[ins.b]);
      break;
    }
    default:
      if (ins.opcode == kEndOfCode && static_cast<std::size_t>(pc_) == code_.size()) {
        --pc_;
        fail("The program ran past its last instruction");
      }
      throw ECompilerError(errtext::kInvalidOpcode);
  }
  return true;
}

#if ONDRIX_ENGINE_CHECKS
void TBinProg::checkInvariants() const {
  // The counter is at an instruction, never at a data word, and the return stack is in bounds.
  const bool ok = pc_ >= 0 && static_cast<std::size_t>(pc_) < codeMap_.size() &&
                  codeMap_[static_cast<std::size_t>(pc_)] >= 0 && base_ >= 0 && base_ <= depth_ &&
                  depth_ <= kReturnStackSize;
  if (!ok) {
    std::fprintf(stderr, "TBinProg invariant broken: pc %d depth %d base %d\n", pc_, depth_, base_);
    std::abort();
  }
}
#endif

void TBinProg::hostCall(const Instruction& ins) {
  const int params = codeMap_[static_cast<std::size_t>(pc_ - 1)];
  if (ins.b >= host_.routines.size() || host_.routines.at(ins.b).paramCount() != params)
    fail("Host routine " + std::to_string(ins.b) + " has changed since the program was read");
  const TFunListItem& routine = host_.routines.at(ins.b);
  if (!routine.handler) fail("Host routine " + routine.name + " has no handler");
  const Instruction* words = &code_[static_cast<std::size_t>(pc_)];
  pc_ += hostArgumentWords(params);
  for (int k = 0; k < params; ++k) params_[static_cast<std::size_t>(k)] = slots_[static_cast<std::size_t>(packedSlot(words, k))];
  ScriptValue result;
  routine.handler(currentObject_, routine.member, params_, result, kHighestParamCell);
  slots_[static_cast<std::size_t>(ins.a)] = std::move(result);
  // Looked up again: the table is meant to be fixed after start-up, but a handler could register.
  const std::vector<std::uint8_t>& types = host_.routines.at(ins.b).paramTypes;
  for (int k = 0; k < params && k < static_cast<int>(types.size()); ++k)
    if (types[static_cast<std::size_t>(k)] == kParamVar)
      slots_[static_cast<std::size_t>(packedSlot(words, k))] = params_[static_cast<std::size_t>(k)];
}

}  // namespace ondrix::script
