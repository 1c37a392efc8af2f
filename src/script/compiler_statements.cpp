// Statements: assignment, label placement, calls, goto, compound, if, while, repeat and for.

#include "script/compiler.h"

namespace ondrix::script {

// Compound = "Begin" {statement separator} "End" | "End" (an empty block).
void THalCompiler::compound() {
  next();
  if (cur_.kind == kKwEnd) return;
  if (cur_.kind != kKwBegin) fail("BEGIN expected");
  statementList(kKwEnd);
  if (next().kind != kKwEnd) fail("END expected");
}

// Statements up to (not including) `terminator` or the end of text. After each statement a ';'
// is consumed; it may be left out after a label placement and before "End" or "Until".
void THalCompiler::statementList(std::int32_t terminator) {
  for (;;) {
    const std::int32_t kind = peek().kind;
    if (kind == terminator || kind == kTokEnd) return;
    statement();
    if (peekIs(';')) {
      next();
    } else if (cur_.kind != ':') {
      const std::int32_t following = peek().kind;
      if (following != kKwEnd && following != kKwUntil) fail("Operator delimeter expected");
    }
  }
}

void THalCompiler::statement() {
  const NestingGuard guard(*this);
  switch (peek().kind) {
    case kTokIdent:
      identifierStatement();
      return;
    case kKwGoto:
      gotoStatement();
      return;
    case kKwBegin:
      compound();
      return;
    case kKwIf:
      ifStatement();
      return;
    case kKwWhile:
      whileStatement();
      return;
    case kKwRepeat:
      repeatStatement();
      return;
    case kKwFor:
      forStatement();
      return;
    default:
      next();
      fail("Unknown identifier: " + cur_.valueText());
  }
}

// name ":=" expr | name ":" (label placement) | name [args] (call).
void THalCompiler::identifierStatement() {
  next();
  ObjectContext context;
  const std::string name = dottedName(context);
  if (peekIs(':')) {
    next();
    if (peekIs('=')) {
      next();
      assignment(name, context);
      return;
    }
    const TIdentListItem* label = labelNames_.find(name);
    if (label == nullptr) fail("Label <" + name + "> not defined");
    placeLabel(label->value);
    return;
  }
  const int base = slot_;
  call(name, context, true);
  slot_ = base;
}

// The target is, in this order: a script variable, a dynamic variable, a host NAME_SET routine of
// a dotted name.
void THalCompiler::assignment(const std::string& name, const ObjectContext& context) {
  const int base = slot_;
  if (const Resolved variable = resolve(name); variable && !variable.item->isProcedure) {
    const int value = expression();
    emit(Opcode::Move, variable.item->value, value);
  } else if (const DynaVarRef dynamic = host_.providers.resolve(name, component_); dynamic.found()) {
    const int value = expression();
    emit(Opcode::SetDynamic, dynamic.id, dynamic.provider);
    emitDataWord(value);
  } else if (const int setter = name.find('.') == std::string::npos ? -1 : findRoutine(name + "_SET");
             setter >= 0) {
    const int value = expression();
    emitObjectContext(context);
    const int result = newTemp();
    const int count = host_.routines.at(setter).paramCount();
    emitHostCall(result, setter, std::vector<int>(static_cast<std::size_t>(count), value));
  } else {
    fail("Variable <" + name + "> not defined");
  }
  slot_ = base;
}

void THalCompiler::gotoStatement() {
  next();
  if (next().kind != kTokIdent) fail("Label name expected");
  const TIdentListItem* label = labelNames_.find(cur_.text);
  if (label == nullptr) fail("Label <" + cur_.text + "> not defined");
  labels_[static_cast<std::size_t>(label->value)].referenced = true;
  emit(Opcode::Jump, label->value);
}

// A condition's temporaries are released at once; its slot is read by the jump that follows.
int THalCompiler::condition() {
  const int base = slot_;
  const int value = expression();
  slot_ = base;
  return value;
}

// "If" cond "then" stmt ["else" stmt]; without "else" the statement must be followed by ';' or
// "End".
void THalCompiler::ifStatement() {
  next();
  const int test = condition();
  const std::int32_t elseLabel = newLabel(true);
  emit(Opcode::JumpIfFalse, test, elseLabel);
  expect(kKwThen, "THEN expected");
  statement();
  const std::int32_t following = peek().kind;
  if (following == ';' || following == kKwEnd) {
    placeLabel(elseLabel);
    return;
  }
  expect(kKwElse, "ELSE expected");
  const std::int32_t endLabel = newLabel(true);
  emit(Opcode::Jump, endLabel);
  placeLabel(elseLabel);
  statement();
  placeLabel(endLabel);
}

void THalCompiler::whileStatement() {
  next();
  const std::int32_t top = newLabel(true);
  placeLabel(top);
  const int test = condition();
  const std::int32_t exit = newLabel(true);
  emit(Opcode::JumpIfFalse, test, exit);
  expect(kKwDo, "DO expected");
  statement();
  emit(Opcode::Jump, top);
  placeLabel(exit);
}

void THalCompiler::repeatStatement() {
  next();
  const std::int32_t top = newLabel(true);
  placeLabel(top);
  statementList(kKwUntil);
  expect(kKwUntil, "UNTIL Expected");
  const int test = condition();
  emit(Opcode::JumpIfFalse, test, top);
}

// "For" var ":=" start ("To" | "DownTo") limit "Do" stmt. The limit is evaluated before every
// round; after a completed loop the variable holds limit + 1 (limit - 1).
void THalCompiler::forStatement() {
  next();
  if (next().kind != kTokIdent) fail("Variable name expected");
  const Resolved variable = resolve(cur_.text);
  if (!variable || variable.item->isProcedure) fail("Variable <" + cur_.text + "> not defined");
  const int counter = variable.item->value;
  expect(':', "Colon expected");
  expect('=', "= expected");
  const int start = condition();
  emit(Opcode::Move, counter, start);
  const std::int32_t direction = next().kind;
  const std::int32_t loop = newLabel(true);
  placeLabel(loop);
  const int base = slot_;
  const int limit = expression();
  const int test = newTemp();
  emit(Opcode::Move, test, counter);
  expect(kKwDo, "DO expected");
  if (direction == kKwTo)
    emit(Opcode::LessEqual, test, limit);
  else if (direction == kKwDownTo)
    emit(Opcode::GreaterEqual, test, limit);
  else
    fail("TO or DOWNTO expected");
  slot_ = base;
  const std::int32_t exit = newLabel(true);
  emit(Opcode::JumpIfFalse, test, exit);
  statement();
  emit(direction == kKwTo ? Opcode::Increment : Opcode::Decrement, counter);
  emit(Opcode::Jump, loop);
  placeLabel(exit);
}

}  // namespace ondrix::script
