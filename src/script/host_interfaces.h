#pragma once
// The tables through which the host offers routines, constants, variables and objects to scripts.
// The compiler resolves names against them and the machine calls through them. They are filled at
// start-up and only read afterwards; every name is looked up case-insensitively (Windows-1252
// upper-casing) and stored upper-cased.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "script/value.h"

namespace ondrix::script {

class THalComp;  // the component that owns a compilation (run-time binding)

inline constexpr int kParamCellCount = 101;  // parameter cells 0..100
inline constexpr int kHighestParamCell = kParamCellCount - 1;
inline constexpr int kMaxRoutineParams = 100;

using ParamCells = std::array<ScriptValue, kParamCellCount>;

// ---------------------------------------------------------------------------------------------
// Host routines.

enum class RoutineKind : std::uint8_t {
  Function = 0,   // usable as an operand and as a statement
  Procedure = 1,  // statement only
};

// Parameter type codes, one byte per parameter. Other byte values may be registered; the compiler
// rejects them with "Unsupported parameter type".
inline constexpr std::uint8_t kParamValue = 0;     // an expression
inline constexpr std::uint8_t kParamVar = 1;       // a variable, copied back after the call
inline constexpr std::uint8_t kParamArray = 3;     // an array constructor
inline constexpr std::uint8_t kParamAssigned = 4;  // written after the bracket as `) := value`

// The handler of a host routine: called with the current object handle, the routine's member name,
// the parameter cells (argument k in cell k), a result that starts Empty, and the highest cell
// index (100). It answers by setting the result and, for var parameters, the cells; it signals a
// failure by throwing, which ends the script run.
using HostHandler = std::function<void(std::int32_t object, std::string_view member, ParamCells& cells,
                                       ScriptValue& result, int highestCell)>;

struct TFunListItem {
  std::string name;    // as registered, upper-cased
  std::string member;  // the part after the first '.', or the whole name
  RoutineKind kind = RoutineKind::Function;
  std::vector<std::uint8_t> paramTypes;  // one code per parameter; size = parameter count (0..100)
  std::array<std::uint8_t, 2> options{};  // always 0 in this program
  HostHandler handler;

  int paramCount() const { return static_cast<int>(paramTypes.size()); }
};

// TFunList: routines by name. A routine's number (the B of a host call) is its position in order
// of first registration, so compiled programs stay valid when more routines are registered. A
// second registration of a name replaces the entry and keeps its number.
class TFunList {
 public:
  // Enters `item` under its upper-cased name (member derived from it) and returns its number.
  int add(TFunListItem item);
  // The number of the routine named `name` (any case), or -1.
  int find(std::string_view name) const;
  const TFunListItem& at(int number) const { return items_.at(static_cast<std::size_t>(number)); }
  int size() const { return static_cast<int>(items_.size()); }
  void clear();

 private:
  std::vector<TFunListItem> items_;
  std::map<std::string, int, std::less<>> byName_;
};

// ---------------------------------------------------------------------------------------------
// Registered constants.

struct TResConstListItem {
  std::string name;  // upper-cased
  ScriptValue value;
};

// TResConstList: constants by name. A constant's position (what the lexer reports for a constant
// token) is fixed at its first registration; a second registration replaces the value.
class TResConstList {
 public:
  int add(std::string_view name, ScriptValue value);
  // The position of `name` (any case), or -1.
  int find(std::string_view name) const;
  const TResConstListItem& at(int position) const { return items_.at(static_cast<std::size_t>(position)); }
  int size() const { return static_cast<int>(items_.size()); }
  void clear();

 private:
  std::vector<TResConstListItem> items_;
  std::map<std::string, int, std::less<>> byName_;
};

// ---------------------------------------------------------------------------------------------
// Dynamic-variable providers.

using TDynaVarNameTOId = std::function<std::int32_t(std::string_view name)>;  // -1: unknown name
using TDynaGetVar = std::function<ScriptValue(std::int32_t id)>;
using TDynaSetVar = std::function<void(std::int32_t id, const ScriptValue& value)>;

struct TDynaVarItem {
  std::string name;              // upper-cased
  const THalComp* boundTo = nullptr;  // null: global; else only scripts of this component see it
  TDynaVarNameTOId nameToId;
  TDynaGetVar get;
  TDynaSetVar set;
};

// A dynamic variable found by name: the provider's number and the variable's id.
struct DynaVarRef {
  int provider = -1;
  std::int32_t id = -1;
  bool found() const { return provider >= 0; }
};

// TDynaVars: providers sorted by name; a provider's number is its position in that order.
class TDynaVars {
 public:
  // Enters or replaces the provider `item.name`.
  void add(TDynaVarItem item);
  void remove(std::string_view name);
  // Asks the providers from the last to the first, skipping those bound to another component than
  // `component`; the first that knows `name` answers.
  DynaVarRef resolve(std::string_view name, const THalComp* component) const;
  // The provider numbered `number`, or null when there is none.
  const TDynaVarItem* at(int number) const;
  int size() const { return static_cast<int>(items_.size()); }
  void clear();

 private:
  std::vector<TDynaVarItem> items_;  // kept sorted by name
};

// ---------------------------------------------------------------------------------------------
// Host objects and classes.

struct tobjitem {
  std::string name;       // upper-cased
  std::string className;  // upper-cased
  std::int32_t handle = 0;
};

// tobjcollect: the object names one runner offers its script (name -> class and handle).
class tobjcollect {
 public:
  void add(std::string_view name, std::string_view className, std::int32_t handle);
  const tobjitem* find(std::string_view name) const;
  void clear() { items_.clear(); }
  std::size_t size() const { return items_.size(); }

 private:
  std::map<std::string, tobjitem, std::less<>> items_;
};

// The host's class registry: which class names exist and their parents (empty: no parent).
class ClassRegistry {
 public:
  void add(std::string_view className, std::string_view parentName = {});
  bool knows(std::string_view className) const;
  std::string parentOf(std::string_view className) const;
  void clear() { parents_.clear(); }

 private:
  std::map<std::string, std::string, std::less<>> parents_;
};

// ---------------------------------------------------------------------------------------------

// The global tables, created once and shared by every compilation and program.
struct HostTables {
  TFunList routines;
  TResConstList constants;
  TDynaVars providers;
  ClassRegistry classes;
};

HostTables& hostTables();

}  // namespace ondrix::script
