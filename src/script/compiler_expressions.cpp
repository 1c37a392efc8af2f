// Expressions. Levels, loosest first: relational (at most one operator), additive, multiplicative,
// operand. Every operand lands in a fresh temporary; a binary operator leaves its result in the
// left operand's slot, so variables are never changed by an expression.

#include <charconv>
#include <cstdint>
#include <limits>

#include "script/compiler.h"

namespace ondrix::script {
namespace {

struct BinaryOperator {
  std::int32_t token;
  Opcode op;
};

constexpr BinaryOperator kMultiplicative[] = {
    {'*', Opcode::Multiply}, {'/', Opcode::Divide}, {kKwDiv, Opcode::IntDivide},
    {kKwMod, Opcode::Modulo}, {kKwAnd, Opcode::And}, {kKwShl, Opcode::Shl},
    {kKwShr, Opcode::Shr},
};
constexpr BinaryOperator kAdditive[] = {
    {'+', Opcode::Add}, {'-', Opcode::Subtract}, {kKwOr, Opcode::Or}, {kKwXor, Opcode::Xor}};

template <std::size_t N>
const BinaryOperator* findOperator(const BinaryOperator (&table)[N], std::int32_t token) {
  for (const BinaryOperator& entry : table)
    if (entry.token == token) return &entry;
  return nullptr;
}

// The value of a decimal digit string: an Integer, or a Real when it does not fit in 32 bits.
ScriptValue decimalValue(std::string_view digits) {
  for (const char ch : digits)
    if (ch < '0' || ch > '9') return ScriptValue::integer(0);  // hex letters in a decimal place
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc() && value <= std::numeric_limits<std::int32_t>::max())
    return ScriptValue::integer(static_cast<std::int32_t>(value));
  double real = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), real);
  return ScriptValue::real(real);
}

}  // namespace

// Expr = simple [relation simple], relation = "=" | "<>" | "<" | ">" | "<=" | ">=".
int THalCompiler::expression() {
  const int left = simpleExpression();
  Opcode op;
  switch (peek().kind) {
    case '=':
      next();
      op = Opcode::Equal;
      break;
    case '<':
      next();
      op = Opcode::Less;
      if (peekIs('=')) {
        next();
        op = Opcode::LessEqual;
      } else if (peekIs('>')) {
        next();
        op = Opcode::NotEqual;
      }
      break;
    case '>':
      next();
      op = Opcode::Greater;
      if (peekIs('=')) {
        next();
        op = Opcode::GreaterEqual;
      }
      break;
    default:
      return left;
  }
  const int right = simpleExpression();
  emit(op, left, right);
  return left;
}

// Simple = term {("+" | "-" | "Or" | "Xor") term}.
int THalCompiler::simpleExpression() {
  const int left = term();
  while (const BinaryOperator* entry = findOperator(kAdditive, peek().kind)) {
    next();
    const int right = term();
    emit(entry->op, left, right);
  }
  return left;
}

// Term = operand {("*" | "/" | "Div" | "Mod" | "And" | "Shl" | "Shr") operand}.
int THalCompiler::term() {
  const int left = operand();
  while (const BinaryOperator* entry = findOperator(kMultiplicative, peek().kind)) {
    next();
    const int right = operand();
    emit(entry->op, left, right);
  }
  return left;
}

int THalCompiler::operand() {
  const NestingGuard guard(*this);
  next();
  switch (cur_.kind) {
    case kTokDigits:
      return numberOperand();
    case '$':
      if (next().kind != kTokDigits) fail("Hex constant declaration error");
      return hexOperand(cur_.text);
    case kTokHex:
      return hexOperand(cur_.text);
    case kTokString:
    case '#':
      return stringOperand();
    case kTokConstant:
      return loadConstant(host_.constants.at(cur_.number).value);
    case kKwTrue:
      return loadConstant(ScriptValue::boolean(true));
    case kKwFalse:
      return loadConstant(ScriptValue::boolean(false));
    case kKwNil:
      return loadConstant(ScriptValue::integer(0));
    case '(': {
      const int value = expression();
      next();
      if (cur_.kind != ')' && cur_.kind != ']') fail(") expected");
      return value;
    }
    case '[':
      return arrayConstructor(true);
    case '+':
      return operand();
    case '-': {
      const int value = operand();
      emit(Opcode::Negate, value);
      return value;
    }
    case kKwNot: {
      const int value = operand();
      emit(Opcode::Not, value);
      return value;
    }
    case kTokIdent:
      return nameOperand();
    default:
      return 0;  // any other token is consumed and stands for slot 0
  }
}

