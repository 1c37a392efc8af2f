#pragma once
// TConnEditForm: the connection editor ("Connection Editor - [name]"). It edits a copy of one
// connection record; the caller takes Record() when OkBtnClick reports that the dialog closes
// with OK. The name is not edited here (the manager renames).

#include <string>

#include "shell/conn_settings_view.h"

namespace ondrix::shell {

class TConnEditView : public TConnSettingsView {
 public:
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void FocusHost() = 0;
  // The event handler editor for connection `name`, modal.
  virtual void EditEventHandlers(const std::string& name) = 0;
};

class TConnEditForm {
 public:
  TConnEditForm(TConnEditView& view, std::string dataFolder, store::ConnectionRecord record);

  // Caption, the palette and keylist names, and every control from the record.
  void FormShow();
  // "&Ok": checks the host, copies the controls into the record (fall-backs and screen size
  // limits with their messages). True when the dialog closes with OK; false keeps it open.
  bool OkBtnClick();
  void Button3Click();  // "&Color settings..."
  void Button5Click();  // "Default &font..."
  void Button4Click();  // "&Event handlers..."

  const store::ConnectionRecord& Record() const { return record_; }

 private:
  TConnEditView& view_;
  std::string dataFolder_;
  store::ConnectionRecord record_;
};

}  // namespace ondrix::shell
