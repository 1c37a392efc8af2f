#pragma once
// THalComp: the component the application runs scripts with.
//
// Fill Script (or set Expression), call prepare() with the sender, then run(). The script is
// compiled on the first run after it changed and the compiled program is run again by later runs.
// A run names these objects for the script: every component of the owner form and the form itself
// as "Self" (when the component has an owner), "Screen", "Application", and the sender under the
// name given to prepare().

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/hal_runer.h"
#include "script/host_interfaces.h"
#include "script/host_object.h"

namespace ondrix::script {

class THalComp : public TComponent {
 public:
  explicit THalComp(TComponent* owner = nullptr, HostTables& host = hostTables());
  ~THalComp() override;

  // Script: text lines, by default "begin" and "end.". Every change sets the changed flag.
  const std::vector<std::string>& script() const { return script_; }
  void setScript(std::vector<std::string> lines);
  void setScriptText(std::string_view text);  // split at line ends (CR LF, LF or CR)
  void clearScript() { setScript({}); }

  // Expression: a non-empty one replaces the script by "begin", "Result:=" + expression (";"
  // appended when missing), "end.". Sets the changed flag either way.
  const std::string& expression() const { return expression_; }
  void setExpression(std::string_view expression);

  // ControlLink / EventLink: a component whose notify event, once loaded() hooked it, prepares and
  // runs the script with "Sender". A link whose component is gone reads as empty and clears
  // EventLink.
  void setControlLink(TComponent* component);
  TComponent* controlLink();
  const std::string& eventLink() const { return eventLink_; }
  void setEventLink(std::string name) { eventLink_ = std::move(name); }

  // This component's own dynamic variables; registered by loaded() when all three are set.
  TDynaVarNameTOId VarNameTOID;
  TDynaGetVar GetVar;
  TDynaSetVar SetVar;

  // After the component's properties are set (the end of loading a form): registers the provider
  // and, unless `designing`, hooks the ControlLink event.
  void loaded(bool designing = false);

  // Builds a new runner when the script changed or there is none; remembers the sender.
  void prepare(std::string_view senderName, TComponent* sender);
  // Fills the object names and executes the runner. Throws EScriptError "Compile before run"
  // without a prepared runner; compile and run-time errors propagate, and the component stays
  // usable.
  void run();

  THalRuner* runner() { return runner_.get(); }
  bool changed() const { return changed_; }
  const std::string& parentClass() const { return parentClass_; }

 private:
  void markChanged() { changed_ = true; }

  HostTables& host_;
  std::vector<std::string> script_{"begin", "end."};
  std::string expression_;
  std::int32_t controlLink_ = 0;  // a handle: the linked component may be freed before us
  std::string eventLink_;
  bool changed_ = true;
  std::unique_ptr<THalRuner> runner_;
  std::string senderName_;
  std::int32_t sender_ = 0;
  std::string parentClass_;
  bool registeredProvider_ = false;
};

}  // namespace ondrix::script
