#pragma once
// THalEvent: a host event bound to a script procedure. The runner must have compiled its script
// with keepIdentifiers set, so that the procedure and its parameter variables can be found.
//
// fire() finds the procedure (by its name, or as a method "T" + owner name + "." + name, with a
// trailing "_n" of the owner's name stripped first), stores the sender's handle in its SENDER
// parameter when it has one and the event's values in its other parameters in order, runs the
// procedure, and reads the parameters back into the values the event hands back (var values).
// A parameter variable that does not exist shows "Parameter %S not found" in a message box and is
// skipped (read back as Integer 0); a procedure that does not exist is the error
// "Procedure %s not found".

#include <string>
#include <vector>

#include "script/event_types.h"
#include "script/hal_runer.h"
#include "script/host_object.h"

namespace ondrix::script {

class THalEvent : public TComponent {
 public:
  THalEvent(THalRuner& runner, std::string procedure, TComponent* ownerComponent = nullptr);

  // `values` holds the event's values in the type's order; var values are replaced by the
  // procedure's parameters afterwards.
  void fire(const EventType& type, const TComponent* sender, std::vector<ScriptValue>& values);

 private:
  std::string findProcedure() const;

  THalRuner& runner_;
  std::string procedure_;
  std::int32_t ownerComponent_;
};

}  // namespace ondrix::script
