#include "shell/ui/editor_window_parts.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabWidget>
#include <QToolBar>
#include <algorithm>
#include <exception>

#include "platform/codepage.h"
#include "shell/ui/editor_icons.h"
#include "shell/ui/editor_options_dialog.h"
#include "shell/ui/find_replace_dialog.h"
#include "shell/ui/script_editor_widget.h"

namespace ondrix::shell::ui {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The editor's own key bindings give way to the window's short-cuts.
void releaseWindowKeys(ScriptEditorWidget& editor) {
  for (const TEditorCommand& command : editorCommandTable()) {
    if (command.ShortCut.empty()) continue;
    const QKeySequence sequence(qText(command.ShortCut));
    if (sequence.isEmpty()) continue;
    const int key = sequence[0].toCombined();
    for (QsciCommand* bound : editor.standardCommands()->commands()) {
      if (bound->key() == key) bound->setKey(0);
      if (bound->alternateKey() == key) bound->setAlternateKey(0);
    }
  }
}

}  // namespace

void guarded(QWidget* parent, const std::function<void()>& body) {
  try {
    body();
  } catch (const std::exception& e) {
    QMessageBox::critical(parent, QStringLiteral("Ondrix"), QString::fromStdString(platform::cp1252ToUtf8(e.what())));
  }
}

// ------------------------------------------------------------------------------------------------

EditorActions::EditorActions(const TEditorWindowLayout& layout, QWidget* window,
                             std::function<void(EditorCommand)> trigger)
    : QObject(window), layout_(layout), trigger_(std::move(trigger)), popup_(new QMenu(window)) {
  for (const TEditorMenu& menu : layout_.Menus)
    for (EditorCommand id : menu.Items)
      if (id != kEditorSeparator && action(id) == nullptr) {
        actions_[static_cast<std::size_t>(id)] = makeAction(id, false, window);
        window->addAction(action(id));
      }
  for (EditorCommand id : layout_.Toolbar)
    if (id != kEditorSeparator && action(id) == nullptr) actions_[static_cast<std::size_t>(id)] = makeAction(id, false, window);
  for (EditorCommand id : layout_.Popup) {
    if (id == kEditorSeparator) {
      popup_->addSeparator();
      continue;
    }
    QAction* item = makeAction(id, true, popup_);
    popupActions_[static_cast<std::size_t>(id)] = item;
    popup_->addAction(item);
  }
}

QAction* EditorActions::makeAction(EditorCommand id, bool forPopup, QWidget* parent) {
  const TEditorCommand& command = editorCommand(id);
  auto* item = new QAction(qText(forPopup ? command.PopupText() : command.Caption), parent);
  item->setObjectName(qText(command.Caption).remove(QLatin1Char('&')));
  if (!command.ShortCut.empty()) item->setShortcut(QKeySequence(qText(command.ShortCut)));
  // The pop-up menu shows its short-cuts; the window's actions carry them.
  if (forPopup) item->setShortcutContext(Qt::WidgetShortcut);
  if (!command.Hint.empty()) item->setToolTip(qText(command.Hint));
  item->setIcon(editorCommandIcon(id));
  item->setIconVisibleInMenu(false);
  connect(item, &QAction::triggered, this, [this, id] { trigger_(id); });
  return item;
}

void EditorActions::setEnabled(EditorCommand id, bool enabled) {
  if (QAction* item = action(id)) item->setEnabled(enabled);
  if (QAction* item = popupActions_.at(static_cast<std::size_t>(id))) item->setEnabled(enabled);
}

void EditorActions::fillMenuBar(QMenuBar* bar) const {
  for (const TEditorMenu& menu : layout_.Menus) {
    QMenu* m = bar->addMenu(qText(menu.Caption));
    for (EditorCommand id : menu.Items) {
      if (id == kEditorSeparator)
        m->addSeparator();
      else
        m->addAction(action(id));
    }
  }
}

void EditorActions::fillToolBar(QToolBar* toolbar) const {
  for (EditorCommand id : layout_.Toolbar) {
    if (id == kEditorSeparator)
      toolbar->addSeparator();
    else
      toolbar->addAction(action(id));
  }
}

// ------------------------------------------------------------------------------------------------

EditorStatusBar::EditorStatusBar(QWidget* parent) : QStatusBar(parent) {
  static constexpr int kWidths[] = {65, 80, 50};
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* label = new QLabel(this);
    label->setFixedWidth(kWidths[i]);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (i == 0) label->setAlignment(Qt::AlignCenter);
    addWidget(label);
    panels_[i] = label;
  }
  setSizeGripEnabled(true);
}

void EditorStatusBar::setPanel(int panel, const std::string& text) {
  panels_.at(static_cast<std::size_t>(panel))->setText(QString::fromStdString(text));
}

QString EditorStatusBar::panel(int index) const { return panels_.at(static_cast<std::size_t>(index))->text(); }

// ------------------------------------------------------------------------------------------------

EditorTools::EditorTools(QWidget* window, std::string dataFolder, std::function<ScriptEditorWidget*()> activeEditor)
    : QObject(window),
      window_(window),
      dataFolder_(std::move(dataFolder)),
      activeEditor_(std::move(activeEditor)),
      options_(loadEditorOptions(dataFolder_)),
      language_(TScriptLanguage::Builtin()) {}

ScriptEditorWidget* EditorTools::createEditor(QWidget* parent, QMenu* popup, std::function<void()> statusChanged) {
  auto* editor = new ScriptEditorWidget(language_, options_, parent);
  releaseWindowKeys(*editor);
  connect(editor, &QWidget::customContextMenuRequested, editor,
          [editor, popup](const QPoint& at) { popup->popup(editor->mapToGlobal(at)); });
  connect(editor, &ScriptEditorWidget::statusChanged, editor, std::move(statusChanged));
  connect(editor, &QObject::destroyed, this, [this, editor] { forget(editor); });
  editors_.push_back(editor);
  return editor;
}

void EditorTools::forget(ScriptEditorWidget* editor) { std::erase(editors_, editor); }

ScriptEditorWidget* EditorTools::addPage(QTabWidget* pages, const std::string& caption, QMenu* popup,
                                         std::function<void()> statusChanged) {
  ScriptEditorWidget* editor = createEditor(pages, popup, std::move(statusChanged));
  pages->addTab(editor, QString::fromStdString(caption));  // file names are UTF-8
  return editor;
}

void EditorTools::removePage(QTabWidget* pages, int index) {
  QWidget* page = pages->widget(index);
  pages->removeTab(index);
  page->hide();
  page->deleteLater();
}

bool EditorTools::execute(EditorCommand id) {
  switch (id) {
    case EditorCommand::Find:
    case EditorCommand::Replace:
      if (find_ == nullptr) find_ = new FindReplaceDialog(activeEditor_, window_);
      find_->showFor(id == EditorCommand::Replace);
      return true;
    case EditorCommand::FindNext:
      if (find_ == nullptr || find_->findText().isEmpty()) {
        if (find_ == nullptr) find_ = new FindReplaceDialog(activeEditor_, window_);
        find_->showFor(false);
      } else {
        find_->findNext();
      }
      return true;
    case EditorCommand::EditorOptions: editOptions(); return true;
    default: return false;
  }
}

void EditorTools::editOptions() {
  EditorOptionsDialog dialog(options_, language_, window_);
  if (dialog.exec() != QDialog::Accepted) return;
  options_ = dialog.options();
  for (ScriptEditorWidget* editor : editors_) editor->applyOptions(options_);
  guarded(window_, [this] { saveEditorOptions(dataFolder_, options_); });
}

}  // namespace ondrix::shell::ui
