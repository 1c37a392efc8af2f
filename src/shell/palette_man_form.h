#pragma once
// TPaletteManForm: the palette manager's logic ("Ondrix Palette Manager"). It shows the selected
// palette's sixteen colours on the panels "1"-"16"; a colour chosen for a panel is written at once.
// PALETTES.QDB is opened for each step and closed after it, never held while the user works. Palette 0 is the default and cannot be
// changed, renamed or deleted. Deleting a palette renumbers the rest, and the connections and
// defaults that referred to palettes follow it so each keeps the palette it had (the deleted
// one's users get palette 0).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/records/palette_record.h"
#include "store/stores/pal_db_fcns.h"

namespace ondrix::shell {

class TPaletteManView {
 public:
  virtual ~TPaletteManView() = default;
  // The list `Names` holds `names` with item `selected` selected (-1: none).
  virtual void ShowNames(const std::vector<std::string>& names, int selected) = 0;
  // Panel `panel` (1-16) shows `color` (0x00BBGGRR).
  virtual void SetPanelColor(int panel, std::uint32_t color) = 0;
  // The colour dialog, fully open, preset with `color`: the chosen colour, or nothing.
  virtual std::optional<std::uint32_t> ChooseColor(std::uint32_t color) = 0;
  // The dialog "Rename palette" over the manager, preset with `name`.
  virtual std::optional<std::string> AskNewName(const std::string& name) = 0;
  virtual void CloseWindow() = 0;
};

class TPaletteManForm {
 public:
  static constexpr const char* kCaption = "Ondrix Palette Manager";
  static constexpr int kPanels = 16;
  static constexpr std::size_t kMaxName = 60;

  TPaletteManForm(TPaletteManView& view, std::string dataFolder);

  void FormShow();
  void NamesClick(int index);
  // Double-click on panel `panel` (1-16).
  void PanelDblClick(int panel);
  void NewBtnClick();
  void DeleteBtnClick();
  void RenameClick();
  void DoneBtnClick();

  const std::vector<std::string>& Names() const { return names_; }
  int Selected() const { return selected_; }
  const store::PaletteRecord& Current() const { return current_; }

 private:
  void load(int number);
  void colorPanels();
  void show();
  void writeCurrent();

  TPaletteManView& view_;
  std::string dataFolder_;
  store::PalDBFcns palettes_;
  std::vector<std::string> names_;
  int selected_ = -1;
  store::PaletteRecord current_ = store::PaletteRecord::missing();
};

}  // namespace ondrix::shell
