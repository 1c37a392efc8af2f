#pragma once
// THalCompiler: translates one script into a program (bin_prog.h) in a single recursive-descent
// pass with one token of look-ahead. Every name is resolved while compiling: script variables and
// procedures through the identifier table and its scope walk, host routines, registered constants,
// dynamic variables and host objects through the host tables.
//
// Slots. Variables, parameters, function results and expression temporaries all take slots from
// one counter; a statement releases its temporaries by setting the counter back. Locals live in
// fixed slots, so a recursive call overwrites its caller's locals. Each procedure body and the main
// block start their temporaries above every slot handed out before, and a variable declared after
// a body is placed above that body's temporaries, so a call inside an expression never overwrites
// the caller's pending operands (except in recursion, where the shared slots are the design).
//
// Labels. Jumps and calls name labels, not instruction addresses; a label is placed by recording
// the instruction count, and the label table is written with the program. At the end every label
// must be both referenced and placed, or neither ("Link Error").
//
// Errors are ECompilerError syntax errors with the line of the read position; the first one ends
// the compilation and nothing is written.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/bin_prog.h"
#include "script/host_interfaces.h"
#include "script/ident_list.h"
#include "script/lexer.h"

namespace ondrix::script {

inline constexpr int kMaxArrayElements = 201;
// Deepest nesting of statements, expressions and procedures; deeper text is rejected instead of
// exhausting the stack of the recursive descent.
inline constexpr int kMaxNesting = 200;

class THalCompiler {
 public:
  // `output` receives the program when compile() succeeds.
  THalCompiler(std::string_view source, std::string& output, const HostTables& host = hostTables());

  // The component that owns the compilation (for component-bound dynamic variables) and the
  // object names the script may use; both optional.
  void setComponent(const THalComp* component) { component_ = component; }
  void setObjects(const tobjcollect* objects) { objects_ = objects; }

  void compile();

  // After compile(): the identifier table, the last parent-class name of a class declaration, and
  // the program as built.
  const TIdentList& identifiers() const { return idents_; }
  const std::string& parentClass() const { return parentClass_; }
  const ProgramImage& image() const { return image_; }

 private:
  // Where a dotted name's object lives: a handle compiled into the program or a variable's slot.
  struct ObjectContext {
    enum class Kind { None, Handle, Slot } kind = Kind::None;
    std::int32_t value = 0;
  };
  // A resolved identifier: its full key and entry.
  struct Resolved {
    std::string key;
    const TIdentListItem* item = nullptr;
    explicit operator bool() const { return item != nullptr; }
  };
  struct LabelItem {
    bool referenced = false;
    bool placed = false;
    std::int32_t target = 0;
  };
  struct PendingCall {  // a call of a procedure whose body may still be missing
    std::int32_t label;
    std::string name;
    std::size_t position;  // read position after the call, for the error's line
  };
  // Counts the nesting of statements, expressions and procedures while it lives.
  class NestingGuard {
   public:
    explicit NestingGuard(THalCompiler& compiler);
    ~NestingGuard() { --compiler_.nesting_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

   private:
    THalCompiler& compiler_;
  };

  // compiler.cpp: tokens, errors, the scope walk, the program frame.
  const TToken& next();
  TToken peek() { return lex_.peek(); }
  bool peekIs(std::int32_t kind) { return lex_.peek().kind == kind; }
  void expect(std::int32_t kind, std::string_view message);
  [[noreturn]] void fail(std::string_view message) const;
  Resolved resolve(std::string_view name) const;
  void program();
  void checkLabels();

  // compiler_emit.cpp: slots, labels, constants and instructions.
  int allocSlot();
  int newTemp() { return allocSlot(); }
  int declareSlot();
  void startCodeBlock() { slot_ = highWater_; }
  std::int32_t newLabel(bool referenced);
  void placeLabel(std::int32_t label);
  void emit(Opcode op, std::int32_t a = 0, std::int32_t b = 0);
  void emitDataWord(std::int32_t a) { image_.code.push_back({a, 0, 0}); }
  int loadConstant(ScriptValue value);
  void emitObjectContext(const ObjectContext& context);
  std::int32_t here() const { return static_cast<std::int32_t>(image_.code.size()); }

  // compiler_declarations.cpp
  void declarationBlock();
  void labelDeclaration();
  void variableGroup();
  void typeDeclaration();
  std::string procedureHeader();
  void procedureBody(const std::string& key);
  void parameterList(const std::string& key, TIdentListItem* entry);

  // compiler_statements.cpp
  void statement();
  void compound();
  void statementList(std::int32_t terminator);
  void identifierStatement();
  void assignment(const std::string& name, const ObjectContext& context);
  void gotoStatement();
  void ifStatement();
  void whileStatement();
  void repeatStatement();
  void forStatement();
  int condition();

  // compiler_expressions.cpp
  int expression();
  int simpleExpression();
  int term();
  int operand();
  int numberOperand();
  int hexOperand(std::string_view digits);
  int stringOperand();
  int nameOperand();
  int arrayConstructor(bool bracketsRequired);
  std::string dottedName(ObjectContext& context);

  // compiler_calls.cpp
  int call(const std::string& name, const ObjectContext& context, bool asStatement);
  int scriptCall(const Resolved& procedure);
  int hostCall(const std::string& name, const ObjectContext& context, bool asStatement);
  int findRoutine(const std::string& name) const;
  int variableArgument();
  void emitHostCall(int result, int routine, const std::vector<int>& argumentSlots);

  const HostTables& host_;
  std::string& output_;
  const THalComp* component_ = nullptr;
  const tobjcollect* objects_ = nullptr;

  TLexer lex_;
  TToken cur_;
  int nesting_ = 0;
  int slot_ = 0;       // next free slot
  int highWater_ = 0;  // one above the highest slot handed out so far
  std::string prefix_;
  TIdentList idents_;
  TIdentList labelNames_;
  std::vector<LabelItem> labels_;
  std::vector<PendingCall> pendingCalls_;
  ProgramImage image_;
  std::string parentClass_;
};

}  // namespace ondrix::script
