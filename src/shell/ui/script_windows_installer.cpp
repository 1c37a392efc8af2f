#include "shell/ui/script_windows_installer.h"

#include <QCloseEvent>
#include <QPointer>
#include <QWidget>

#include "shell/main_form.h"
#include "shell/ui/editor_window_parts.h"
#include "shell/ui/event_editor_window.h"
#include "shell/ui/outside/outside_installer.h"
#include "shell/ui/script_editor_service.h"
#include "shell/ui/script_editor_widget.h"
#include "shell/ui/script_manager_window.h"
#include "store/records/event_record.h"

namespace ondrix::shell::ui {

namespace {

// Keeps the one script manager of a main window, and closes it (asking about changed scripts)
// before the main window closes.
class ScriptManagerKeeper final : public QObject {
 public:
  ScriptManagerKeeper(TMainForm& form, QWidget* mainWindow) : QObject(mainWindow), form_(form), mainWindow_(mainWindow) {
    mainWindow->installEventFilter(this);
  }

  void show() {
    if (window_ == nullptr) {
      window_ = new ScriptManagerWindow(form_.ProgramFolder(), form_.DataFolder(), form_.ScriptObject(), mainWindow_);
      window_->setWindowFlag(Qt::Window);
      window_->setAttribute(Qt::WA_DeleteOnClose);
      // "Contents..." and "Index..." open the script language reference in the help viewer.
      const QString folder = QString::fromStdString(form_.ProgramFolder());
      window_->form().SetHelpHandler([this, folder](EditorCommand command) {
        openHelp(mainWindow_, folder, QStringLiteral("OXPSCRIPT.md"),
                 command == EditorCommand::HelpIndex ? HelpViewer::Page::Index : HelpViewer::Page::Contents);
      });
    }
    window_->ShowWindow();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == mainWindow_ && event->type() == QEvent::Close && window_ != nullptr && !window_->close()) {
      event->ignore();
      return true;
    }
    return false;
  }

 private:
  TMainForm& form_;
  QWidget* mainWindow_;
  QPointer<ScriptManagerWindow> window_;
};

}  // namespace

void installScriptWindows(TMainForm& form, QWidget* parent) {
  auto* keeper = new ScriptManagerKeeper(form, parent);
  new ScriptEditorService(form.ScriptObject(), form.ProgramFolder(), form.DataFolder(), parent);  // for add-ins
  // F1 in any script editor: the reference's index at the word under the caret.
  const QString folder = QString::fromStdString(form.ProgramFolder());
  ScriptEditorWidget::setKeywordHelp([parent, folder](const QString& word) {
    openHelp(parent, folder, QStringLiteral("OXPSCRIPT.md"), HelpViewer::Page::Index, word);
  });
  form.SetCommandHandler(CommandId::ScriptManager, [keeper, parent] { guarded(parent, [keeper] { keeper->show(); }); });
  form.SetCommandHandler(CommandId::EventManager,
                         [&form, parent] { showEventHandlerEditor(std::string(store::kSystemOwner), form, parent); });
}

void showEventHandlerEditor(const std::string& owner, TMainForm& form, QWidget* parent) {
  EventEditorWindow window(owner, form.ProgramFolder(), form.DataFolder(), form.ScriptObject(), parent);
  guarded(parent, [&window] {
    window.form().FormShow();
    window.exec();
  });
}

}  // namespace ondrix::shell::ui
