#include "shell/ui/event_editor_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/codepage.h"
#include "platform/qt/file_dialog.h"
#include "shell/ui/editor_window_parts.h"
#include "shell/ui/script_editor_widget.h"

namespace ondrix::shell::ui {

EventEditorWindow::EventEditorWindow(const std::string& owner, const std::string& programFolder,
                                     const std::string& dataFolder, script::TComponent& mainForm, QWidget* parent)
    : QDialog(parent),
      pages_(new QTabWidget(this)),
      enabled_(new QCheckBox(tr("Enabled"), this)),
      saveButton_(new QPushButton(tr("&Save and exit"), this)),
      exitButton_(new QPushButton(tr("&Exit without saving"), this)),
      status_(new EditorStatusBar(this)),
      tools_(new EditorTools(this, dataFolder, [this] { return activeEditor(); })),
      actions_(new EditorActions(eventEditorLayout(), this, [this](EditorCommand id) { execute(id); })) {
  setObjectName(QStringLiteral("ConnEventForm"));
  enabled_->setObjectName(QStringLiteral("CheckBox1"));
  saveButton_->setObjectName(QStringLiteral("SaveBtn"));
  exitButton_->setObjectName(QStringLiteral("ExitBtn"));
  saveButton_->setAutoDefault(false);
  exitButton_->setAutoDefault(false);
  setSizeGripEnabled(false);

  auto* menuBar = new QMenuBar(this);
  actions_->fillMenuBar(menuBar);
  auto* toolbar = new QToolBar(tr("Toolbar"), this);
  toolbar->setObjectName(QStringLiteral("ToolBar1"));
  actions_->fillToolBar(toolbar);

  // The buttons keep to the right edge: exit 10 pixels from it, save 10 pixels left of exit.
  auto* bottom = new QWidget(this);
  auto* bottomLayout = new QHBoxLayout(bottom);
  bottomLayout->setContentsMargins(10, 6, 10, 6);
  bottomLayout->setSpacing(10);
  bottomLayout->addWidget(enabled_);
  bottomLayout->addStretch();
  bottomLayout->addWidget(saveButton_);
  bottomLayout->addWidget(exitButton_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menuBar);
  layout->addWidget(toolbar);
  layout->addWidget(pages_, 1);
  layout->addWidget(bottom);
  layout->addWidget(status_);
  pages_->setDocumentMode(true);
  pages_->hide();  // shown once the pages are there

  connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
    if (form_) form_->PageChanged(index);
  });
  connect(enabled_, &QCheckBox::clicked, this, [this](bool checked) { form_->EnabledClicked(checked); });
  connect(saveButton_, &QPushButton::clicked, this, [this] { execute(EditorCommand::SaveAndExit); });
  connect(exitButton_, &QPushButton::clicked, this, [this] { execute(EditorCommand::ExitWithoutSaving); });
  resize(600, 440);

  form_ = std::make_unique<TConnEventForm>(*this, dataFolder, programFolder, mainForm);
  form_->Owner = owner;
}

EventEditorWindow::~EventEditorWindow() {
  if (form_) guarded(this, [this] { form_->FormClose(); });
}

ScriptEditorWidget* EventEditorWindow::activeEditor() const {
  return qobject_cast<ScriptEditorWidget*>(pages_->currentWidget());
}

void EventEditorWindow::execute(EditorCommand id) {
  guarded(this, [this, id] {
    if (!tools_->execute(id)) form_->Execute(id);
  });
}

void EventEditorWindow::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(platform::cp1252ToUtf8(caption)));
}

TScriptEditor& EventEditorWindow::AddPage(const std::string& caption) {
  ScriptEditorWidget* editor = tools_->addPage(pages_, caption, actions_->popup(), [this] {
    if (form_) form_->EditorChanged();
  });
  pages_->show();
  return *editor;
}

void EventEditorWindow::RemovePage(int index) { EditorTools::removePage(pages_, index); }

void EventEditorWindow::SetActivePage(int index) { pages_->setCurrentIndex(index); }
void EventEditorWindow::SetEnabledChecked(bool checked) { enabled_->setChecked(checked); }
void EventEditorWindow::SetStatusText(int panel, const std::string& text) { status_->setPanel(panel, text); }

void EventEditorWindow::SetLanguage(const TScriptLanguage& language) {
  tools_->setLanguage(language);
  // The pages were made before the description was read: give them its colouring.
  for (int i = 0; i < pages_->count(); ++i)
    if (auto* editor = qobject_cast<ScriptEditorWidget*>(pages_->widget(i))) editor->setLanguage(language);
}

std::optional<std::string> EventEditorWindow::ChooseImportFile(const std::string& title, const std::string& filter,
                                                               const std::string& defaultExtension) {
  return platform::qt::runFileDialog(this, {platform::FileChoice::Open, QString::fromStdString(title), {}, filter,
                                            QString::fromStdString(defaultExtension)});
}

void EventEditorWindow::CloseWindow() { accept(); }

void EventEditorWindow::done(int result) {
  if (form_) {
    if (!form_->CanClose()) return;
    guarded(this, [this] { form_->FormClose(); });
  }
  QDialog::done(result);
}

// Escape would close the window and drop every change without a word: it does nothing here.
void EventEditorWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace ondrix::shell::ui
