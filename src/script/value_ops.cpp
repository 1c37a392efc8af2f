#include "script/value_ops.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "script/script_error.h"
#include "script/value_text.h"

namespace ondrix::script {
namespace {

using C = OpClass;
__extension__ using Int128 = __int128;

// Rows: left class, columns: right class, in the order Empty Null Integer Real Currency String
// Boolean Date.
constexpr std::array<std::array<OpClass, 8>, 8> kClassTable{{
    {C::Error, C::Error, C::Error, C::Error, C::Error, C::Error, C::Error, C::Error},
    {C::Error, C::Null, C::Null, C::Null, C::Null, C::Null, C::Null, C::Null},
    {C::Error, C::Null, C::Integer, C::Real, C::Currency, C::Real, C::Integer, C::Date},
    {C::Error, C::Null, C::Real, C::Real, C::Currency, C::Real, C::Real, C::Date},
    {C::Error, C::Null, C::Currency, C::Currency, C::Currency, C::Currency, C::Currency, C::Date},
    {C::Error, C::Null, C::Real, C::Real, C::Currency, C::String, C::Boolean, C::Date},
    {C::Error, C::Null, C::Integer, C::Real, C::Currency, C::Boolean, C::Boolean, C::Date},
    {C::Error, C::Null, C::Date, C::Date, C::Date, C::Date, C::Date, C::Date},
}};

[[noreturn]] void invalidOperation() { throw EVariantError(errtext::kInvalidVariantOperation); }

OpClass classOf(const ScriptValue& v) { return operandClass(v.kind()); }

OpClass pairClass(const ScriptValue& left, const ScriptValue& right) {
  const OpClass c = operationClass(classOf(left), classOf(right));
  if (c == OpClass::Error) invalidOperation();
  return c;
}

ScriptValue integerOp(BinaryOp op, std::int32_t a, std::int32_t b);

// A finite result of finite operands, or the floating-point fault the operation raised.
double checkedReal(double result, double a, double b) {
  if (std::isnan(result) && !std::isnan(a) && !std::isnan(b)) throw EMathError(errtext::kFloatInvalidOperation);
  if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) throw EMathError(errtext::kFloatOverflow);
  return result;
}

ScriptValue realOp(BinaryOp op, double a, double b) {
  switch (op) {
    case BinaryOp::Add: return ScriptValue::real(checkedReal(a + b, a, b));
    case BinaryOp::Subtract: return ScriptValue::real(checkedReal(a - b, a, b));
    case BinaryOp::Multiply: return ScriptValue::real(checkedReal(a * b, a, b));
    case BinaryOp::Divide:
      if (b == 0.0) {
        if (a == 0.0 || std::isnan(a)) throw EMathError(errtext::kFloatInvalidOperation);
        throw EMathError(errtext::kFloatDivisionByZero);
      }
      return ScriptValue::real(checkedReal(a / b, a, b));
    default:
      return integerOp(op, ScriptValue::real(a).toInteger(), ScriptValue::real(b).toInteger());
  }
}

ScriptValue integerOp(BinaryOp op, std::int32_t a, std::int32_t b) {
  const auto widen = [](std::int64_t r) {
    if (r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max())
      return ScriptValue::integer(static_cast<std::int32_t>(r));
    return ScriptValue::real(static_cast<double>(r));  // overflow: the same operation in Real
  };
  const auto ua = static_cast<std::uint32_t>(a);
  switch (op) {
    case BinaryOp::Add: return widen(std::int64_t{a} + b);
    case BinaryOp::Subtract: return widen(std::int64_t{a} - b);
    case BinaryOp::Multiply: return widen(std::int64_t{a} * b);
    case BinaryOp::Divide: return realOp(op, a, b);
    case BinaryOp::IntDivide:
      if (b == 0) throw EMathError(errtext::kDivisionByZero);
      if (b == -1 && a == std::numeric_limits<std::int32_t>::min()) throw EMathError(errtext::kIntegerOverflow);
      return ScriptValue::integer(a / b);
    case BinaryOp::Modulo:
      if (b == 0) throw EMathError(errtext::kDivisionByZero);
      if (b == -1) return ScriptValue::integer(0);
      return ScriptValue::integer(a % b);
    case BinaryOp::Shl: return ScriptValue::integer(static_cast<std::int32_t>(ua << (b & 31)));
    case BinaryOp::Shr: return ScriptValue::integer(static_cast<std::int32_t>(ua >> (b & 31)));
    case BinaryOp::Or: return ScriptValue::integer(a | b);
    case BinaryOp::Xor: return ScriptValue::integer(a ^ b);
    case BinaryOp::And: return ScriptValue::integer(a & b);
  }
  invalidOperation();
}

// Currency: 64-bit ten-thousandths. Products and quotients are formed in 128 bits and rounded half
// to even.
std::int64_t currencyResult(Int128 value) {
  if (value < std::numeric_limits<std::int64_t>::min() || value > std::numeric_limits<std::int64_t>::max())
    throw EVariantError(errtext::kVariantOverflow);
  return static_cast<std::int64_t>(value);
}

Int128 divideHalfEven(Int128 n, Int128 d) {
  Int128 q = n / d;
  const Int128 r = n % d;
  const Int128 twice = 2 * (r < 0 ? -r : r);
  const Int128 ad = d < 0 ? -d : d;
  if (twice > ad || (twice == ad && q % 2 != 0)) q += ((n < 0) != (d < 0)) ? -1 : 1;
  return q;
}

std::int32_t currencyToInteger(std::int64_t scaled) { return ScriptValue::currency(scaled).toInteger(); }

ScriptValue currencyOp(BinaryOp op, std::int64_t a, std::int64_t b) {
  switch (op) {
    case BinaryOp::Add: return ScriptValue::currency(currencyResult(static_cast<Int128>(a) + b));
    case BinaryOp::Subtract: return ScriptValue::currency(currencyResult(static_cast<Int128>(a) - b));
    case BinaryOp::Multiply:
      return ScriptValue::currency(currencyResult(divideHalfEven(static_cast<Int128>(a) * b, 10000)));
    case BinaryOp::Divide:
      if (b == 0) throw EMathError(a == 0 ? errtext::kFloatInvalidOperation : errtext::kFloatDivisionByZero);
      return ScriptValue::currency(currencyResult(divideHalfEven(static_cast<Int128>(a) * 10000, b)));
    default:
      return integerOp(op, currencyToInteger(a), currencyToInteger(b));
  }
}

// A Date-class operand as a day count: a Date or number as it is, a String as a date or a number.
double dateOperand(const ScriptValue& v) {
  if (v.isString()) {
    if (const std::optional<double> day = parseDate(v.stringValue())) return *day;
  }
  return v.toReal();
}

ScriptValue dateOp(BinaryOp op, const ScriptValue& left, const ScriptValue& right) {
  const double a = dateOperand(left);
  const double b = dateOperand(right);
  switch (op) {
    case BinaryOp::Add: return ScriptValue::date(checkedReal(a + b, a, b));
    case BinaryOp::Subtract: {
      const double d = checkedReal(a - b, a, b);
      if (left.kind() == ValueKind::Date && right.kind() == ValueKind::Date) return ScriptValue::real(d);
      return ScriptValue::date(d);
    }
    default: return realOp(op, a, b);
  }
}

int threeWay(auto a, auto b) { return a < b ? -1 : (b < a ? 1 : 0); }

}  // namespace

