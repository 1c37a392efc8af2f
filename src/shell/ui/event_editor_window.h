#pragma once
// The event handler editor window: modal, created and freed each time, one page per event kind
// with the "Enabled" check box below, carried out by TConnEventForm.

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "shell/event_editor_form.h"
#include "shell/event_editor_view.h"
#include "shell/ui/editor_window_parts.h"

class QCheckBox;
class QPushButton;
class QTabWidget;
class QToolBar;

namespace ondrix::shell::ui {

class EventEditorWindow final : public QDialog, public TConnEventView {
 public:
  EventEditorWindow(const std::string& owner, const std::string& programFolder, const std::string& dataFolder,
                    script::TComponent& mainForm, QWidget* parent = nullptr);
  ~EventEditorWindow() override;

  TConnEventForm& form() { return *form_; }
  EditorActions& actions() { return *actions_; }
  EditorStatusBar& status() { return *status_; }
  QTabWidget* pages() const { return pages_; }
  QCheckBox* enabledBox() const { return enabled_; }
  ScriptEditorWidget* activeEditor() const;

  // TConnEventView
  void SetCaption(const std::string& caption) override;
  TScriptEditor& AddPage(const std::string& caption) override;
  void RemovePage(int index) override;
  void SetActivePage(int index) override;
  void SetEnabledChecked(bool checked) override;
  void SetStatusText(int panel, const std::string& text) override;
  void SetLanguage(const TScriptLanguage& language) override;
  std::optional<std::string> ChooseImportFile(const std::string& title, const std::string& filter,
                                              const std::string& defaultExtension) override;
  void CloseWindow() override;

  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void execute(EditorCommand id);

  QTabWidget* pages_;
  QCheckBox* enabled_;
  QPushButton* saveButton_;
  QPushButton* exitButton_;
  EditorStatusBar* status_;
  EditorTools* tools_;
  EditorActions* actions_;
  std::unique_ptr<TConnEventForm> form_;
};

}  // namespace ondrix::shell::ui
