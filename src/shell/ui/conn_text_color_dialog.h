#pragma once
// The connection text colour window ("Connection text colors"), showing a TConnTextColorForm:
// five coloured panels with words on them, the explanation, "&Ok" and "&Cancel".

#include <QDialog>
#include <array>
#include <optional>

#include "shell/conn_text_color_form.h"

namespace ondrix::shell::ui {

class ClickFrame;
class ClickLabel;

class ConnTextColorDialog : public QDialog, public TConnTextColorView {
 public:
  ConnTextColorDialog(std::string dataFolder, const store::ConnectionRecord& record,
                      QWidget* parent);

  TConnTextColorForm& form() { return form_; }
  ClickFrame* panel(int row) const { return panels_.at(static_cast<std::size_t>(row)); }
  ClickLabel* label(int row) const { return labels_.at(static_cast<std::size_t>(row)); }

  // --- TConnTextColorView
  void SetRowColors(int row, std::uint32_t fore, std::uint32_t back) override;
  int PickColor(std::int32_t paletteNo) override;

  // The dialog modal over `parent` on a copy of `record`: the record with the chosen colours, or
  // nothing when cancelled.
  static std::optional<store::ConnectionRecord> edit(const std::string& dataFolder,
                                                     const store::ConnectionRecord& record,
                                                     QWidget* parent);

 private:
  std::string dataFolder_;
  std::array<ClickFrame*, TConnTextColorForm::kRowCount> panels_{};
  std::array<ClickLabel*, TConnTextColorForm::kRowCount> labels_{};
  TConnTextColorForm form_;
};

}  // namespace ondrix::shell::ui
