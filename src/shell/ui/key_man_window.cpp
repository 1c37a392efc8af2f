#include "shell/ui/key_man_window.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/keyboard_window.h"
#include "shell/ui/manager_list.h"
#include "shell/ui/rename_dialog.h"

namespace ondrix::shell::ui {

KeyManWindow::KeyManWindow(std::string dataFolder, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      dataFolder_(dataFolder),
      names_(new QListWidget(this)),
      newBtn_(new QPushButton("&New", this)),
      deleteBtn_(new QPushButton("De&lete...", this)),
      editBtn_(new QPushButton("&Edit...", this)),
      doneBtn_(new QPushButton("&Done", this)),
      renameAction_(new QAction("&Rename...", this)),
      form_(*this, std::move(dataFolder)) {
  setWindowTitle(TKeyManForm::kCaption);
  setModal(true);
  names_->setObjectName("Names");
  newBtn_->setObjectName("NewBtn");
  deleteBtn_->setObjectName("DeleteBtn");
  editBtn_->setObjectName("EditBtn");
  doneBtn_->setObjectName("DoneBtn");
  for (QPushButton* button : {newBtn_, deleteBtn_, editBtn_, doneBtn_}) button->setAutoDefault(false);
  addListPopup(names_, renameAction_);

  connect(names_, &QListWidget::currentRowChanged, this, [this](int row) { form_.NamesClick(row); });
  connect(names_, &QListWidget::itemDoubleClicked, this, [this] { form_.EditBtnClick(); });
  connect(renameAction_, &QAction::triggered, this, [this] { form_.RenameClick(); });
  connect(newBtn_, &QPushButton::clicked, this, [this] { form_.NewBtnClick(); });
  connect(deleteBtn_, &QPushButton::clicked, this, [this] { form_.DeleteBtnClick(); });
  connect(editBtn_, &QPushButton::clicked, this, [this] { form_.EditBtnClick(); });
  connect(doneBtn_, &QPushButton::clicked, this, [this] { form_.DoneBtnClick(); });
  connect(this, &QDialog::finished, this, [this] { form_.FormClose(); });

  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {newBtn_, deleteBtn_, editBtn_}) buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(doneBtn_);
  auto* layout = new QGridLayout(this);
  auto* label = new QLabel("Keylist definitions:", this);
  label->setBuddy(names_);
  layout->addWidget(label, 0, 0);
  layout->addWidget(names_, 1, 0);
  layout->addLayout(buttons, 1, 1);
  resize(360, 260);
}

void KeyManWindow::Run() {
  form_.FormShow();
  exec();
}

void KeyManWindow::ShowModeless() {
  form_.FormShow();
  show();
}

void KeyManWindow::ShowNames(const std::vector<std::string>& names, int selected) {
  showListNames(names_, names, selected);
}

void KeyManWindow::SetEditingEnabled(bool enabled) {
  for (QWidget* widget : {static_cast<QWidget*>(deleteBtn_), static_cast<QWidget*>(editBtn_),
                          static_cast<QWidget*>(names_)})
    widget->setEnabled(enabled);
}

std::optional<std::string> KeyManWindow::AskNewName(const std::string& name) {
  return RenameDialog::ask("Rename keylist", name, this);
}

void KeyManWindow::EditKeys(int position, store::TKeyItem& keylist) {
  KeyboardWindow editor(position, keylist, dataFolder_, this);
  editor.exec();
  keylist = editor.form().KeyList();  // there is no cancel: what was accepted stays
}

void KeyManWindow::CloseWindow() { accept(); }

}  // namespace ondrix::shell::ui
