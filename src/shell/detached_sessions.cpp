#include "shell/detached_sessions.h"

#include <algorithm>

#include "platform/services.h"
#include "session/tnemulvt.h"
#include "shell/main_form.h"

namespace ondrix::shell {
namespace {

constexpr int kLeftOffset = 8;
constexpr int kTopOffset = 10;

}  // namespace

TDetachedSessions::TDetachedSessions(TMainForm& form, TDetachView& view) : form_(form), view_(view) {}

TDetachedSessions::~TDetachedSessions() = default;

void TDetachedSessions::Install() {
  form_.SetCommandHandler(CommandId::Detach, [this] { Detach(); });
  form_.SetReattachHandler([this] { ReattachAll(); });
}

int TDetachedSessions::pageOf(const TDetachForm& form) const {
  for (int i = 0; i < form_.PageCount(); ++i)
    if (&form_.Panel(i) == form.Panel) return i;
  return -1;
}

int TDetachedSessions::positionOf(const TDetachForm& form) const {
  const auto found = std::find_if(forms_.begin(), forms_.end(), [&](const auto& f) { return f.get() == &form; });
  return found == forms_.end() ? -1 : static_cast<int>(found - forms_.begin());
}

void TDetachedSessions::Detach() {
  const int index = form_.ActivePageIndex();
  if (index < 0 || !form_.Page(index).TabVisible) return;
  TMainFormView& main = form_.View();
  const TBounds bounds = main.Bounds();
  const auto [width, height] = view_.TerminalSize(index);
  const TBounds client{bounds.Left + kLeftOffset, bounds.Top + view_.ButtonBarHeight() + kTopOffset, width, height};

  auto detached = std::make_unique<TDetachForm>();
  detached->Panel = &form_.Panel(index);
  TDetachForm& form = *detached;
  forms_.push_back(std::move(detached));
  view_.OpenWindow(form, index, client, form_.Page(index).Caption);
  form.ReattachOnClose = true;

  // The last visible page becomes the active one.
  form_.SetPageTabVisible(index, false);
  bool anyVisible = false;
  for (int i = 0; i < form_.PageCount(); ++i) anyVisible = anyVisible || form_.Page(i).TabVisible;
  if (!anyVisible) {
    main.SetTabAreaVisible(false);
    form_.EnableSessionCommands(false);
    for (int panel = 0; panel <= 2; ++panel) main.SetStatusText(panel, "");
  }
  if (form_.PageCount() == static_cast<int>(forms_.size())) main.SetCommandEnabled(CommandId::Detach, false);
}

void TDetachedSessions::Reattach(TDetachForm& form) {
  if (positionOf(form) < 0) return;
  if (const int index = pageOf(form); index >= 0) {
    form_.View().SetTabAreaVisible(true);
    form_.SetPageTabVisible(index, true);
    view_.ReturnTerminal(form, index);
    form_.EnableSessionCommands(true);
    form_.SetActivePage(index);  // focuses its terminal and updates the status bar
    form_.UpdateStatus();
  }
  form.ReattachOnClose = false;
  Close(form);
}

void TDetachedSessions::Close(TDetachForm& form) {
  if (form.ReattachOnClose) {
    Reattach(form);  // closes the window in turn
    return;
  }
  if (const int position = positionOf(form); position >= 0) detachedClosed(position);
}

void TDetachedSessions::PageClosed(TDetachForm& form) {
  form.ReattachOnClose = false;
  Close(form);
}

void TDetachedSessions::detachedClosed(int position) {
  std::unique_ptr<TDetachForm> form = std::move(forms_[static_cast<std::size_t>(position)]);
  forms_.erase(forms_.begin() + position);
  view_.DestroyWindow(*form);
}

void TDetachedSessions::ReattachAll() {
  while (!forms_.empty()) {
    TDetachForm& first = *forms_.front();
    first.ReattachOnClose = true;
    Close(first);
  }
}

void TDetachedSessions::Copy(TDetachForm& form) {
  if (pageOf(form) < 0) return;
  char buffer[kClipboardCopyLimit + 1];
  const int count = form.Panel->Emu->GetSelectionText(buffer, sizeof buffer);
  if (count > 0) form_.View().SetClipboardText(std::string(buffer, static_cast<std::size_t>(count)));
}

void TDetachedSessions::Paste(TDetachForm& form) {
  if (pageOf(form) < 0) return;
  const std::optional<std::string> text = form_.View().ClipboardText();
  if (!text) {
    platform::services().dialogs->messageBox(TMainForm::kNotText, TMainForm::kErrorCaption,
                                             platform::MessageStyle::Information, platform::MessageButtons::Ok);
    return;
  }
  const int count = static_cast<int>(std::min<std::size_t>(text->size(), kClipboardPasteLimit));
  if (count > 0) form.Panel->Emu->Send(text->data(), count);
}

}  // namespace ondrix::shell
