#include "shell/quick_connect_form.h"

#include <utility>

#include "store/key_compare.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"

namespace ondrix::shell {

TQuickConnectForm::TQuickConnectForm(TQuickConnectView& view, std::string dataFolder,
                                     TConnectionHooks hooks)
    : view_(view), dataFolder_(std::move(dataFolder)), hooks_(std::move(hooks)) {}

void TQuickConnectForm::FormShow() {
  store::ConDBFcns book(dataFolder_);
  book.Open();
  names_ = book.ListNames();
  book.Close();
  store::DefDBFcns defaults(dataFolder_);
  defaults.Open();
  const std::int32_t port = defaults.ReadInteger("Port");
  defaults.Close();
  view_.SetNames(names_);
  view_.SetHostText(names_.empty() ? std::string() : names_.front());
  view_.SetPortText(std::to_string(port < 0 ? kFallbackPort : port));
  view_.FocusHost();
}

std::optional<int> TQuickConnectForm::OkBtnClick() {
  const std::int32_t port = numberOr(view_.PortText(), kFallbackPort);
  const int selected = view_.SelectedIndex();
  if (selected >= 0 && selected < static_cast<int>(names_.size())) return selected;
  const std::string typed = view_.HostText();
  if (typed.empty()) {
    inform("You must supply a host name!");
    view_.FocusHost();
    return std::nullopt;
  }
  std::optional<int> match;
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (store::compareKeys(names_[i], typed, false) == 0) match = static_cast<int>(i);
  if (match) return match;

  store::ConDBFcns book(dataFolder_);
  book.Open();
  const store::ConnectionRecord added =
      addSeededConnection(book, dataFolder_, [&](store::ConnectionRecord& r) {
        r.Name = cutText(typed);
        r.Host = cutText(typed);
        r.Port = port;
      });
  book.Close();
  names_.push_back(added.Name);
  if (hooks_.BuildConnectMenu) hooks_.BuildConnectMenu();
  return added.RecordNo;
}

}  // namespace ondrix::shell
