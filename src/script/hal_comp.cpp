#include "script/hal_comp.h"

#include "script/registration.h"
#include "script/script_error.h"

namespace ondrix::script {

THalComp::THalComp(TComponent* owner, HostTables& host) : TComponent(owner, "THalComp"), host_(host) {}

THalComp::~THalComp() {
  if (registeredProvider_) unregisterProvider(name(), host_);
}

void THalComp::setScript(std::vector<std::string> lines) {
  script_ = std::move(lines);
  markChanged();
}

void THalComp::setScriptText(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  setScript(std::move(lines));
}

void THalComp::setExpression(std::string_view expression) {
  expression_ = std::string(expression);
  if (!expression_.empty()) {
    std::string assignment = "Result:=" + expression_;
    if (assignment.back() != ';') assignment += ';';
    script_ = {"begin", assignment, "end."};
  }
  markChanged();
}

void THalComp::setControlLink(TComponent* component) { controlLink_ = component ? component->handle() : 0; }

TComponent* THalComp::controlLink() {
  if (controlLink_ == 0) return nullptr;
  TComponent* component = objectHandles().find(controlLink_);
  if (component == nullptr) {
    controlLink_ = 0;
    eventLink_.clear();
  }
  return component;
}

void THalComp::loaded(bool designing) {
  if (VarNameTOID && GetVar && SetVar) {
    registerProvider(name(), this, VarNameTOID, GetVar, SetVar, host_);
    registeredProvider_ = true;
  }
  if (designing) return;
  TComponent* link = controlLink();
  if (link == nullptr) return;
  if (TNotifyEvent* event = link->notifyEvent(eventLink_)) {
    const std::int32_t self = handle();
    *event = [self](TComponent* sender) {
      auto* component = static_cast<THalComp*>(objectHandles().find(self));
      if (component == nullptr) return;
      component->prepare("Sender", sender);
      component->run();
    };
  }
}

void THalComp::prepare(std::string_view senderName, TComponent* sender) {
  if (changed_) {
    runner_.reset();
    changed_ = false;
  }
  if (!runner_) {
    std::string source;
    for (const std::string& line : script_) source += line + "\r\n";
    runner_ = std::make_unique<THalRuner>(std::move(source), this, host_);
  }
  senderName_ = std::string(senderName);
  sender_ = sender ? sender->handle() : 0;
}

void THalComp::run() {
  if (!runner_) throw EScriptError("Compile before run");
  tobjcollect& objects = runner_->objects();
  objects.clear();
  if (TComponent* form = owner()) {
    for (const TComponent* component : form->components())
      if (!component->name().empty()) runner_->addObject(component->name(), *component);
    runner_->addObject("Self", *form);
  }
  runner_->addObject("Screen", hostScreen());
  runner_->addObject("Application", hostApplication());
  if (!senderName_.empty())
    if (const TComponent* sender = objectHandles().find(sender_)) runner_->addObject(senderName_, *sender);
  try {
    runner_->execute();
  } catch (...) {
    parentClass_ = runner_->parentClass();
    throw;
  }
  parentClass_ = runner_->parentClass();
}

}  // namespace ondrix::script
