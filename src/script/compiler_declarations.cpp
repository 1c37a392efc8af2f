// Declarations: labels, variables, class and record types, uses clauses, procedure and function
// headers and bodies.

#include "script/compiler.h"

namespace ondrix::script {

// Block = { "Label" labels | "Var" groups | "type" types | "uses" names | "interface" |
//           "implementation" | ("procedure" | "function") header body }, until "Begin" or "End".
void THalCompiler::declarationBlock() {
  for (;;) {
    const std::int32_t kind = peek().kind;
    if (kind == kKwBegin || kind == kKwEnd) return;
    next();
    switch (kind) {
      case kKwLabel:
        labelDeclaration();
        break;
      case kKwVar:
        do variableGroup();
        while (!isKeyword(peek().kind));
        break;
      case kKwType:
        while (peekIs(kTokIdent)) typeDeclaration();
        break;
      case kKwUses:
        // uses ident {, ident} followed by any one token (normally ';'), all ignored.
        do expect(kTokIdent, "Identifier expected");
        while (next().kind == ',');
        break;
      case kKwInterface:
      case kKwImplementation:
        break;
      case kKwProcedure:
      case kKwFunction:
        procedureBody(procedureHeader());
        break;
      default:
        fail("Error in declaration block");
    }
  }
}

// Labels = ident {"," ident} ";". Labels are not scoped: one name table for the whole script.
void THalCompiler::labelDeclaration() {
  for (;;) {
    if (next().kind != kTokIdent) fail("Label name expected");
    if (labelNames_.find(cur_.text)) fail("Label <" + cur_.text + "> already defined");
    labelNames_.add(cur_.text).value = newLabel(false);
    next();
    if (cur_.kind == ';') return;
    if (cur_.kind != ',') fail("Comma or delimeter expected");
  }
}

// Group = ident {"," ident} ":" type-token ";". A host object name takes no slot; the type token
// is kept as written.
void THalCompiler::variableGroup() {
  std::vector<TIdentListItem*> entries;
  for (;;) {
    if (next().kind != kTokIdent) fail("Variable name expected");
    const std::string name = cur_.text;
    if (resolve(name)) fail("Variable <" + name + "> already defined");
    if (objects_ == nullptr || objects_->find(name) == nullptr) {
      TIdentListItem& entry = idents_.add(prefix_ + name);
      entry.value = declareSlot();
      entries.push_back(&entry);
    }
    next();
    if (cur_.kind == ':') break;
    if (cur_.kind != ',') fail("Error in variable declaration block");
  }
  next();
  for (TIdentListItem* entry : entries) entry->typeName = cur_.valueText();
  expect(';', "Operator delimeter expected");
}

// Type = ident "=" ("class" | "record") ["(" parent ")"] (";" | members "End" ";").
// Members: visibility words, field groups and method headers, named TYPE.MEMBER.
void THalCompiler::typeDeclaration() {
  next();
  const std::string name = cur_.text;
  if (next().kind != '=') fail(name + " declaration  error");
  next();
  if (cur_.kind != kKwClass && cur_.kind != kKwRecord) fail("Only class declarations allowed");
  if (peekIs('(')) {
    next();
    expect(kTokIdent, "Parent name expected");
    parentClass_ = cur_.text;
    expect(')', ") Expected");
  }
  if (peekIs(';')) {
    next();
    return;
  }
  const std::string outer = prefix_;
  prefix_ = name + ".";
  for (;;) {
    const std::int32_t kind = peek().kind;
    if (kind == kKwEnd) break;
    switch (kind) {
      case kKwPrivate:
      case kKwPublic:
      case kKwProtected:
      case kKwPublished:
        next();
        break;
      case kTokIdent:
        variableGroup();
        break;
      case kKwProcedure:
      case kKwFunction:
        next();
        procedureHeader();
        break;
      case kKwProperty:
        next();
        fail("Properties not implemented");
      default:
        next();
        fail("END expected");
    }
  }
  next();
  prefix_ = outer;
  expect(';', "Operator delimeter expected");
}

// Header = ident {"." ident} [params] [":" type-token] ";" [directive ";" [directive ";"]].
// A name already known as a procedure (forward declaration, method of a class) keeps its entry and
// its parameters; otherwise it is entered with a fresh label, its parameters and its RESULT.
// Returns the procedure's table key.
std::string THalCompiler::procedureHeader() {
  expect(kTokIdent, "Identifier expected");
  std::string name = cur_.text;
  while (peekIs('.')) {
    next();
    expect(kTokIdent, "Identifier expected");
    name += '.';
    name += cur_.text;
  }
  std::string key;
  TIdentListItem* entry = nullptr;
  if (const Resolved known = resolve(name); known && known.item->isProcedure) {
    key = known.key;
  } else {
    key = prefix_ + name;
    entry = &idents_.add(key);
    entry->value = newLabel(false);
    entry->isProcedure = true;
  }
  parameterList(key, entry);
  if (peekIs(':')) {
    next();
    next();
    if (entry) entry->typeName = cur_.valueText();
  }
  if (entry) idents_.add(key + ".RESULT").value = declareSlot();
  expect(';', "Operator delimeter expected");
  for (int directives = 0; directives < 2; ++directives) {
    const std::int32_t kind = peek().kind;
    if (kind != kKwVirtual && kind != kKwOverride && kind != kKwDynamic && kind != kKwAbstract &&
        kind != kKwStdcall)
      break;
    next();
    expect(';', "Operator delimeter expected");
  }
  return key;
}

// Params = "(" group {";" group} ")", group = ["Var" | "const"] ident {"," ident} ":" type-token.
// Parameters are recorded only when `entry` is given (a new procedure).
void THalCompiler::parameterList(const std::string& key, TIdentListItem* entry) {
  if (!peekIs('(') && !peekIs('[')) return;
  next();
  for (;;) {
    next();
    bool isVar = false;
    if (cur_.kind == kKwVar) {
      isVar = true;
      next();
    } else if (cur_.kind == kKwConst) {
      next();
    }
    if (cur_.kind != kTokIdent) fail("Method parameters declaration error");
    std::vector<std::string> names{cur_.text};
    for (;;) {
      next();
      if (cur_.kind == ':') break;
      if (cur_.kind != ',') fail("Method declaration error");
      expect(kTokIdent, "Method parameters declaration error");
      names.push_back(cur_.text);
    }
    next();  // the type token, not checked
    if (entry) {
      for (const std::string& param : names) {
        if (entry->paramCount >= kMaxParams) fail("Too many parameters");
        idents_.add(key + "." + param).value = declareSlot();
        entry->paramNames.push_back(param);
        entry->varParams[static_cast<std::size_t>(entry->paramCount++)] = isVar ? 1 : 0;
      }
    }
    next();
    if (cur_.kind == ')' || cur_.kind == ']') return;
    if (cur_.kind != ';') fail(") expected");
  }
}

// Body = "forward" ";" | block compound-statement ";". Nested procedures come before the body's
// entry point; the body ends with a return.
void THalCompiler::procedureBody(const std::string& key) {
  if (peekIs(kKwForward)) {
    next();
    expect(';', "Operator delimeter expected");
    return;
  }
  const NestingGuard guard(*this);
  const std::int32_t label = idents_.find(key)->value;
  const std::string outer = prefix_;
  prefix_ = key + ".";
  declarationBlock();
  placeLabel(label);
  labels_[static_cast<std::size_t>(label)].referenced = true;
  startCodeBlock();
  compound();
  expect(';', "Operator delimeter expected");
  prefix_ = outer;
  emit(Opcode::Return);
}

}  // namespace ondrix::script