OpClass operandClass(ValueKind kind) {
  switch (kind) {
    case ValueKind::Empty: return C::Empty;
    case ValueKind::Null: return C::Null;
    case ValueKind::Integer: return C::Integer;
    case ValueKind::Real: return C::Real;
    case ValueKind::Currency: return C::Currency;
    case ValueKind::Date: return C::Date;
    case ValueKind::Boolean: return C::Boolean;
    case ValueKind::String: return C::String;
    case ValueKind::Array: break;
  }
  return C::Error;
}

OpClass operationClass(OpClass left, OpClass right) {
  if (left == C::Error || right == C::Error) return C::Error;
  return kClassTable[static_cast<std::size_t>(left)][static_cast<std::size_t>(right)];
}

void applyBinary(BinaryOp op, ScriptValue& left, const ScriptValue& right) {
  if (left.isInteger() && right.isInteger()) {
    left = integerOp(op, left.integerValue(), right.integerValue());
    return;
  }
  switch (pairClass(left, right)) {
    case C::Null: left = ScriptValue::null(); return;
    case C::Integer: left = integerOp(op, left.toInteger(), right.toInteger()); return;
    case C::Real: left = realOp(op, left.toReal(), right.toReal()); return;
    case C::Currency: left = currencyOp(op, left.toCurrency(), right.toCurrency()); return;
    case C::String:
      if (op == BinaryOp::Add) {
        left.append(right.stringValue());
        return;
      }
      left = realOp(op, left.toReal(), right.toReal());
      return;
    case C::Boolean:
      switch (op) {
        case BinaryOp::And: left = ScriptValue::boolean(left.toBoolean() && right.toBoolean()); return;
        case BinaryOp::Or: left = ScriptValue::boolean(left.toBoolean() || right.toBoolean()); return;
        case BinaryOp::Xor: left = ScriptValue::boolean(left.toBoolean() != right.toBoolean()); return;
        default: left = realOp(op, left.toReal(), right.toReal()); return;
      }
    case C::Date: left = dateOp(op, left, right); return;
    default: invalidOperation();
  }
}

