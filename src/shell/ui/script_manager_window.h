#pragma once
// The script manager window ("Ondrix script manager"): not modal, one page per open script, the
// commands of its menus, pop-up menu and toolbar carried out by TScriptEditForm. Closing it closes
// the pages one at a time (each may ask to save); when all are closed the window is destroyed.

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>

#include "shell/script_manager_form.h"
#include "shell/script_manager_view.h"
#include "shell/ui/editor_window_parts.h"

class QTabWidget;

namespace ondrix::shell::ui {

class ScriptManagerWindow final : public QMainWindow, public TScriptEditView {
 public:
  ScriptManagerWindow(const std::string& programFolder, const std::string& dataFolder,
                      script::TComponent& mainForm, QWidget* parent = nullptr);
  ~ScriptManagerWindow() override;

  TScriptEditForm& form() { return *form_; }
  EditorActions& actions() { return *actions_; }
  EditorStatusBar& status() { return *status_; }
  QTabWidget* pages() const { return pages_; }
  ScriptEditorWidget* activeEditor() const;

  // TScriptEditView
  TScriptEditor& AddPage(const std::string& caption) override;
  void RemovePage(int index) override;
  void SetPageCaption(int index, const std::string& caption) override;
  void SetActivePage(int index) override;
  void SetPagesVisible(bool visible) override;
  void SetCommandEnabled(EditorCommand id, bool enabled) override;
  void SetStatusText(int panel, const std::string& text) override;
  void SetLanguage(const TScriptLanguage& language) override;
  std::optional<std::string> ChooseOpenFile(const std::string& filter, const std::string& defaultExtension) override;
  std::optional<std::string> ChooseSaveFile(const std::string& initialName, const std::string& filter,
                                            const std::string& defaultExtension) override;
  void ShowWindow() override;
  void CloseWindow() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void execute(EditorCommand id);

  QTabWidget* pages_;
  EditorStatusBar* status_;
  EditorTools* tools_;
  EditorActions* actions_;
  std::unique_ptr<TScriptEditForm> form_;
};

}  // namespace ondrix::shell::ui
