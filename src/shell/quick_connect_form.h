#pragma once
// TQuickConnectForm: quick connect ("Quick connect"). The user picks a connection from the list of
// names or types a name or host; a typed text equal to a name (letter case aside) picks that
// connection, any other text becomes a new connection at the end of the book. The result is the
// number of the connection to open.

#include <optional>
#include <string>
#include <vector>

#include "shell/conn_dialog_rules.h"

namespace ondrix::shell {

class TQuickConnectView {
 public:
  virtual ~TQuickConnectView() = default;
  // The drop-down list of `HostEdit` and its text.
  virtual void SetNames(const std::vector<std::string>& names) = 0;
  virtual void SetHostText(const std::string& text) = 0;
  virtual void SetPortText(const std::string& text) = 0;
  virtual void FocusHost() = 0;
  virtual std::string HostText() const = 0;
  // The position of the list entry the text comes from, or -1 when it was typed.
  virtual int SelectedIndex() const = 0;
  virtual std::string PortText() const = 0;
};

class TQuickConnectForm {
 public:
  TQuickConnectForm(TQuickConnectView& view, std::string dataFolder, TConnectionHooks hooks);

  // The names in record order, the first preset; the default port; focus on the host.
  void FormShow();
  // "&Ok": the number of the connection to open, or nothing when the dialog stays open (an empty
  // host). A new connection is written and the Connect submenu rebuilt.
  std::optional<int> OkBtnClick();

 private:
  TQuickConnectView& view_;
  std::string dataFolder_;
  TConnectionHooks hooks_;
  std::vector<std::string> names_;
};

}  // namespace ondrix::shell
