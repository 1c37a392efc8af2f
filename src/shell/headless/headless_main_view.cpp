#include "shell/headless/headless_main_view.h"

#include <algorithm>

#include "platform/services.h"

namespace ondrix::shell {
namespace {

bool valid(const std::vector<THeadlessMainFormView::Page>& pages, int index) {
  return index >= 0 && index < static_cast<int>(pages.size());
}

}  // namespace

void THeadlessMainFormView::SetCaption(const std::string& caption) {
  Caption = caption;
  Log.push_back("Caption " + caption);
}

void THeadlessMainFormView::SetBounds(const TBounds& b) {
  if (b.Left != -1) WindowBounds.Left = b.Left;
  if (b.Top != -1) WindowBounds.Top = b.Top;
  if (b.Width != -1) WindowBounds.Width = b.Width;
  if (b.Height != -1) WindowBounds.Height = b.Height;
  Log.push_back("Bounds " + std::to_string(b.Left) + " " + std::to_string(b.Top) + " " + std::to_string(b.Width) +
                " " + std::to_string(b.Height));
}

void THeadlessMainFormView::RequestClose() {
  CloseRequested = true;
  Log.push_back("RequestClose");
}

void THeadlessMainFormView::InsertPage(int index, const std::string& caption, session::TTnEmulVT& emu) {
  index = std::clamp(index, 0, static_cast<int>(Pages.size()));
  Pages.insert(Pages.begin() + index, Page{caption, true, &emu});
  Log.push_back("InsertPage " + std::to_string(index) + " " + caption);
}

void THeadlessMainFormView::RemovePage(int index) {
  if (!valid(Pages, index)) return;
  Log.push_back("RemovePage " + std::to_string(index) + " " + Pages[static_cast<std::size_t>(index)].Caption);
  Pages.erase(Pages.begin() + index);
  if (ActivePage >= static_cast<int>(Pages.size())) ActivePage = static_cast<int>(Pages.size()) - 1;
}

void THeadlessMainFormView::SetPageCaption(int index, const std::string& caption) {
  if (valid(Pages, index)) Pages[static_cast<std::size_t>(index)].Caption = caption;
}

void THeadlessMainFormView::SetPageTabVisible(int index, bool visible) {
  if (valid(Pages, index)) Pages[static_cast<std::size_t>(index)].TabVisible = visible;
}

void THeadlessMainFormView::MovePage(int from, int to) {
  if (!valid(Pages, from) || !valid(Pages, to)) return;
  Page page = Pages[static_cast<std::size_t>(from)];
  Pages.erase(Pages.begin() + from);
  Pages.insert(Pages.begin() + to, page);
  Log.push_back("MovePage " + std::to_string(from) + " " + std::to_string(to));
}

void THeadlessMainFormView::SetActivePage(int index) {
  ActivePage = index;
  Log.push_back("ActivePage " + std::to_string(index));
}

void THeadlessMainFormView::ShowTerminal(int index) { Log.push_back("ShowTerminal " + std::to_string(index)); }

void THeadlessMainFormView::FocusTerminal(int index) { Log.push_back("FocusTerminal " + std::to_string(index)); }

void THeadlessMainFormView::SetTabAreaVisible(bool visible) { TabAreaVisible = visible; }

void THeadlessMainFormView::SetStatusText(int panel, const std::string& text) {
  if (panel < 0 || panel > 3) return;
  StatusTexts[static_cast<std::size_t>(panel)] = text;
  if (panel == 0) Log.push_back("Status " + text);
}

void THeadlessMainFormView::SetCommandEnabled(CommandId id, bool enabled) { enabled_[static_cast<std::size_t>(id)] = enabled; }

void THeadlessMainFormView::SetCommandChecked(CommandId id, bool checked) { checked_[static_cast<std::size_t>(id)] = checked; }

void THeadlessMainFormView::SetToolbarsVisible(bool visible) { ToolbarsVisible = visible; }

void THeadlessMainFormView::SetConnectMenu(const std::vector<std::string>& names) { ConnectMenu = names; }

void THeadlessMainFormView::SetKeylistMenu(const std::vector<std::string>& names) { KeylistMenu = names; }

void THeadlessMainFormView::SetAddinMenu(const std::vector<TAddinMenuItem>& items) { AddinMenu = items; }

void THeadlessMainFormView::AddUserButton(std::int32_t id, const std::string& caption, const std::string& hint,
                                          int width) {
  UserButtons.push_back(UserButton{id, caption, hint, width});
}

void THeadlessMainFormView::RemoveUserButton(std::int32_t id) {
  std::erase_if(UserButtons, [id](const UserButton& b) { return b.Id == id; });
}

void THeadlessMainFormView::AddUserSpacer(std::int32_t id) { UserSpacers.push_back(id); }

void THeadlessMainFormView::RemoveUserSpacer(std::int32_t id) { std::erase(UserSpacers, id); }

void THeadlessMainFormView::SetUserToolbarVisible(bool visible) { UserToolbarVisible = visible; }

std::optional<std::string> THeadlessMainFormView::ClipboardText() { return Clipboard; }

void THeadlessMainFormView::SetClipboardText(const std::string& text) { Clipboard = text; }

std::optional<TFontChoice> THeadlessMainFormView::ChooseFixedFont(const TFontChoice& current) {
  FontPreset = current;
  return FontAnswer;
}

std::optional<std::string> THeadlessMainFormView::ChooseOpenFile(const std::string& title, const std::string& filter,
                                                                 const std::string&) {
  Log.push_back("ChooseOpenFile " + title);
  return platform::services().dialogs->chooseFile(platform::FileChoice::Open, "", filter);
}

void THeadlessMainFormView::OpenDocument(const std::string& pathOrUrl) {
  OpenedDocuments.push_back(pathOrUrl);
  Log.push_back("OpenDocument " + pathOrUrl);
}

}  // namespace ondrix::shell
