#include "script/hal_event.h"

#include "platform/services.h"
#include "script/ident_list.h"
#include "script/script_error.h"

namespace ondrix::script {
namespace {

// "Button1_12" -> "Button1"; a name without a numbered suffix is returned unchanged.
std::string stripNumberSuffix(const std::string& name) {
  const std::size_t underscore = name.rfind('_');
  if (underscore == std::string::npos || underscore + 1 == name.size()) return name;
  for (std::size_t i = underscore + 1; i < name.size(); ++i)
    if (name[i] < '0' || name[i] > '9') return name;
  return name.substr(0, underscore);
}

void parameterNotFound(const std::string& name) {
  platform::services().dialogs->messageBox("Parameter " + name + " not found", {}, platform::MessageStyle::Error,
                                           platform::MessageButtons::Ok);
}

}  // namespace

THalEvent::THalEvent(THalRuner& runner, std::string procedure, TComponent* ownerComponent)
    : TComponent(nullptr, "THalEvent"),
      runner_(runner),
      procedure_(std::move(procedure)),
      ownerComponent_(ownerComponent ? ownerComponent->handle() : 0) {}

std::string THalEvent::findProcedure() const {
  const TIdentList& idents = runner_.identifiers();
  auto isProcedure = [&](const std::string& key) {
    const TIdentListItem* item = idents.find(key);
    return item != nullptr && item->isProcedure;
  };
  if (isProcedure(procedure_)) return upperCase1252(procedure_);
  if (const TComponent* owner = objectHandles().find(ownerComponent_)) {
    const std::string stripped = stripNumberSuffix(owner->name());
    const std::string method = "T" + stripped + "." + procedure_;
    if (isProcedure(method)) return upperCase1252(method);
    const std::string full = "T" + owner->name() + "." + procedure_;
    if (stripped != owner->name() && isProcedure(full)) return upperCase1252(full);
  }
  throw EScriptError("Procedure " + procedure_ + " not found");
}

void THalEvent::fire(const EventType& type, const TComponent* sender, std::vector<ScriptValue>& values) {
  if (runner_.program() == nullptr) throw EScriptError("Compile before run");
  const std::string key = findProcedure();
  const TIdentList& idents = runner_.identifiers();
  const TIdentListItem& proc = *idents.find(key);
  TBinProg& program = *runner_.program();

  std::vector<std::string> params;  // the parameters that receive the values
  for (const std::string& name : proc.paramNames) {
    if (name == "SENDER") {
      if (type.hasSender)
        if (const TIdentListItem* v = idents.find(key + ".SENDER"))
          program.slot(v->value) = ScriptValue::integer(sender ? sender->handle() : 0);
      continue;
    }
    params.push_back(name);
  }
  const std::size_t count = std::min(values.size(), type.values.size());
  for (std::size_t k = 0; k < count && k < params.size(); ++k) {
    const TIdentListItem* v = idents.find(key + "." + params[k]);
    if (v == nullptr) {
      parameterNotFound(params[k]);
      continue;
    }
    program.slot(v->value) = values[k];
  }

  program.runFrom(program.image().labels.at(static_cast<std::size_t>(proc.value)));

  for (std::size_t k = 0; k < count && k < params.size(); ++k) {
    const TIdentListItem* v = idents.find(key + "." + params[k]);
    ScriptValue back = ScriptValue::integer(0);
    if (v == nullptr)
      parameterNotFound(params[k]);
    else
      back = program.slot(v->value);
    if (type.values[k].isVar) values[k] = back;
  }
}

}  // namespace ondrix::script
