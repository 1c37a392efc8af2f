#pragma once
// KeyManWindow: the keylist manager ("Ondrix Keylist Manager") showing TKeyManForm, with the
// keyboard editor and the rename dialog it opens. Made once and kept; Run() shows it modally.

#include <QDialog>
#include <functional>
#include <string>

#include "shell/key_man_form.h"

class QListWidget;
class QPushButton;

namespace ondrix::shell::ui {

class KeyManWindow : public QDialog, public TKeyManView {
 public:
  explicit KeyManWindow(std::string dataFolder, QWidget* parent = nullptr);

  // Runs after every close (the main window rebuilds its "Change keylist" submenu).
  void setOnClosed(std::function<void()> onClosed) { form_.OnClosed = std::move(onClosed); }
  // Shows the manager modally until it closes.
  void Run();
  // Shows it without waiting (for tests); it closes through "&Done" or the window's close.
  void ShowModeless();

  TKeyManForm& form() { return form_; }
  QListWidget* names() const { return names_; }
  QPushButton* newButton() const { return newBtn_; }
  QPushButton* deleteButton() const { return deleteBtn_; }
  QPushButton* editButton() const { return editBtn_; }
  QPushButton* doneButton() const { return doneBtn_; }
  QAction* renameAction() const { return renameAction_; }

  // --- TKeyManView
  void ShowNames(const std::vector<std::string>& names, int selected) override;
  void SetEditingEnabled(bool enabled) override;
  std::optional<std::string> AskNewName(const std::string& name) override;
  void EditKeys(int position, store::TKeyItem& keylist) override;
  void CloseWindow() override;

 private:
  std::string dataFolder_;
  QListWidget* names_;
  QPushButton* newBtn_;
  QPushButton* deleteBtn_;
  QPushButton* editBtn_;
  QPushButton* doneBtn_;
  QAction* renameAction_;
  TKeyManForm form_;
};

}  // namespace ondrix::shell::ui
