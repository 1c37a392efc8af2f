#include "shell/conn_edit_form.h"

#include <utility>

#include "shell/conn_dialog_rules.h"

namespace ondrix::shell {

TConnEditForm::TConnEditForm(TConnEditView& view, std::string dataFolder,
                             store::ConnectionRecord record)
    : view_(view), dataFolder_(std::move(dataFolder)), record_(std::move(record)) {}

void TConnEditForm::FormShow() {
  view_.SetCaption("Connection Editor - [" + record_.Name + "]");
  showPaletteAndKeyLists(view_, dataFolder_);
  TConnFieldValues v;
  v.Host = record_.Host;
  v.Port = std::to_string(record_.Port);
  v.Break = record_.Break;
  v.Reset = record_.Reset;
  v.Lines = std::to_string(record_.Lines);
  v.Columns = std::to_string(record_.Columns);
  v.PaletteIndex = record_.PaletteNo;
  v.KeyListIndex = record_.KeyListNo;
  v.EmulationIndex = editorEmulationIndex(record_.Emulation);
  v.Options = {record_.AddCR,      record_.AddLF,         record_.LocalEcho,
               record_.Monochrome, record_.ForceLineDraw, record_.SendWindowSize};
  view_.ShowValues(v);
}

bool TConnEditForm::OkBtnClick() {
  const TConnFieldValues v = view_.Values();
  if (v.Host.empty()) {
    inform("You must supply a host name!");
    view_.FocusHost();
    return false;
  }
  record_.Host = cutText(v.Host);
  record_.Port = numberOr(v.Port, kFallbackPort);
  record_.Emulation = emulationName(v.EmulationIndex);
  record_.AddCR = v.Options[kAddCR];
  record_.AddLF = v.Options[kAddLF];
  record_.LocalEcho = v.Options[kLocalEcho];
  record_.Monochrome = v.Options[kMonochrome];
  record_.ForceLineDraw = v.Options[kForceLineDraw];
  record_.SendWindowSize = v.Options[kSendWindowSize];
  record_.Lines = checkedLines(v.Lines);
  record_.Columns = checkedColumns(v.Columns);
  record_.Break = cutText(v.Break);
  record_.Reset = cutText(v.Reset);
  record_.PaletteNo = chosenNumber(v.PaletteIndex, record_.PaletteNo);
  record_.KeyListNo = chosenNumber(v.KeyListIndex, record_.KeyListNo);
  return true;
}

void TConnEditForm::Button3Click() {
  if (auto edited = view_.EditTextColors(record_)) record_ = std::move(*edited);
}

void TConnEditForm::Button5Click() {
  if (auto font = view_.ChooseFixedFont(fontOf(record_))) setFont(record_, *font);
}

void TConnEditForm::Button4Click() { view_.EditEventHandlers(record_.Name); }

}  // namespace ondrix::shell