ScriptValue binary(BinaryOp op, ScriptValue left, const ScriptValue& right) {
  applyBinary(op, left, right);
  return left;
}

int compare(const ScriptValue& left, const ScriptValue& right) {
  if (left.isInteger() && right.isInteger()) return threeWay(left.integerValue(), right.integerValue());
  switch (pairClass(left, right)) {
    case C::Null: return threeWay(!left.isNull(), !right.isNull());
    case C::Integer: return threeWay(left.toInteger(), right.toInteger());
    case C::Real: return threeWay(left.toReal(), right.toReal());
    case C::Currency: return threeWay(left.toCurrency(), right.toCurrency());
    case C::Date: return threeWay(dateOperand(left), dateOperand(right));
    case C::Boolean: return threeWay(left.toBoolean(), right.toBoolean());
    case C::String: {
      const std::string_view a = left.stringValue(), b = right.stringValue();
      // An empty string may have no buffer at all: memcmp must not see its null pointer.
      const std::size_t common = std::min(a.size(), b.size());
      const int r = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
      return r != 0 ? (r < 0 ? -1 : 1) : threeWay(a.size(), b.size());
    }
    default: invalidOperation();
  }
}

bool strictlyEqual(const ScriptValue& left, const ScriptValue& right) {
  return left.kind() == right.kind() && compare(left, right) == 0;
}

bool equalsFalse(const ScriptValue& value) {
  // The two kinds every compiled condition has, without the class lookup.
  if (value.kind() == ValueKind::Boolean) return !value.booleanValue();
  if (value.isInteger()) return value.integerValue() == 0;
  return compare(value, ScriptValue::boolean(false)) == 0;
}

void negate(ScriptValue& value) {
  switch (value.kind()) {
    case ValueKind::Integer:
      if (value.integerValue() == std::numeric_limits<std::int32_t>::min())
        value = ScriptValue::real(2147483648.0);
      else
        value = ScriptValue::integer(-value.integerValue());
      return;
    case ValueKind::Real: value = ScriptValue::real(-value.realValue()); return;
    case ValueKind::Date: value = ScriptValue::date(-value.realValue()); return;
    case ValueKind::Currency:
      value = ScriptValue::currency(currencyResult(-static_cast<Int128>(value.currencyValue())));
      return;
    case ValueKind::String: value = ScriptValue::real(-value.toReal()); return;
    case ValueKind::Boolean: value = ScriptValue::integer(value.booleanValue() ? 1 : 0); return;
    case ValueKind::Null: return;
    case ValueKind::Empty:
    case ValueKind::Array: break;
  }
  invalidOperation();
}

void logicalNot(ScriptValue& value) {
  switch (value.kind()) {
    case ValueKind::Boolean: value = ScriptValue::boolean(!value.booleanValue()); return;
    case ValueKind::Null: return;
    case ValueKind::Empty: invalidOperation();
    default: value = ScriptValue::integer(~value.toInteger()); return;
  }
}

}  // namespace ondrix::script
