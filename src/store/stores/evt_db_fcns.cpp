#include "store/stores/evt_db_fcns.h"

namespace ondrix::store {

EventRec EvtDBFcns::Read(std::string_view name, std::int32_t kind) {
  if (const auto item = file_.Get(EventRec::key(name, kind))) {
    if (auto handler = EventRec::decode(*item)) return *handler;
  }
  return EventRec{std::string(name.substr(0, 254)), kind, 0, {}};
}

void EvtDBFcns::Write(std::string_view name, std::int32_t kind, const EventRec& handler) {
  file_.Put(EventRec::key(name, kind), handler.encode());
}

void EvtDBFcns::Delete(std::string_view name, std::int32_t kind) {
  Open();
  TQDB& db = file_.Db();
  if (db.FindKey(EventRec::key(name, kind))) {
    db.DeleteItem();
    db.SaveIndex();
    db.Pack();
  }
  Close();
}

void EvtDBFcns::Ensure(std::int32_t kind, std::string_view name) {
  Open();
  Write(name, kind, Read(name, kind));
  Close();
}

bool EvtDBFcns::Run(std::int32_t kind, std::string_view name, const EventScriptRunner& runner) {
  Open();
  const EventRec handler = Read(name, kind);
  Close();
  if (handler.Enabled == 0 || handler.Script.empty()) return false;
  if (runner) runner(name, kind, handler.Script);
  return true;
}

bool EvtDBFcns::RunConnectionEvent(std::int32_t kind, std::string_view connection,
                                   const EventScriptRunner& runner) {
  return Run(kind, connection, runner) || Run(kind, kSystemOwner, runner);
}

}  // namespace ondrix::store
