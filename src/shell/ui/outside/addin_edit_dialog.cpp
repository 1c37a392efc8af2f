#include "shell/ui/outside/addin_edit_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/outside/addin_text.h"

namespace ondrix::shell::ui {
namespace {

// The host's script text editor holding `text`, or null when `editors` cannot make one.
QWidget* hostEditor(QObject* editors, const QString& text, QWidget* parent) {
  QWidget* editor = nullptr;
  if (editors)
    QMetaObject::invokeMethod(editors, "createEditor", Qt::DirectConnection, Q_RETURN_ARG(QWidget*, editor),
                              Q_ARG(QWidget*, parent), Q_ARG(QString, text));
  return editor;
}

QWidget* plainEditor(const QString& text, QWidget* parent) {
  auto* plain = new QPlainTextEdit(text, parent);
  plain->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  plain->setLineWrapMode(QPlainTextEdit::NoWrap);
  return plain;
}

}  // namespace

AddinEditDialog::AddinEditDialog(const QString& title, const store::AddinItem& item,
                                 const std::vector<TAddinEntry>& choices, QObject* editors, QWidget* parent)
    : QDialog(parent),
      editors_(editors),
      caption_(new QLineEdit(fromStored(item.Caption), this)),
      parent_(new QComboBox(this)),
      script_(hostEditor(editors, fromStored(item.Script), this)) {
  if (!script_) {
    editors_ = nullptr;
    script_ = plainEditor(fromStored(item.Script), this);
  }
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

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Caption:"), caption_);
  form->addRow(QStringLiteral("&Under:"), parent_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  if (editors_) {
    QPushButton* check = buttons->addButton(QStringLiteral("C&heck"), QDialogButtonBox::ActionRole);
    check->setObjectName(QStringLiteral("check"));
    check->setShortcut(QKeySequence(QStringLiteral("Ctrl+F9")));  // as "Check script" in the script editors
    check->setAutoDefault(false);
    connect(check, &QPushButton::clicked, this, [this] {
      QMetaObject::invokeMethod(editors_, "check", Qt::DirectConnection, Q_ARG(QWidget*, script_));
      script_->setFocus();
    });
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  auto* scriptLabel = new QLabel(QStringLiteral("&Script:"), this);
  scriptLabel->setBuddy(script_);
  layout->addWidget(scriptLabel);
  layout->addWidget(script_, 1);
  layout->addWidget(buttons);
  resize(640, 480);
}

QString AddinEditDialog::scriptText() const {
  if (!editors_) return static_cast<const QPlainTextEdit*>(script_)->toPlainText();
  QString text;
  QMetaObject::invokeMethod(editors_, "text", Qt::DirectConnection, Q_RETURN_ARG(QString, text),
                            Q_ARG(QWidget*, script_));
  return text;
}

store::AddinItem AddinEditDialog::item() const {
  return {parent_->currentData().toInt(), toStored(caption_->text()), toStored(scriptText())};
}

}  // namespace ondrix::shell::ui
