#include "shell/session_colors.h"

#include "session/tnemulvt.h"
#include "shell/main_form.h"
#include "store/stores/con_db_fcns.h"

namespace ondrix::shell {

namespace {

bool stillOpen(TMainForm& form, const TTermPanel* panel) {
  for (int i = 0; i < form.PageCount(); ++i)
    if (&form.Panel(i) == panel) return true;
  return false;
}

}  // namespace

void ModifySessionColors(TMainForm& form, const TColorEditor& editColors) {
  TTermPanel* panel = form.ActivePanel();
  if (!panel) return;
  // A copy: the page, and the record in it, may be gone when the dialog returns.
  const store::ConnectionRecord copy = panel->Connection;
  std::optional<store::ConnectionRecord> edited = editColors(copy);
  // The dialog waited for the user; the session may have been closed meanwhile.
  if (!edited || !stillOpen(form, panel)) return;
  panel->Connection = std::move(*edited);
  const store::ConnectionRecord& r = panel->Connection;
  store::ConDBFcns book(form.DataFolder());
  book.Open();
  // The book may have been renumbered since the session opened (a connection deleted or renamed
  // in the manager): a number that now holds another connection is not overwritten.
  if (book.Read(r.RecordNo).Name == r.Name) book.Write(r.RecordNo, r);
  book.Close();
  // The record counts palette positions from 1, the terminal from 0.
  const auto colour = [](std::int32_t v) { return (v - 1) & 0xFF; };
  session::TTnEmulVT& emu = *panel->Emu;
  emu.SetColors(colour(r.DefNormalFore), colour(r.DefNormalBack), colour(r.DefHighFore),
                colour(r.DefHighBack), colour(r.DefUnderlineFore), colour(r.DefUnderlineBack),
                colour(r.DefBlinkFore), colour(r.DefBlinkBack), colour(r.DefReverseFore),
                colour(r.DefReverseBack));
  emu.View().InvalidateAll();
}

}  // namespace ondrix::shell
