// The compiler's frame: tokens and errors, the scope walk, the program and the label check.

#include "script/compiler.h"

#include "script/compiler_error.h"
#include "script/script_error.h"

namespace ondrix::script {

THalCompiler::THalCompiler(std::string_view source, std::string& output, const HostTables& host)
    : host_(host),
      output_(output),
      lex_(source, [&host](const std::string& name) { return host.constants.find(name); }) {}

THalCompiler::NestingGuard::NestingGuard(THalCompiler& compiler) : compiler_(compiler) {
  if (++compiler_.nesting_ > kMaxNesting) {
    --compiler_.nesting_;
    compiler_.fail("Nesting too deep");
  }
}

const TToken& THalCompiler::next() {
  cur_ = lex_.next();
  return cur_;
}

void THalCompiler::expect(std::int32_t kind, std::string_view message) {
  if (next().kind != kind) fail(message);
}

void THalCompiler::fail(std::string_view message) const {
  throw ECompilerError::syntax(lex_.lineNumber(), message);
}

// Tries prefix + name, then drops the prefix's components one by one from the end; the last try
// is the bare name. Inside "TFOO.BAR." the name X is tried as TFOO.BAR.X, TFOO.X, X.
THalCompiler::Resolved THalCompiler::resolve(std::string_view name) const {
  std::string_view scope = prefix_;
  std::string key;
  for (;;) {
    key.assign(scope);
    key.append(name);
    if (const TIdentListItem* item = idents_.find(key)) return {std::move(key), item};
    if (scope.empty()) return {};
    scope.remove_suffix(1);  // the trailing '.'
    const std::size_t dot = scope.rfind('.');
    scope = dot == std::string_view::npos ? std::string_view() : scope.substr(0, dot + 1);
  }
}

// Program = [("Program" | "unit") ident ";"] declarations compound-statement any-token.
// Code: a jump over the procedure bodies to the main block, which ends with a halt.
void THalCompiler::program() {
  const std::int32_t mainLabel = newLabel(true);
  emit(Opcode::Jump, mainLabel);
  const std::int32_t head = peek().kind;
  if (head == kKwProgram || head == kKwUnit) {
    next();
    expect(kTokIdent, "Program name expected");
    expect(';', "Operator delimeter expected");
  }
  declarationBlock();
  placeLabel(mainLabel);
  startCodeBlock();
  compound();
  next();  // normally the final '.'; nothing after it is read
  emit(Opcode::Halt);
}

void THalCompiler::checkLabels() {
  // A call of a procedure that was declared forward and never given a body would jump nowhere.
  for (const PendingCall& call : pendingCalls_)
    if (!labels_[static_cast<std::size_t>(call.label)].placed)
      throw ECompilerError::syntax(lex_.lineNumberAt(call.position),
                                   "Procedure " + call.name + " has no body");
  for (const LabelItem& label : labels_)
    if (label.referenced != label.placed) fail("Link Error");
}

void THalCompiler::compile() {
  program();
  checkLabels();
  image_.labels.clear();
  for (const LabelItem& label : labels_) image_.labels.push_back(label.placed ? label.target : 0);
  try {
    std::string bytes;
    writeProgram(image_, bytes);
    output_.append(bytes);
  } catch (const EProgramFormatError& e) {
    fail(e.what());
  }
}

}  // namespace ondrix::script
