#pragma once
// PaletteManWindow: the palette manager ("Ondrix Palette Manager") showing TPaletteManForm: the
// palette names, sixteen colour panels "1"-"16" (double-click: the colour dialog), "&New...",
// "De&lete...", "&Done". Made once and kept; Run() shows it modally.

#include <QDialog>
#include <array>
#include <string>

#include "shell/palette_man_form.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace ondrix::shell::ui {

class PaletteManWindow : public QDialog, public TPaletteManView {
 public:
  explicit PaletteManWindow(std::string dataFolder, QWidget* parent = nullptr);

  void Run();
  void ShowModeless();

  TPaletteManForm& form() { return form_; }
  QListWidget* names() const { return names_; }
  QLabel* panel(int number) const { return panels_.at(static_cast<std::size_t>(number - 1)); }
  QPushButton* newButton() const { return newBtn_; }
  QPushButton* deleteButton() const { return deleteBtn_; }
  QPushButton* doneButton() const { return doneBtn_; }
  QAction* renameAction() const { return renameAction_; }

  // --- TPaletteManView
  void ShowNames(const std::vector<std::string>& names, int selected) override;
  void SetPanelColor(int panel, std::uint32_t color) override;
  std::optional<std::uint32_t> ChooseColor(std::uint32_t color) override;
  std::optional<std::string> AskNewName(const std::string& name) override;
  void CloseWindow() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* names_;
  std::array<QLabel*, TPaletteManForm::kPanels> panels_{};
  QPushButton* newBtn_;
  QPushButton* deleteBtn_;
  QPushButton* doneBtn_;
  QAction* renameAction_;
  TPaletteManForm form_;
};

}  // namespace ondrix::shell::ui
