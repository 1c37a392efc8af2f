#pragma once
// The machine's instruction set: one table, read by the machine, by the program reader's checks and
// by the listing. An instruction is three 32-bit fields A, B and opcode. V[x] is slot x, K[x]
// constant x, Lab[x] the instruction index of label x. "Next word" is the instruction after the
// current one, consumed as data and never executed.

#include <array>
#include <cstdint>
#include <string_view>

namespace ondrix::script {

enum class Opcode : std::int32_t {
  Add = 0,             // V[A] := V[A] + V[B]
  Subtract = 1,        // V[A] := V[A] - V[B]
  Multiply = 2,        // V[A] := V[A] * V[B]
  IntDivide = 3,       // V[A] := V[A] div V[B]
  Modulo = 4,          // V[A] := V[A] mod V[B]
  Divide = 5,          // V[A] := V[A] / V[B]
  Shl = 6,             // V[A] := V[A] shl V[B]
  Shr = 7,             // V[A] := V[A] shr V[B]
  Not = 8,             // V[A] := not V[A]
  Or = 9,              // V[A] := V[A] or V[B]
  Xor = 10,            // V[A] := V[A] xor V[B]
  And = 11,            // V[A] := V[A] and V[B]
  GreaterEqual = 12,   // V[A] := V[A] >= V[B]
  Equal = 13,          // V[A] := same kind and equal
  LessEqual = 14,      // V[A] := V[A] <= V[B]
  NotEqual = 15,       // V[A] := not (same kind and equal)
  Greater = 16,        // V[A] := V[A] > V[B]
  Less = 17,           // V[A] := V[A] < V[B]
  Negate = 18,         // V[A] := -V[A]
  Jump = 19,           // pc := Lab[A]
  JumpIfFalse = 20,    // if V[A] equals false: pc := Lab[B]
  LoadConst = 23,      // V[A] := K[B]
  Halt = 26,           // the run ends
  Increment = 29,      // V[A] := V[A] + 1
  Decrement = 30,      // V[A] := V[A] - 1
  HostCall = 42,       // V[A] := host routine B (argument slots packed in the next words)
  SetObject = 44,      // current object := A
  GetDynamic = 45,     // V[next.A] := dynamic variable A of provider B
  SetDynamic = 46,     // dynamic variable A of provider B := V[next.A]
  SetObjectFromSlot = 47,  // current object := V[A] as a 32-bit handle
  Move = 48,           // V[A] := V[B]
  Call = 49,           // push pc; pc := Lab[A]
  Return = 50,         // empty return stack: the run ends; else pop pc
  NewArray = 51,       // V[A] := array of Empty, indices 0..B
  ArrayStore = 52,     // element A of the array in V[next.A] := V[B]
};

// What an operand field holds; the reader checks each against its range.
enum class Operand : std::uint8_t {
  None,      // unused, any value
  Slot,      // 0..1000
  Constant,  // index into the constant pool
  Label,     // index into the label table
  Routine,   // index into the host routine table
  Handle,    // a host object handle, any value
  VarId,     // a dynamic-variable id, any value
  Provider,  // index into the dynamic-variable provider table (checked when run)
  HighIndex, // highest index of a new array, -1..kMaxArrayHighIndex
  Index,     // an array element index, 0..kMaxArrayHighIndex
};

// Data words consumed after the instruction.
enum class DataWords : std::uint8_t {
  None,
  SlotInA,        // one word whose A is a slot
  HostArguments,  // ceil(n/3) words for a routine of n parameters, every field a slot
};

struct OpcodeInfo {
  Opcode code;
  std::string_view name;
  Operand a;
  Operand b;
  DataWords data;
};

inline constexpr int kOpcodeLimit = 53;        // every valid opcode is below this
// Largest B of NewArray a program may hold. The compiler builds arrays of at most 201 elements;
// the reader refuses more than this, so a program cannot allocate without bound.
inline constexpr int kMaxArrayHighIndex = 4096;

inline constexpr std::array<OpcodeInfo, 35> kOpcodes{{
    {Opcode::Add, "ADD", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Subtract, "SUB", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Multiply, "MUL", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::IntDivide, "DIV", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Modulo, "MOD", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Divide, "FDIV", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Shl, "SHL", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Shr, "SHR", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Not, "NOT", Operand::Slot, Operand::None, DataWords::None},
    {Opcode::Or, "OR", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Xor, "XOR", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::And, "AND", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::GreaterEqual, "GE", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Equal, "EQ", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::LessEqual, "LE", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::NotEqual, "NE", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Greater, "GT", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Less, "LT", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Negate, "NEG", Operand::Slot, Operand::None, DataWords::None},
    {Opcode::Jump, "JMP", Operand::Label, Operand::None, DataWords::None},
    {Opcode::JumpIfFalse, "JF", Operand::Slot, Operand::Label, DataWords::None},
    {Opcode::LoadConst, "LOADK", Operand::Slot, Operand::Constant, DataWords::None},
    {Opcode::Halt, "HALT", Operand::None, Operand::None, DataWords::None},
    {Opcode::Increment, "INC", Operand::Slot, Operand::None, DataWords::None},
    {Opcode::Decrement, "DEC", Operand::Slot, Operand::None, DataWords::None},
    {Opcode::HostCall, "HCALL", Operand::Slot, Operand::Routine, DataWords::HostArguments},
    {Opcode::SetObject, "OBJ", Operand::Handle, Operand::None, DataWords::None},
    {Opcode::GetDynamic, "GETDYN", Operand::VarId, Operand::Provider, DataWords::SlotInA},
    {Opcode::SetDynamic, "SETDYN", Operand::VarId, Operand::Provider, DataWords::SlotInA},
    {Opcode::SetObjectFromSlot, "OBJV", Operand::Slot, Operand::None, DataWords::None},
    {Opcode::Move, "MOVE", Operand::Slot, Operand::Slot, DataWords::None},
    {Opcode::Call, "CALL", Operand::Label, Operand::None, DataWords::None},
    {Opcode::Return, "RET", Operand::None, Operand::None, DataWords::None},
    {Opcode::NewArray, "NEWARR", Operand::Slot, Operand::HighIndex, DataWords::None},
    {Opcode::ArrayStore, "ASTORE", Operand::Index, Operand::Slot, DataWords::SlotInA},
}};

// The table entry of an opcode number, or null for an invalid opcode.
constexpr const OpcodeInfo* findOpcode(std::int32_t code) {
  for (const OpcodeInfo& info : kOpcodes)
    if (static_cast<std::int32_t>(info.code) == code) return &info;
  return nullptr;
}

// Number of data words a host call with `paramCount` parameters is followed by.
constexpr int hostArgumentWords(int paramCount) { return (paramCount + 2) / 3; }

}  // namespace ondrix::script
