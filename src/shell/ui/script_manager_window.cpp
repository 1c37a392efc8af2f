#include "shell/ui/script_manager_window.h"

#include <QCloseEvent>
#include <QTabWidget>
#include <QToolBar>

#include "platform/qt/file_dialog.h"
#include "shell/ui/editor_window_parts.h"
#include "shell/ui/script_editor_widget.h"

namespace ondrix::shell::ui {

ScriptManagerWindow::ScriptManagerWindow(const std::string& programFolder, const std::string& dataFolder,
                                         script::TComponent& mainForm, QWidget* parent)
    : QMainWindow(parent),
      pages_(new QTabWidget(this)),
      status_(new EditorStatusBar(this)),
      tools_(new EditorTools(this, dataFolder, [this] { return activeEditor(); })),
      actions_(new EditorActions(scriptManagerLayout(), this,
                                 [this](EditorCommand id) { guarded(this, [this, id] { execute(id); }); })) {
  setObjectName(QStringLiteral("ScriptEditForm"));
  setWindowTitle(QString::fromLatin1(TScriptEditForm::kCaption));
  actions_->fillMenuBar(menuBar());
  auto* toolbar = addToolBar(QString::fromLatin1(TScriptEditForm::kToolbarCaption));
  toolbar->setObjectName(QStringLiteral("ToolBar"));
  actions_->fillToolBar(toolbar);
  pages_->setDocumentMode(true);
  setCentralWidget(pages_);
  setStatusBar(status_);
  connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
    if (form_) form_->PageChanged(index);
  });
  resize(640, 480);
  form_ = std::make_unique<TScriptEditForm>(*this, programFolder, mainForm);
}

ScriptManagerWindow::~ScriptManagerWindow() = default;

ScriptEditorWidget* ScriptManagerWindow::activeEditor() const {
  return qobject_cast<ScriptEditorWidget*>(pages_->currentWidget());
}

void ScriptManagerWindow::execute(EditorCommand id) {
  if (!tools_->execute(id)) form_->Execute(id);
}

TScriptEditor& ScriptManagerWindow::AddPage(const std::string& caption) {
  return *tools_->addPage(pages_, caption, actions_->popup(), [this] {
    if (form_) form_->EditorChanged();
  });
}

void ScriptManagerWindow::RemovePage(int index) { EditorTools::removePage(pages_, index); }

void ScriptManagerWindow::SetPageCaption(int index, const std::string& caption) {
  pages_->setTabText(index, QString::fromStdString(caption));
}

void ScriptManagerWindow::SetActivePage(int index) { pages_->setCurrentIndex(index); }
void ScriptManagerWindow::SetPagesVisible(bool visible) { pages_->setVisible(visible); }
void ScriptManagerWindow::SetCommandEnabled(EditorCommand id, bool enabled) { actions_->setEnabled(id, enabled); }
void ScriptManagerWindow::SetStatusText(int panel, const std::string& text) { status_->setPanel(panel, text); }
void ScriptManagerWindow::SetLanguage(const TScriptLanguage& language) { tools_->setLanguage(language); }

std::optional<std::string> ScriptManagerWindow::ChooseOpenFile(const std::string& filter,
                                                               const std::string& defaultExtension) {
  return platform::qt::runFileDialog(this, {platform::FileChoice::Open, tr("Open script"), {}, filter,
                                            QString::fromStdString(defaultExtension)});
}

std::optional<std::string> ScriptManagerWindow::ChooseSaveFile(const std::string& initialName,
                                                               const std::string& filter,
                                                               const std::string& defaultExtension) {
  // Qt's dialog opens on the folder of a path given as its folder, with the file name selected.
  return platform::qt::runFileDialog(this, {platform::FileChoice::Save, tr("Save script as"),
                                            QString::fromLocal8Bit(initialName), filter,
                                            QString::fromStdString(defaultExtension)});
}

void ScriptManagerWindow::ShowWindow() {
  show();
  raise();
  activateWindow();
}

void ScriptManagerWindow::CloseWindow() { close(); }

void ScriptManagerWindow::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  guarded(this, [this, &mayClose] { mayClose = form_->CloseQuery(); });
  if (mayClose)
    event->accept();
  else
    event->ignore();
}

}  // namespace ondrix::shell::ui
