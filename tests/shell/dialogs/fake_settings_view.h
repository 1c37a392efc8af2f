#pragma once
// A settings view (editor or defaults) that shows nothing and answers the colour and font dialogs
// as a test tells it.

#include <optional>
#include <string>
#include <vector>

#include "shell/conn_edit_form.h"

namespace ondrix::shell::testing {

struct FakeSettingsView : TConnEditView {
  void SetLists(const std::vector<std::string>& p, const std::vector<std::string>& k) override {
    palettes = p;
    keyLists = k;
  }
  void ShowValues(const TConnFieldValues& v) override { values = v; }
  TConnFieldValues Values() const override { return values; }
  std::optional<store::ConnectionRecord> EditTextColors(const store::ConnectionRecord& r) override {
    colourInputs.push_back(r);
    if (!colourAnswer) return std::nullopt;
    store::ConnectionRecord copy = r;
    copy.DefNormalFore = *colourAnswer;
    copy.DefReverseBack = *colourAnswer + 1;
    return copy;
  }
  std::optional<TFontChoice> ChooseFixedFont(const TFontChoice& current) override {
    fontInputs.push_back(current);
    return fontAnswer;
  }
  void SetCaption(const std::string& c) override { caption = c; }
  void FocusHost() override { ++hostFocused; }
  void EditEventHandlers(const std::string& name) override { eventEditors.push_back(name); }

  std::vector<std::string> palettes;
  std::vector<std::string> keyLists;
  TConnFieldValues values;
  std::optional<std::int32_t> colourAnswer;
  std::optional<TFontChoice> fontAnswer;
  std::vector<store::ConnectionRecord> colourInputs;
  std::vector<TFontChoice> fontInputs;
  std::string caption;
  int hostFocused = 0;
  std::vector<std::string> eventEditors;
};

}  // namespace ondrix::shell::testing
