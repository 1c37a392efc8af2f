#include "shell/ui/outside/addin_edit_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "shell/ui/outside/addin_text.h"

namespace ondrix::shell::ui {

AddinEditDialog::AddinEditDialog(const QString& title, const store::AddinItem& item,
                                 const std::vector<TAddinEntry>& choices, QWidget* parent)
    : QDialog(parent),
      caption_(new QLineEdit(fromStored(item.Caption), this)),
      parent_(new QComboBox(this)),
      script_(new QPlainTextEdit(fromStored(item.Script), this)) {
  setWindowTitle(title);
  setObjectName(QStringLiteral("AddinEditDialog"));
  caption_->setObjectName(QStringLiteral("caption"));
  parent_->setObjectName(QStringLiteral("parent"));
  script_->setObjectName(QStringLiteral("script"));
  parent_->addItem(QStringLiteral("(top level)"), 0);
  for (const TAddinEntry& e : choices) {
    parent_->addItem(addinKey(e.Number) + QStringLiteral("  ") + fromStored(e.Item.Caption), e.Number);
    if (e.Number == item.ParentNo) parent_->setCurrentIndex(parent_->count() - 1);
  }
  script_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  script_->setLineWrapMode(QPlainTextEdit::NoWrap);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Caption:"), caption_);
  form->addRow(QStringLiteral("&Under:"), parent_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  auto* scriptLabel = new QLabel(QStringLiteral("&Script:"), this);
  scriptLabel->setBuddy(script_);
  layout->addWidget(scriptLabel);
  layout->addWidget(script_, 1);
  layout->addWidget(buttons);
  resize(560, 420);
}

store::AddinItem AddinEditDialog::item() const {
  return {parent_->currentData().toInt(), toStored(caption_->text()), toStored(script_->toPlainText())};
}

}  // namespace ondrix::shell::ui
