#pragma once
// TInternalVar: the global dynamic-variable provider "__InternalVar". It knows `Result` (any case)
// as id 0, so at program level `Result` is a variable that outlives the run: an expression
// component leaves its value there. Ids 1 and up would address further named values; there are
// none.

#include <cstdint>
#include <string_view>

#include "script/host_interfaces.h"

namespace ondrix::script {

inline constexpr std::string_view kInternalVarName = "__InternalVar";

class TInternalVar {
 public:
  std::int32_t nameToId(std::string_view name) const;
  // Empty until a script assigns it; an unknown id reads as Empty.
  ScriptValue get(std::int32_t id) const;
  void set(std::int32_t id, const ScriptValue& value);

  const ScriptValue& result() const { return result_; }
  void clear() { result_ = ScriptValue(); }

  // Enters this provider into `host` under "__InternalVar".
  void registerIn(HostTables& host);

 private:
  ScriptValue result_;
};

// The one instance the engine registers.
TInternalVar& internalVar();

}  // namespace ondrix::script
