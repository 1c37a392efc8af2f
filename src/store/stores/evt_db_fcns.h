#pragma once
// EVENTS.QDB: the scripts run on connection and program events, one handler per (owner, kind);
// the owner is a connection's name or "System" for the program-wide handlers.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "store/records/event_record.h"
#include "store/stores/record_file.h"

namespace ondrix::store {

// Compiles and runs a handler's script (owner name, kind, script text). The shell supplies the
// script engine; the store itself does not depend on it. Errors of the run pass to the caller.
using EventScriptRunner =
    std::function<void(std::string_view name, std::int32_t kind, const std::string& script)>;

class EvtDBFcns {
 public:
  static constexpr std::string_view kFileName = "EVENTS.QDB";

  explicit EvtDBFcns(std::string dataFolder) : file_(std::move(dataFolder), kFileName) {}

  void Open() { file_.Open(); }
  void Close() { file_.Close(); }

  // A missing handler reads as disabled and empty, with the asked name and kind.
  EventRec Read(std::string_view name, std::int32_t kind);
  void Write(std::string_view name, std::int32_t kind, const EventRec& handler);

  // These open and close the store themselves: call them while it is closed.
  void Delete(std::string_view name, std::int32_t kind);
  // Creates a missing handler disabled and empty; an existing one stays as it is.
  void Ensure(std::int32_t kind, std::string_view name);
  // Runs the handler when it is enabled and has a script; true when it ran.
  bool Run(std::int32_t kind, std::string_view name, const EventScriptRunner& runner);
  // A connection event (kinds 1-3): the connection's own handler, or when it did not run, the
  // System handler of the same kind. True when one of them ran.
  bool RunConnectionEvent(std::int32_t kind, std::string_view connection,
                          const EventScriptRunner& runner);

 private:
  RecordFile file_;
};

}  // namespace ondrix::store
