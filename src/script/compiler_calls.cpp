// Calls of script procedures and host routines.

#include "script/compiler.h"

namespace ondrix::script {

int THalCompiler::call(const std::string& name, const ObjectContext& context, bool asStatement) {
  if (const Resolved procedure = resolve(name)) return scriptCall(procedure);
  return hostCall(name, context, asStatement);
}

// proc ["(" arg {"," arg} ")"]: each argument is moved into its parameter's variable, a var
// argument is a variable that receives the parameter's value back after the call. The value of
// the call is a copy of the procedure's RESULT.
int THalCompiler::scriptCall(const Resolved& procedure) {
  const TIdentListItem& entry = *procedure.item;
  const std::string& key = procedure.key;
  if (!entry.isProcedure) fail("Variable Result not found for " + key);
  std::vector<std::pair<int, int>> copyBack;  // (variable slot, parameter slot)
  if (entry.paramCount > 0) {
    expect('(', "( expected");
    for (int i = 0; i < entry.paramCount; ++i) {
      if (i > 0) expect(',', "Comma expected");
      const Resolved param = resolve(key + "." + entry.paramNames[static_cast<std::size_t>(i)]);
      if (!param || param.item->isProcedure) fail("Procedure " + key + " not found");
      if (entry.varParams[static_cast<std::size_t>(i)]) {
        const int variable = variableArgument();
        emit(Opcode::Move, param.item->value, variable);
        copyBack.emplace_back(variable, param.item->value);
      } else {
        emit(Opcode::Move, param.item->value, expression());
      }
    }
    expect(')', ") expected");
  }
  const Resolved result = resolve(key + ".RESULT");
  if (!result || result.item->isProcedure) fail("Variable Result not found for " + key);
  emit(Opcode::Call, entry.value);
  if (!labels_[static_cast<std::size_t>(entry.value)].placed)
    pendingCalls_.push_back({entry.value, key, lex_.position()});
  for (const auto& [variable, param] : copyBack) emit(Opcode::Move, variable, param);
  const int value = newTemp();
  emit(Opcode::Move, value, result.item->value);
  return value;
}

// A variable argument: an identifier naming a script variable; its slot.
int THalCompiler::variableArgument() {
  if (next().kind != kTokIdent) fail("Variable name expected");
  const Resolved variable = resolve(cur_.text);
  if (!variable || variable.item->isProcedure) fail("Variable <" + cur_.text + "> not defined");
  return variable.item->value;
}

// The routine named `name`; for CLASS.MEMBER names the parent classes are tried in turn.
int THalCompiler::findRoutine(const std::string& name) const {
  std::string candidate = name;
  for (int depth = 0; depth < 256; ++depth) {  // bounded: a registry may hold a cycle
    const int number = host_.routines.find(candidate);
    if (number >= 0) return number;
    const std::size_t dot = candidate.find('.');
    if (dot == std::string::npos) return -1;
    const std::string parent = host_.classes.parentOf(candidate.substr(0, dot));
    if (parent.empty()) return -1;
    candidate = parent + candidate.substr(dot);
  }
  return -1;
}

// routine ["(" args ")"], arguments by their type codes: 0 an expression, 1 a variable, 3 an array
// constructor (brackets optional for a routine of one parameter), 4 a value written after the
// closing bracket as ") := value". A statement tries NAME_VET first.
int THalCompiler::hostCall(const std::string& name, const ObjectContext& context, bool asStatement) {
  int number = asStatement ? findRoutine(name + "_VET") : -1;
  if (number < 0) number = findRoutine(name);
  if (number < 0) fail("Unknown identifier: " + name);
  const TFunListItem& routine = host_.routines.at(number);
  if (asStatement) {
    if (routine.kind != RoutineKind::Function && routine.kind != RoutineKind::Procedure)
      fail("Invalid function usage");
  } else if (routine.kind != RoutineKind::Function) {
    fail("Invalid procedure usage");
  }

  std::vector<int> arguments;
  const int count = routine.paramCount();
  if (count > 0) {
    next();
    if (cur_.kind != '(' && cur_.kind != '[') fail("( expected");
    for (int i = 0; i < count; ++i) {
      const std::uint8_t code = routine.paramTypes[static_cast<std::size_t>(i)];
      if (code == kParamAssigned) {
        if (i != count - 1) fail("Unsupported parameter type");
        next();
        if (cur_.kind != ')' && cur_.kind != ']') fail(") expected");
        expect(':', "Colon expected");
        expect('=', "= expected");
        arguments.push_back(expression());
        break;
      }
      if (i > 0) expect(',', "Comma expected");
      switch (code) {
        case kParamValue:
          arguments.push_back(expression());
          break;
        case kParamVar:
          arguments.push_back(variableArgument());
          break;
        case kParamArray:
          if (count == 1 && !peekIs('[')) {
            arguments.push_back(arrayConstructor(false));
          } else {
            if (next().kind != '[') fail("[ expected but " + cur_.valueText() + " found");
            arguments.push_back(arrayConstructor(true));
          }
          break;
        default:
          fail("Unsupported parameter type");
      }
    }
    if (routine.paramTypes.back() != kParamAssigned) {
      next();
      if (cur_.kind != ')' && cur_.kind != ']') fail(") expected");
    }
  }
  emitObjectContext(context);
  const int result = newTemp();
  emitHostCall(result, number, arguments);
  return result;
}

// The call instruction, then the argument slots packed three to a word in the fields opcode, A, B.
void THalCompiler::emitHostCall(int result, int routine, const std::vector<int>& argumentSlots) {
  emit(Opcode::HostCall, result, routine);
  const int count = host_.routines.at(routine).paramCount();
  for (int word = 0; word < hostArgumentWords(count); ++word) {
    std::int32_t fields[3] = {0, 0, 0};
    for (int field = 0; field < 3; ++field) {
      const auto k = static_cast<std::size_t>(word * 3 + field);
      if (k < argumentSlots.size()) fields[field] = argumentSlots[k];
    }
    image_.code.push_back({fields[1], fields[2], fields[0]});
  }
}

}  // namespace ondrix::script
