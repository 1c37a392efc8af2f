#pragma once
// The quick connect window ("Quick connect"), showing a TQuickConnectForm: "Connect to:" (an
// editable drop-down list of the connection names), "Port:", "&Ok" and "&Cancel".

#include <QDialog>
#include <optional>

#include "shell/quick_connect_form.h"

class QComboBox;
class QLineEdit;

namespace ondrix::shell::ui {

class QuickConnectDialog : public QDialog, public TQuickConnectView {
 public:
  QuickConnectDialog(std::string dataFolder, TConnectionHooks hooks, QWidget* parent);

  TQuickConnectForm& form() { return form_; }
  QComboBox* hostEdit() const { return host_; }
  QLineEdit* portEdit() const { return port_; }
  // The number of the connection to open once the dialog was accepted.
  std::optional<int> chosen() const { return result_; }

  // --- TQuickConnectView
  void SetNames(const std::vector<std::string>& names) override;
  void SetHostText(const std::string& text) override;
  void SetPortText(const std::string& text) override;
  void FocusHost() override;
  std::string HostText() const override;
  int SelectedIndex() const override;
  std::string PortText() const override;

 private:
  QComboBox* host_;
  QLineEdit* port_;
  TQuickConnectForm form_;
  std::optional<int> result_;
};

}  // namespace ondrix::shell::ui
