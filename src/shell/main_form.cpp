// TMainForm: creation and destruction, the pages of the tab control, closing pages safely, and the
// status bar.

#include "shell/main_form.h"

#include <algorithm>

#include "platform/paths.h"
#include "platform/services.h"
#include "script/host_object.h"
#include "session/tnemulvt.h"
#include "shell/main_form_impl.h"

namespace ondrix::shell {

TTermPanel::TTermPanel() = default;
TTermPanel::~TTermPanel() = default;

TMainForm::Impl::Impl(TMainForm& owner) : form(owner), addins(owner.dataFolder_) {}

// --- Creation and destruction -------------------------------------------------------------------

TMainForm::TMainForm(TMainFormView& view, std::string programFolder, std::string dataFolder)
    : view_(view),
      programFolder_(platform::withTrailingSlash(std::move(programFolder))),
      dataFolder_(platform::withTrailingSlash(std::move(dataFolder))),
      scriptObject_(std::make_unique<script::TComponent>(nullptr, "TMainForm", "MainForm")),
      impl_(std::make_unique<Impl>(*this)) {
  // A damaged record file is reported and leaves its menu empty; the window still comes up.
  impl_->runGuarded([&] {
    impl_->addins.Open();
    impl_->addinsOpen = true;
  });
  view_.SetTabAreaVisible(false);
  checkedState(CommandId::ShowToolbar, true);
  for (const TCommand& c : commandTable()) impl_->refreshCommand(c.Id);
  impl_->runGuarded([&] { BuildConnectMenu(); });
  impl_->runGuarded([&] { BuildKeylistMenu(); });
  impl_->runGuarded([&] { BuildAddinMenu(); });
  impl_->moveConflictFiles();
}

TMainForm::~TMainForm() {
  impl_->stopTimer();
  // Sessions go before the lists their events would reach.
  for (auto& sheet : pages_) sheet->Panel->Emu->OnSessionClosed = nullptr;
  pages_.clear();
  impl_->collectNow();
  if (impl_->addinsOpen) {
    try {
      impl_->addins.Close();
    } catch (const std::exception& e) {
      if (platform::TraceSink* trace = platform::services().trace; trace->enabled())
        trace->write(std::string("Closing ADDINS.QDB failed: ") + e.what() + "\n");
    }
  }
}

void TMainForm::checkedState(CommandId id, bool on) {
  impl_->checked[static_cast<int>(id)] = on;
  view_.SetCommandChecked(id, on);
}

// --- Safe points --------------------------------------------------------------------------------

TMainForm::Impl::EntryGuard::~EntryGuard() {
  if (--impl_.entries == 0 && !impl_.graveyard.empty()) impl_.postCollect();
}

void TMainForm::Impl::postCollect() {
  if (collectPosted) return;
  collectPosted = true;
  std::weak_ptr<int> token = life;
  platform::services().loop->post([this, token] {
    if (token.expired()) return;
    collectPosted = false;
    // A guard still alive (this task ran inside a nested event round) posts again when it ends.
    if (entries == 0) collectNow();
  });
}

int TMainForm::Impl::indexOf(const TTermPanel* panel) const {
  const auto& pages = form.pages_;
  for (std::size_t i = 0; i < pages.size(); ++i)
    if (pages[i]->Panel.get() == panel) return static_cast<int>(i);
  return -1;
}

void TMainForm::Impl::pageEvent(TTermPanel& panel, std::function<void()> event) {
  if (panel.Closing) return;
  if (panel.EventDepth > 0) {
    panel.PendingEvents.push_back(std::move(event));
    return;
  }
  pageEventNow(panel, event);
}

void TMainForm::Impl::pageEventNow(TTermPanel& panel, const std::function<void()>& event) {
  EntryGuard guard(*this);  // keeps the panel alive, also when the event closes its page
  ++panel.EventDepth;
  event();
  if (panel.EventDepth == 1) {
    while (!panel.Closing && !form.closeRequested_ && !panel.PendingEvents.empty()) {
      std::function<void()> next = std::move(panel.PendingEvents.front());
      panel.PendingEvents.pop_front();
      next();
    }
  }
  --panel.EventDepth;
}

void TMainForm::Impl::shellEvent(std::function<void()> event) {
  if (shellEventRunning) {
    shellEvents.push_back(std::move(event));
    return;
  }
  EntryGuard guard(*this);
  shellEventRunning = true;
  event();
  while (!shellEvents.empty() && !form.shutDown_) {
    std::function<void()> next = std::move(shellEvents.front());
    shellEvents.pop_front();
    next();
  }
  shellEvents.clear();
  shellEventRunning = false;
}

// --- Pages --------------------------------------------------------------------------------------

TTermPanel* TMainForm::ActivePanel() {
  if (activePage_ < 0 || activePage_ >= PageCount()) return nullptr;
  return pages_[static_cast<std::size_t>(activePage_)]->Panel.get();
}

void TMainForm::SetActivePage(int index) {
  if (index < 0 || index >= PageCount()) return;
  if (TTermPanel* outgoing = ActivePanel(); outgoing && index != activePage_) outgoing->Emu->FocusLost();
  activePage_ = index;
  view_.SetActivePage(index);
  view_.FocusTerminal(index);
  Panel(index).Emu->FocusGained();
  UpdateStatus();
}

void TMainForm::MovePage(int from, int to) {
  if (from < 0 || from >= PageCount() || to < 0 || to >= PageCount() || from == to) return;
  TTermSheet* active = activePage_ >= 0 ? pages_[static_cast<std::size_t>(activePage_)].get() : nullptr;
  auto sheet = std::move(pages_[static_cast<std::size_t>(from)]);
  pages_.erase(pages_.begin() + from);
  pages_.insert(pages_.begin() + to, std::move(sheet));
  view_.MovePage(from, to);
  for (int i = 0; i < PageCount(); ++i)
    if (pages_[static_cast<std::size_t>(i)].get() == active) activePage_ = i;
}

void TMainForm::SetPageTabVisible(int index, bool visible) {
  if (index < 0 || index >= PageCount()) return;
  Page(index).TabVisible = visible;
  view_.SetPageTabVisible(index, visible);
  if (visible || index != activePage_) return;
  for (int i = PageCount() - 1; i >= 0; --i)
    if (Page(i).TabVisible) {
      SetActivePage(i);
      return;
    }
}

void TMainForm::ClosePage(int index) {
  if (index < 0 || index >= PageCount()) return;
  TTermPanel* panel = &Panel(index);
  if (panel->Closing) return;
  Impl::EntryGuard guard(*impl_);
  panel->Closing = true;
  // A connected session reports its closing at once: OnDisconnect runs before the tab goes. Its
  // handler may close other pages, so the page is found again afterwards.
  impl_->runGuarded([&] { panel->Emu->Disconnect(); });
  const int now = impl_->indexOf(panel);
  if (now < 0) return;
  impl_->discardPage(now);
  impl_->afterPageClosed();
}

void TMainForm::Impl::discardPage(int index) {
  auto& pages = form.pages_;
  TTermPanel& panel = *pages[static_cast<std::size_t>(index)]->Panel;
  // The session's handlers stay (one of them may be running now); they find the page gone.
  panel.Closing = true;
  panel.PendingEvents.clear();
  form.view_.RemovePage(index);
  panel.Emu->SetView(nullptr);
  graveyard.push_back(std::move(pages[static_cast<std::size_t>(index)]));
  pages.erase(pages.begin() + index);
  if (form.activePage_ > index || form.activePage_ >= form.PageCount()) --form.activePage_;
  if (entries == 0) collectNow();
}

void TMainForm::Impl::afterPageClosed() {
  if (form.PageCount() > 0) {
    form.SetActivePage(0);
  } else {
    form.activePage_ = -1;
    form.view_.SetTabAreaVisible(false);
    form.EnableSessionCommands(false);
  }
  form.UpdateStatus();
}

void TMainForm::CloseProgram() {
  if (shutDown_) return;
  closeRequested_ = true;
  view_.RequestClose();
}

// --- Status bar ---------------------------------------------------------------------------------

void TMainForm::WriteStatus(const std::string& text) { view_.SetStatusText(0, text); }

void TMainForm::UpdateStatus() {
  TTermPanel* panel = PageCount() > 0 ? ActivePanel() : nullptr;
  if (!panel) {
    for (int p = 1; p <= 3; ++p) view_.SetStatusText(p, "");
    checkedState(CommandId::LogToFile, false);
    checkedState(CommandId::ForceLineDraws, false);
    return;
  }
  const session::TTnEmulVT& emu = *panel->Emu;
  view_.SetStatusText(1, emu.TermType);
  view_.SetStatusText(2, panel->KeyListName);
  view_.SetStatusText(3, emu.LogStatus());
  checkedState(CommandId::LogToFile, emu.Logging());
  checkedState(CommandId::ForceLineDraws, emu.Font().CharSet == term::kOemCharset);
}

bool TMainForm::Idle() const {
  if (impl_->scriptDepth > 0 || impl_->timerSet || impl_->entries > 0) return false;
  return std::none_of(pages_.begin(), pages_.end(), [](const auto& sheet) {
    return sheet->Panel->Emu->IsConnected() || sheet->Panel->Emu->TnCnx().Socket().State() != telnet::wsClosed;
  });
}

int TMainForm::ScriptDepth() const { return impl_->scriptDepth; }

void TMainForm::SetReattachHandler(std::function<void()> reattachAll) { impl_->reattachAll = std::move(reattachAll); }

}  // namespace ondrix::shell
