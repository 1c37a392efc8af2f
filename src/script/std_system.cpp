// System queries and dialogs of the standard library.

#include <array>
#include <chrono>
#include <cstdlib>

#include "platform/services.h"
#include "script/std_args.h"
#include "script/std_routines.h"

namespace ondrix::script {
namespace {

std::vector<std::string>& programArguments() {
  static std::vector<std::string> arguments;
  return arguments;
}

platform::Dialogs& dialogs() { return *platform::services().dialogs; }

// No routine of the program does file input/output that reports through IORESULT: the file
// routines give their outcome as their values. So the last result is always success.
void ioResultRoutine(ParamCells&, ScriptValue& r) { r = ScriptValue::integer(0); }

// MOVE(source, var dest, count): a plain value copy; a count of 0 or less copies nothing.
void move(ParamCells& c, ScriptValue&) {
  if (intArg(c, 2) > 0) cell(c, 1) = cell(c, 0);
}

void paramCount(ParamCells&, ScriptValue& r) {
  const std::size_t n = programArguments().size();
  r = ScriptValue::integer(n == 0 ? 0 : static_cast<std::int32_t>(n - 1));
}

void paramStr(ParamCells& c, ScriptValue& r) {
  const std::int32_t i = intArg(c, 0);
  const std::vector<std::string>& args = programArguments();
  r = ScriptValue::string(i >= 0 && static_cast<std::size_t>(i) < args.size() ? args[static_cast<std::size_t>(i)] : "");
}

void randomize(ParamCells&, ScriptValue&) {
  std::srand(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void showMessage(ParamCells& c, ScriptValue&) { dialogs().showMessage(textArg(c, 0)); }

void showMessagePos(ParamCells& c, ScriptValue&) {
  const std::string text = textArg(c, 0);
  dialogs().showMessage(text, std::make_pair(intArg(c, 1), intArg(c, 2)));
}

// INPUTBOX(caption, prompt, default): the entered text, the default when cancelled.
void inputBox(ParamCells& c, ScriptValue& r) {
  const std::string caption = textArg(c, 0), prompt = textArg(c, 1), initial = textArg(c, 2);
  r = ScriptValue::string(dialogs().inputText(caption, prompt, initial).value_or(initial));
}

// INPUTQUERY(caption, prompt, var value): true and the text on OK; false, value untouched, on cancel.
void inputQuery(ParamCells& c, ScriptValue& r) {
  const std::string caption = textArg(c, 0), prompt = textArg(c, 1), initial = textArg(c, 2);
  const std::optional<std::string> answer = dialogs().inputText(caption, prompt, initial);
  if (answer) cell(c, 2) = ScriptValue::string(*answer);
  r = ScriptValue::boolean(answer.has_value());
}

constexpr auto P = RoutineKind::Procedure;
constexpr auto F = RoutineKind::Function;

constexpr std::array kRoutines{
    StdRoutine{"SHOWMESSAGE", P, "0", showMessage},
    StdRoutine{"SHOWMESSAGEPOS", P, "000", showMessagePos},
    StdRoutine{"INPUTBOX", F, "000", inputBox},
    StdRoutine{"INPUTQUERY", F, "001", inputQuery},
    StdRoutine{"IORESULT", F, "", ioResultRoutine},
    StdRoutine{"MOVE", P, "010", move},
    StdRoutine{"PARAMCOUNT", F, "", paramCount},
    StdRoutine{"PARAMSTR", F, "0", paramStr},
    StdRoutine{"RANDOMIZE", P, "", randomize},
};

}  // namespace

std::span<const StdRoutine> systemRoutines() { return kRoutines; }

void setProgramArguments(std::vector<std::string> arguments) { programArguments() = std::move(arguments); }

}  // namespace ondrix::script