// digits ["." digits]: an Integer, or a Real with a fractional part.
int THalCompiler::numberOperand() {
  const std::string whole = cur_.text;
  if (!peekIs('.')) return loadConstant(decimalValue(whole));
  next();
  if (next().kind != kTokDigits) fail("Real constant declaration error");
  const std::string text = whole + "." + cur_.text;
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return loadConstant(ScriptValue::real(value));
}

// Up to eight significant hex digits, taken as a 32-bit pattern; an invalid text gives 0.
int THalCompiler::hexOperand(std::string_view digits) {
  std::uint32_t value = 0;
  const std::size_t first = digits.find_first_not_of('0');
  const std::string_view significant = first == std::string_view::npos ? "" : digits.substr(first);
  const auto [end, error] =
      std::from_chars(significant.data(), significant.data() + significant.size(), value, 16);
  if (digits.empty() || significant.size() > 8 || error != std::errc() ||
      end != significant.data() + significant.size())
    value = 0;
  return loadConstant(ScriptValue::integer(static_cast<std::int32_t>(value)));
}

// Adjacent string literals and #n character codes join into one string: 'a'#13#10'b'.
int THalCompiler::stringOperand() {
  std::string text;
  for (;;) {
    if (cur_.kind == kTokString) {
      text += cur_.text;
    } else {
      if (next().kind != kTokDigits) fail("String constant declaration error");
      const ScriptValue code = decimalValue(cur_.text);
      text += static_cast<char>(code.isInteger() ? code.integerValue() & 0xFF : 0);
    }
    const std::int32_t following = peek().kind;
    if (following != kTokString && following != '#') break;
    next();
  }
  return loadConstant(ScriptValue::string(text));
}

// The name in the current token with its ".ident" parts. A dotted name whose first part is a host
// object, or a variable whose type is a host class, gets that object as its context and the class
// name in place of its first part.
std::string THalCompiler::dottedName(ObjectContext& context) {
  std::string name = cur_.text;
  context = {};
  if (!peekIs('.')) return name;
  if (const tobjitem* object = objects_ ? objects_->find(name) : nullptr) {
    context = {ObjectContext::Kind::Handle, object->handle};
    name = object->className;
  } else if (const Resolved variable = resolve(name);
             variable && !variable.item->isProcedure && !variable.item->typeName.empty() &&
             host_.classes.knows(variable.item->typeName)) {
    context = {ObjectContext::Kind::Slot, variable.item->value};
    name = upperCase1252(variable.item->typeName);
  }
  while (peekIs('.')) {
    next();
    expect(kTokIdent, "Identifier expected");
    name += '.';
    name += cur_.text;
  }
  return name;
}

// A name without brackets is, in this order, a host object (its handle), a script variable, a
// dynamic variable; a script procedure here is an error. Otherwise, and with brackets, a call.
int THalCompiler::nameOperand() {
  ObjectContext context;
  const std::string name = dottedName(context);
  const std::int32_t following = peek().kind;
  if (following != '(' && following != '[') {
    if (const tobjitem* object = objects_ ? objects_->find(name) : nullptr)
      return loadConstant(ScriptValue::integer(object->handle));
    const Resolved known = resolve(name);
    if (known && !known.item->isProcedure) {
      const int slot = newTemp();
      emit(Opcode::Move, slot, known.item->value);
      return slot;
    }
    if (const DynaVarRef dynamic = host_.providers.resolve(name, component_); dynamic.found()) {
      const int slot = newTemp();
      emit(Opcode::GetDynamic, dynamic.id, dynamic.provider);
      emitDataWord(slot);
      return slot;
    }
    if (known) fail("Invalid procedure usage");
  }
  return call(name, context, false);
}

// "[" e1 {"," e} "]": a new array of n + 1 elements, element 0 the count n, then the values.
// `bracketed`: the "[" has been read and "]" closes the list; otherwise the list ends before the
// caller's ")".
int THalCompiler::arrayConstructor(bool bracketed) {
  const int array = newTemp();
  std::vector<int> elements;
  const std::int32_t closer = bracketed ? ']' : ')';
  if (!peekIs(closer)) {
    for (;;) {
      if (elements.size() == static_cast<std::size_t>(kMaxArrayElements)) fail("Too many array elements");
      elements.push_back(expression());
      if (!peekIs(',')) break;
      next();
    }
  }
  if (bracketed && next().kind != ']') fail("] expected but " + cur_.valueText() + " found");
  const auto count = static_cast<std::int32_t>(elements.size());
  emit(Opcode::NewArray, array, count);
  const int countSlot = loadConstant(ScriptValue::integer(count));
  emit(Opcode::ArrayStore, 0, countSlot);
  emitDataWord(array);
  for (std::int32_t i = 0; i < count; ++i) {
    emit(Opcode::ArrayStore, i + 1, elements[static_cast<std::size_t>(i)]);
    emitDataWord(array);
  }
  return array;
}

}  // namespace ondrix::script
