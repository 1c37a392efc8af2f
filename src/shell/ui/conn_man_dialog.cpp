#include "shell/ui/conn_man_dialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/ui/conn_edit_dialog.h"
#include "shell/ui/manager_text.h"
#include "shell/ui/rename_dialog.h"

namespace ondrix::shell::ui {

ConnManDialog::ConnManDialog(std::string dataFolder, TConnectionHooks hooks,
                             EventEditorOpener eventEditor, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      dataFolder_(std::move(dataFolder)),
      eventEditor_(std::move(eventEditor)),
      names_(new QListWidget(this)),
      popup_(new QMenu(this)),
      form_(*this, dataFolder_, std::move(hooks)) {
  setWindowTitle("Ondrix Connection Manager");
  setModal(true);
  auto* caption = new QLabel("Available connections:", this);
  caption->setBuddy(names_);
  names_->setObjectName("Names");
  names_->setMinimumSize(240, 220);
  names_->setContextMenuPolicy(Qt::CustomContextMenu);
  popup_->addAction("&Rename...", this, [this] { form_.RenameClick(); });
  connect(names_, &QListWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { popup_->exec(names_->viewport()->mapToGlobal(at)); });
  connect(names_, &QListWidget::currentRowChanged, this, [this](int row) { form_.NamesClick(row); });
  connect(names_, &QListWidget::itemDoubleClicked, this, [this] { form_.ConnBtnClick(); });

  const auto addButton = [this](TControl c, const char* text, const char* name) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    buttons_[static_cast<std::size_t>(c)] = b;
    return b;
  };
  auto* add = new QPushButton("&Add new...", this);
  add->setObjectName("NewBtn");
  add->setAutoDefault(false);
  auto* remove = addButton(kDeleteBtn, "De&lete...", "DeleteBtn");
  auto* edit = addButton(kEditBtn, "&Edit...", "EditBtn");
  auto* done = new QPushButton("&Done", this);
  done->setObjectName("DoneBtn");
  done->setDefault(true);
  auto* conn = addButton(kConnBtn, "&Connect", "ConnBtn");
  connect(add, &QPushButton::clicked, this, [this] { form_.NewBtnClick(); });
  connect(remove, &QPushButton::clicked, this, [this] { form_.DeleteBtnClick(); });
  connect(edit, &QPushButton::clicked, this, [this] { form_.EditBtnClick(); });
  connect(done, &QPushButton::clicked, this, [this] { form_.DoneBtnClick(); });
  connect(conn, &QPushButton::clicked, this, [this] { form_.ConnBtnClick(); });

  auto* column = new QVBoxLayout;
  for (QPushButton* b : {add, remove, edit, done, conn}) column->addWidget(b);
  column->addStretch();
  auto* left = new QVBoxLayout;
  left->addWidget(caption);
  left->addWidget(names_);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(column);
  setTabOrder(names_, add);
  setTabOrder(add, remove);
  setTabOrder(remove, edit);
  setTabOrder(edit, done);
  setTabOrder(done, conn);
}

void ConnManDialog::run() {
  try {
    form_.FormShow();
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
    names_->setFocus();
    exec();
  } catch (...) {
    form_.FormClose();
    throw;
  }
  form_.FormClose();
}

void ConnManDialog::ShowNames(const std::vector<std::string>& names) {
  const QSignalBlocker quiet(names_);
  names_->clear();
  for (const std::string& name : names) names_->addItem(toQt(name));
}

void ConnManDialog::SetSelected(int index) {
  const QSignalBlocker quiet(names_);
  names_->setCurrentRow(index);
}

void ConnManDialog::SetEnabled(TControl control, bool enabled) {
  if (control == kNames)
    names_->setEnabled(enabled);
  else
    buttons_[static_cast<std::size_t>(control)]->setEnabled(enabled);
}

std::optional<store::ConnectionRecord> ConnManDialog::EditConnection(
    const store::ConnectionRecord& record) {
  return ConnEditDialog::edit(dataFolder_, record, eventEditor_, this);
}

std::optional<std::string> ConnManDialog::AskNewName(const std::string& name) {
  return RenameDialog::ask("Rename connection", name, this);
}

void ConnManDialog::Close() { accept(); }

}  // namespace ondrix::shell::ui
