#include "shell/ui/rename_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/manager_text.h"

namespace ondrix::shell::ui {

RenameDialog::RenameDialog(const QString& caption, const std::string& name, QWidget* parent)
    : QDialog(parent, Qt::Tool), nameEdit_(new QLineEdit(toQt(name), this)) {
  setWindowTitle(caption);
  auto* label = new QLabel("New name:", this);
  label->setBuddy(nameEdit_);
  nameEdit_->setObjectName("NameEdit");
  nameEdit_->selectAll();
  nameEdit_->setMinimumWidth(260);
  auto* ok = new QPushButton("&Ok", this);
  ok->setObjectName("OkBtn");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(nameEdit_);
  layout->addLayout(buttons);
  nameEdit_->setFocus();
}

std::optional<std::string> RenameDialog::ask(const QString& caption, const std::string& name,
                                             QWidget* parent) {
  RenameDialog dialog(caption, name, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return fromQt(dialog.nameEdit()->text());
}

}  // namespace ondrix::shell::ui
