// TMainForm: opening a session from the connection book, applying its record to the terminal, and
// the session's events: received data through the watches, the close and the network error.

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/services.h"
#include "session/tnemulvt.h"
#include "shell/main_form_impl.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/key_db_fcns.h"
#include "store/stores/pal_db_fcns.h"

namespace ondrix::shell {

// --- Opening ------------------------------------------------------------------------------------

void TMainForm::OpenSession(int index) {
  if (shutDown_) return;
  Impl::EntryGuard guard(*impl_);
  auto sheet = std::make_unique<TTermSheet>();
  sheet->Panel = std::make_unique<TTermPanel>();
  TTermPanel& panel = *sheet->Panel;
  panel.WatchList = globalWatches_;
  panel.Emu = std::make_unique<session::TTnEmulVT>();
  impl_->hookSession(panel);

  store::ConDBFcns connections(dataFolder_);
  connections.Open();
  const store::ConnectionRecord record = connections.Read(index);
  connections.Close();
  if (record.RecordNo == -1 || record.Host.empty()) {
    platform::services().dialogs->messageBox(kNoHost, kErrorCaption, platform::MessageStyle::Information,
                                             platform::MessageButtons::Ok);
    return;
  }

  view_.SetTabAreaVisible(true);
  panel.Connection = record;
  sheet->Caption = record.Name;
  const int page = PageCount();
  pages_.push_back(std::move(sheet));
  TTermSheet& added = *pages_.back();
  view_.InsertPage(page, record.Name, *panel.Emu);
  impl_->applyRecord(added, page);
  checkedState(CommandId::ForceLineDraws, record.ForceLineDraw);

  SetActivePage(page);
  EnableSessionCommands(true);
  view_.ShowTerminal(page);

  const std::string name = added.Caption;
  lastConnectionName_ = name;
  impl_->connectionEvent(1, name);
  // The OnBeforeConnect handler may have closed the page or the program.
  if (!impl_->alive(&panel) || closeRequested_ || shutDown_) return;
  impl_->runGuarded([&] { panel.Emu->Connect(); });
  if (!impl_->alive(&panel)) return;
  const int now = impl_->indexOf(&panel);
  view_.FocusTerminal(now);
  UpdateStatus();
}

void TMainForm::ConnectMenuClick(int index) {
  Impl::EntryGuard guard(*impl_);
  impl_->runGuarded([&] { OpenSession(index); });
}

void TMainForm::Impl::hookSession(TTermPanel& panel) {
  session::TTnEmulVT& emu = *panel.Emu;
  TTermPanel* p = &panel;
  emu.OnDataAvailable = [this, p](session::TTnEmulVT*, const char* buffer, int& length) {
    if (length <= 0) return;
    pageEvent(*p, [this, p, chunk = std::string(buffer, static_cast<std::size_t>(length))]() mutable {
      dataReceived(*p, std::move(chunk));
    });
  };
  emu.OnSessionClosed = [this, p](session::TTnEmulVT*) {
    if (indexOf(p) < 0) return;
    const auto event = [this, p] {
      if (const int index = indexOf(p); index >= 0) connectionEvent(3, form.Page(index).Caption);
    };
    if (!p->Closing) {
      pageEvent(*p, event);  // after the data that arrived before the close
      return;
    }
    pageEventNow(*p, event);  // the page is being closed: OnDisconnect runs before its tab goes
  };
  emu.OnError = [this, p](session::TTnEmulVT*, std::uint16_t, const std::string&) {
    pageEvent(*p, [this, p] {
      if (p->NetworkErrorScript.empty()) return;
      const std::string file = p->NetworkErrorScript;
      runGuarded([&] { form.RunScriptFile(file); });
    });
  };
  emu.OnRunConnectEvent = [this, p](session::TTnEmulVT*, const std::string& owner) {
    // The session asks for the OnConnect handler of its own name and, when that answers false, of
    // System. The first ask settles both (one reading of EVENTS.QDB) and answers true, so the
    // second never comes.
    if (indexOf(p) < 0) return false;
    pageEventNow(*p, [&] { connectionEvent(2, owner); });
    return true;
  };
}

// --- Applying a connection record ----------------------------------------------------------------

void TMainForm::Impl::applyRecord(TTermSheet& sheet, int index) {
  TTermPanel& panel = *sheet.Panel;
  const store::ConnectionRecord& r = panel.Connection;
  session::TTnEmulVT& emu = *panel.Emu;

  sheet.Caption = r.Name;
  form.view_.SetPageCaption(index, r.Name);

  store::PalDBFcns palettes(form.dataFolder_);
  palettes.Open();
  store::PaletteRecord palette = palettes.Read(r.PaletteNo);
  // A palette deleted behind the record's back: the default palette rather than a black screen.
  if (palette.RecordNo == -1) palette = palettes.Read(0);
  palettes.Close();
  for (int n = 1; n <= 16; ++n) emu.SetPaletteEntry(n, palette.Colors[static_cast<std::size_t>(n - 1)]);

  // The record counts palette positions from 1, the terminal from 0.
  const auto colour = [](std::int32_t v) { return (v - 1) & 0xFF; };
  emu.SetColors(colour(r.DefNormalFore), colour(r.DefNormalBack), colour(r.DefHighFore), colour(r.DefHighBack),
                colour(r.DefUnderlineFore), colour(r.DefUnderlineBack), colour(r.DefBlinkFore),
                colour(r.DefBlinkBack), colour(r.DefReverseFore), colour(r.DefReverseBack));

  term::TFont font;
  font.Name = r.FontName;
  font.Size = r.FontSize;
  font.Bold = r.FontBold;
  font.Italic = r.FontItalic;
  font.Underline = r.FontUnderline;
  emu.SetFont(font);

  emu.Configure(r.Name, r.Host, r.SendWindowSize, r.ForceLineDraw, r.Monochrome, r.LocalEcho, r.AddLF, r.AddCR,
                r.Port, r.Columns, r.Lines, r.Emulation);
  emu.BreakStr = r.Break;
  emu.ResetStr = r.Reset;
  applyKeylist(panel, r.KeyListNo);
}

void TMainForm::Impl::applyKeylist(TTermPanel& panel, int number) {
  store::KeyDBFcns keylists(form.dataFolder_);
  keylists.Open();
  store::TKeyItem keylist = keylists.Read(number);
  keylists.Close();
  panel.KeyListNo = number;
  panel.KeyListName = keylist.Name;
  session::TTnEmulVT& emu = *panel.Emu;
  emu.ClearKeys();
  for (const store::KeyEntry& k : keylist.Entries)
    emu.AddKey(k.ScanCode, k.CtrlKey, k.SendText, k.ExtendedKey, k.ShiftKey, k.AltKey);
  store::KeyDBFcns::FreeEntries(keylist);
}

void TMainForm::Impl::writeConnection(const TTermPanel& panel) {
  store::ConDBFcns connections(form.dataFolder_);
  connections.Open();
  connections.Write(panel.Connection.RecordNo, panel.Connection);
  connections.Close();
}

// --- Received data ------------------------------------------------------------------------------

void TMainForm::Impl::feed(TTermPanel& panel, const char* bytes, std::size_t count) {
  if (count == 0) return;
  session::TTnEmulVT& emu = *panel.Emu;
  try {
    emu.WriteBuffer(bytes, static_cast<int>(count));
  } catch (const std::exception& e) {
    // The interpreter gave up on a byte: the rest of this piece is dropped, the session goes on.
    if (platform::TraceSink* trace = platform::services().trace; trace->enabled())
      trace->write(std::string("Received data dropped: ") + e.what() + "\n");
  }
  emu.UpdateScreen();
}

void TMainForm::Impl::dataReceived(TTermPanel& panel, std::string chunk) {
  session::TTnEmulVT& emu = *panel.Emu;
  emu.WriteLog(chunk.data(), static_cast<int>(chunk.size()));
  // Watches see the chunk as text: up to its first zero byte.
  const std::string_view text(chunk.data(), std::min(chunk.size(), std::strlen(chunk.c_str())));

  if (panel.TextWatchOn) {
    feed(panel, chunk.data(), chunk.size());
    form.watchText_ = std::string(text);
    const std::string file = panel.TextWatchScript;
    runGuarded([&] { form.RunScriptFile(file); });
    return;
  }

  auto& watches = panel.WatchList;
  std::size_t at = std::string_view::npos;
  auto hit = watches.begin();
  for (; hit != watches.end(); ++hit) {
    if (hit->Text.empty()) continue;
    at = text.find(hit->Text);
    if (at != std::string_view::npos) break;
  }
  if (hit == watches.end()) {
    feed(panel, chunk.data(), chunk.size());
    return;
  }

  form.watchText_ = hit->Text;
  const std::string script = hit->ScriptFile;
  const bool global = hit->IsGlobal;
  const std::size_t end = at + hit->Text.size();
  if (++hit->Hits == hit->MaxHits) watches.erase(hit);

  feed(panel, chunk.data(), end);
  runGuarded([&] {
    if (!script.empty())
      form.RunScriptFile(script);
    else if (global)
      form.RunEvent(4, std::string(store::kSystemOwner));
    else
      form.RunEvent(4, form.Page(indexOf(&panel)).Caption);
  });
  // The script may have closed this page or the program: the rest of the chunk goes nowhere.
  if (!alive(&panel) || form.closeRequested_ || form.shutDown_) return;
  feed(panel, chunk.data() + end, chunk.size() - end);
}

}  // namespace ondrix::shell
