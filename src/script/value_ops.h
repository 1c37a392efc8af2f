#pragma once
// The language's operators on values.
//
// Each operand falls in a class (Empty, Null, Integer, Real, Currency, String, Boolean, Date; any
// other kind makes a binary operation fail with "Invalid variant operation"). The pair of classes
// selects the class the operation is done in:
//
//   left \ right  Empty Null  Int   Real  Cur   Str   Bool  Date
//   Empty         err   err   err   err   err   err   err   err
//   Null          err   Null  Null  Null  Null  Null  Null  Null
//   Integer       err   Null  Int   Real  Cur   Real  Int   Date
//   Real          err   Null  Real  Real  Cur   Real  Real  Date
//   Currency      err   Null  Cur   Cur   Cur   Cur   Cur   Date
//   String        err   Null  Real  Real  Cur   Str   Bool  Date
//   Boolean       err   Null  Int   Real  Cur   Bool  Bool  Date
//   Date          err   Null  Date  Date  Date  Date  Date  Date
//
// Integer: + - * in 32 bits, redone in Real on overflow; / in Real; div and mod truncate toward
// zero; shl and shr shift by the count modulo 32, shr logically. Real: + - * / in doubles, the
// rest on the operands rounded to integers. Currency: + - * / in fixed point, the rest as Integer.
// String: + concatenates, the rest as Real. Boolean: and, or, xor are logical, the rest as Real
// (true = -1). Date: + gives a Date, - a Date or, for two Dates, a Real; the rest as Real.
// Null: the result is Null.

#include <cstdint>
#include <string_view>

#include "script/value.h"

namespace ondrix::script {

enum class BinaryOp : std::uint8_t { Add, Subtract, Multiply, IntDivide, Modulo, Divide, Shl, Shr, Or, Xor, And };

// The class an operand falls in, and the class a pair of operands is computed in.
enum class OpClass : std::uint8_t { Empty, Null, Integer, Real, Currency, String, Boolean, Date, Error };
OpClass operandClass(ValueKind kind);
OpClass operationClass(OpClass left, OpClass right);

// left := left <op> right. Done in place so that a String append can grow its buffer.
void applyBinary(BinaryOp op, ScriptValue& left, const ScriptValue& right);
ScriptValue binary(BinaryOp op, ScriptValue left, const ScriptValue& right);

// Three-way comparison in the pair's class: negative, zero or positive. Null is smaller than any
// other non-empty value and equal to Null. Fails for Empty and for kinds outside the table.
int compare(const ScriptValue& left, const ScriptValue& right);

// `=` of the language: true only for the same kind comparing equal (Integer 1 <> Real 1.0).
bool strictlyEqual(const ScriptValue& left, const ScriptValue& right);

// The condition test of a conditional jump: the value compares equal to Boolean false by the class
// rules (Integer 0 and Real 0 count as false, Null does not; Empty fails).
bool equalsFalse(const ScriptValue& value);

// Unary minus and `not`, in place.
void negate(ScriptValue& value);
void logicalNot(ScriptValue& value);

}  // namespace ondrix::script
