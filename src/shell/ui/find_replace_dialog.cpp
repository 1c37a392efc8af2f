#include "shell/ui/find_replace_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/ui/script_editor_widget.h"

namespace ondrix::shell::ui {

FindReplaceDialog::FindReplaceDialog(EditorSource activeEditor, QWidget* parent)
    : QDialog(parent),
      activeEditor_(std::move(activeEditor)),
      findEdit_(new QLineEdit(this)),
      replaceEdit_(new QLineEdit(this)),
      replaceLabel_(new QLabel(tr("Replace &with:"), this)),
      matchCase_(new QCheckBox(tr("&Match case"), this)),
      wholeWords_(new QCheckBox(tr("Whole &words only"), this)),
      replaceButton_(new QPushButton(tr("&Replace"), this)),
      replaceAllButton_(new QPushButton(tr("Replace &all"), this)),
      result_(new QLabel(this)) {
  setModal(false);
  auto* findLabel = new QLabel(tr("&Find what:"), this);
  findLabel->setBuddy(findEdit_);
  replaceLabel_->setBuddy(replaceEdit_);
  auto* findButton = new QPushButton(tr("Find &next"), this);
  findButton->setDefault(true);
  auto* closeButton = new QPushButton(tr("Close"), this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(findLabel, 0, 0);
  grid->addWidget(findEdit_, 0, 1);
  grid->addWidget(findButton, 0, 2);
  grid->addWidget(replaceLabel_, 1, 0);
  grid->addWidget(replaceEdit_, 1, 1);
  grid->addWidget(replaceButton_, 1, 2);
  grid->addWidget(matchCase_, 2, 1);
  grid->addWidget(replaceAllButton_, 2, 2);
  grid->addWidget(wholeWords_, 3, 1);
  grid->addWidget(closeButton, 3, 2);
  grid->addWidget(result_, 4, 0, 1, 3);

  connect(findButton, &QPushButton::clicked, this, [this] { find(false); });
  connect(replaceButton_, &QPushButton::clicked, this, &FindReplaceDialog::replaceOne);
  connect(replaceAllButton_, &QPushButton::clicked, this, &FindReplaceDialog::replaceAll);
  connect(closeButton, &QPushButton::clicked, this, &QDialog::hide);
}

QString FindReplaceDialog::findText() const { return findEdit_->text(); }

void FindReplaceDialog::showFor(bool replace) {
  setWindowTitle(replace ? tr("Replace") : tr("Find"));
  for (QWidget* w : {static_cast<QWidget*>(replaceEdit_), static_cast<QWidget*>(replaceLabel_),
                     static_cast<QWidget*>(replaceButton_), static_cast<QWidget*>(replaceAllButton_)})
    w->setVisible(replace);
  if (ScriptEditorWidget* editor = activeEditor_(); editor && editor->hasSelectedText() &&
                                                    !editor->selectedText().contains(QLatin1Char('\n')))
    findEdit_->setText(editor->selectedText());
  result_->clear();
  adjustSize();
  show();
  raise();
  activateWindow();
  findEdit_->setFocus();
  findEdit_->selectAll();
}

void FindReplaceDialog::report(const QString& text) { result_->setText(text); }

bool FindReplaceDialog::find(bool fromStart) {
  ScriptEditorWidget* editor = activeEditor_();
  if (editor == nullptr || findEdit_->text().isEmpty()) return false;
  int line = 0;
  int index = 0;
  if (!fromStart) editor->getCursorPosition(&line, &index);
  const bool found = editor->findFirst(findEdit_->text(), false, matchCase_->isChecked(), wholeWords_->isChecked(),
                                       !fromStart, true, line, index);
  report(found ? QString() : tr("\"%1\" was not found.").arg(findEdit_->text()));
  return found;
}

bool FindReplaceDialog::findNext() { return find(false); }

void FindReplaceDialog::replaceOne() {
  ScriptEditorWidget* editor = activeEditor_();
  if (editor == nullptr) return;
  // Replaces the current match (the selection a search left), then goes to the next one.
  const Qt::CaseSensitivity cs = matchCase_->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
  if (editor->hasSelectedText() && editor->selectedText().compare(findEdit_->text(), cs) == 0)
    editor->replaceSelectedText(replaceEdit_->text());
  find(false);
}

void FindReplaceDialog::replaceAll() {
  ScriptEditorWidget* editor = activeEditor_();
  if (editor == nullptr || findEdit_->text().isEmpty()) return;
  int count = 0;
  editor->beginUndoAction();
  bool found = editor->findFirst(findEdit_->text(), false, matchCase_->isChecked(), wholeWords_->isChecked(), false,
                                 true, 0, 0, true, false);
  while (found) {
    editor->replace(replaceEdit_->text());
    ++count;
    found = editor->findNext();
  }
  editor->endUndoAction();
  report(tr("%n replacement(s) made.", nullptr, count));
}

}  // namespace ondrix::shell::ui
