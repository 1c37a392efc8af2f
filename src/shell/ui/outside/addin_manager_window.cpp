#include "shell/ui/outside/addin_manager_window.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

#include "shell/ui/outside/addin_edit_dialog.h"
#include "shell/ui/outside/addin_text.h"
#include "shell/ui/outside/host_script_editors.h"

namespace ondrix::shell::ui {
namespace {

const QString kCaption = QStringLiteral("Add-in manager");

void addMenuItems(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<TAddinMenuItem>& items) {
  for (const TAddinMenuItem& item : items) {
    QString text = fromStored(item.Caption);
    if (!item.HasAction) text += QStringLiteral("  \u25B8");
    auto* node = parent ? new QTreeWidgetItem(parent, {text}) : new QTreeWidgetItem(tree, {text});
    addMenuItems(node, tree, item.Children);
  }
}

}  // namespace

AddinManagerWindow::AddinManagerWindow(const std::string& dataFolder, QWidget* parent)
    : QDialog(parent),
      addins_(new QTreeWidget(this)),
      preview_(new QTreeWidget(this)),
      edit_(new QPushButton(QStringLiteral("&Edit..."), this)),
      delete_(new QPushButton(QStringLiteral("&Delete"), this)),
      form_(dataFolder, *this) {
  setWindowTitle(kCaption);
  setObjectName(QStringLiteral("AddinManagerWindow"));
  addins_->setObjectName(QStringLiteral("addins"));
  preview_->setObjectName(QStringLiteral("preview"));
  addins_->setHeaderLabels({QStringLiteral("Caption"), QStringLiteral("Number")});
  addins_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  addins_->header()->setStretchLastSection(false);
  preview_->setHeaderLabels({QStringLiteral("Menu preview")});
  preview_->setSelectionMode(QAbstractItemView::NoSelection);

  auto* add = new QPushButton(QStringLiteral("&Add..."), this);
  add->setObjectName(QStringLiteral("add"));
  edit_->setObjectName(QStringLiteral("edit"));
  delete_->setObjectName(QStringLiteral("delete"));
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("close"));
  connect(add, &QPushButton::clicked, this, [this] { addClicked(); });
  connect(edit_, &QPushButton::clicked, this, [this] { editClicked(); });
  connect(delete_, &QPushButton::clicked, this, [this] { deleteClicked(); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(addins_, &QTreeWidget::itemSelectionChanged, this, [this] { updateButtons(); });
  connect(addins_, &QTreeWidget::itemDoubleClicked, this, [this] { editClicked(); });

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {add, edit_, delete_}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Add-ins:"), this), 0, 0);
  layout->addWidget(addins_, 1, 0);
  layout->addWidget(preview_, 1, 1);
  layout->addLayout(buttons, 1, 2);
  layout->setColumnStretch(0, 3);
  layout->setColumnStretch(1, 2);
  resize(640, 400);
  form_.Load();
}

void AddinManagerWindow::ShowAddins(const std::vector<TAddinEntry>& addins, const std::vector<TAddinMenuItem>& menu) {
  const std::int32_t keep = selected();
  addins_->clear();
  // Every parent comes before its entries, so its tree item exists when they are added.
  std::map<std::int32_t, QTreeWidgetItem*> items;
  for (const TAddinEntry& e : addins) {
    const QStringList texts{fromStored(e.Item.Caption), addinKey(e.Number)};
    const auto parent = items.find(e.Item.ParentNo);
    auto* item = parent != items.end() ? new QTreeWidgetItem(parent->second, texts) : new QTreeWidgetItem(addins_, texts);
    item->setData(0, Qt::UserRole, e.Number);
    items[e.Number] = item;
  }
  addins_->expandAll();
  if (const auto it = items.find(keep); it != items.end()) addins_->setCurrentItem(it->second);
  preview_->clear();
  addMenuItems(nullptr, preview_, menu);
  preview_->expandAll();
  updateButtons();
}

bool AddinManagerWindow::Confirm(const std::string& question) {
  return QMessageBox::warning(this, kCaption, fromStored(question), QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

void AddinManagerWindow::ShowMessage(const std::string& text) {
  QMessageBox::information(this, kCaption, fromStored(text));
}

QObject* AddinManagerWindow::scriptEditors() const {
  return parentWidget() ? parentWidget()->findChild<QObject*>(QString::fromLatin1(kScriptEditorsName),
                                                              Qt::FindDirectChildrenOnly)
                        : nullptr;
}

std::int32_t AddinManagerWindow::selected() const {
  const QTreeWidgetItem* item = addins_->currentItem();
  return item && item->isSelected() ? item->data(0, Qt::UserRole).toInt() : 0;
}

void AddinManagerWindow::updateButtons() {
  edit_->setEnabled(selected() != 0);
  delete_->setEnabled(selected() != 0);
}

void AddinManagerWindow::addClicked() {
  store::AddinItem item;
  item.ParentNo = selected();  // a new add-in goes under the selected one by default
  AddinEditDialog dialog(QStringLiteral("New add-in"), item, form_.ParentChoices(0), scriptEditors(), this);
  // The dialog stays open until its entry is accepted or the user cancels.
  while (dialog.exec() == QDialog::Accepted)
    if (form_.Add(dialog.item())) return;
}

void AddinManagerWindow::editClicked() {
  const TAddinEntry* entry = form_.Find(selected());
  if (!entry) return;
  const std::int32_t number = entry->Number;
  AddinEditDialog dialog(QStringLiteral("Edit add-in ") + addinKey(number), entry->Item, form_.ParentChoices(number),
                         scriptEditors(), this);
  while (dialog.exec() == QDialog::Accepted)
    if (form_.Edit(number, dialog.item())) return;
}

void AddinManagerWindow::deleteClicked() {
  if (const std::int32_t number = selected()) form_.Delete(number);
}

}  // namespace ondrix::shell::ui
