#include "script/hal_runer.h"

#include "script/compiler.h"

namespace ondrix::script {

THalRuner::THalRuner(std::string source, THalComp* owner, HostTables& host)
    : source_(std::move(source)), owner_(owner), host_(host) {}

void THalRuner::addObject(std::string_view name, const TComponent& object) {
  addObject(name, object.className(), object);
}

void THalRuner::addObject(std::string_view name, std::string_view className, const TComponent& object) {
  objects_.add(name, className, object.handle());
}

void THalRuner::execute() {
  if (!program_) {
    std::string output;
    THalCompiler compiler(source_, output, host_);
    compiler.setComponent(owner_);
    compiler.setObjects(&objects_);
    compiler.compile();
    parentClass_ = compiler.parentClass();
    if (keepIdentifiers) identifiers_ = compiler.identifiers();
    program_ = std::make_unique<TBinProg>(output, host_);
    output_ = std::move(output);
  }
  if (!compileOnly) program_->run();
}

}  // namespace ondrix::script
