#pragma once
// THalRuner: compiles one script once and runs it. The object-name table names the host objects
// the script may use; it must be filled before the first Execute, which compiles their handles
// into the program.

#include <memory>
#include <string>
#include <string_view>

#include "script/bin_prog.h"
#include "script/host_interfaces.h"
#include "script/host_object.h"
#include "script/ident_list.h"

namespace ondrix::script {

class THalComp;

class THalRuner {
 public:
  THalRuner(std::string source, THalComp* owner = nullptr, HostTables& host = hostTables());

  // Names `object` for the script, under its own class name or under `className`.
  void addObject(std::string_view name, const TComponent& object);
  void addObject(std::string_view name, std::string_view className, const TComponent& object);
  tobjcollect& objects() { return objects_; }

  // Compiles on the first call (ECompilerError propagates and leaves the runner uncompiled), then,
  // unless compile-only is set, runs the program from its first instruction. The program keeps
  // its slot values from one run to the next.
  void execute();

  bool compiled() const { return program_ != nullptr; }
  bool keepIdentifiers = false;
  bool compileOnly = false;

  const std::string& source() const { return source_; }
  TBinProg* program() { return program_.get(); }
  // The compiler's identifier table, kept only when keepIdentifiers was set at compilation.
  const TIdentList& identifiers() const { return identifiers_; }
  const std::string& parentClass() const { return parentClass_; }

 private:
  std::string source_;
  std::string output_;
  THalComp* owner_;
  HostTables& host_;
  tobjcollect objects_;
  TIdentList identifiers_;
  std::string parentClass_;
  std::unique_ptr<TBinProg> program_;
};

}  // namespace ondrix::script
