#include "shell/ui/outside/addin_edit_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "shell/ui/outside/addin_text.h"

namespace ondrix::shell::ui {

AddinEditDialog::AddinEditDialog(const QString& title, const store::AddinItem& item,
                                 const std::vector<TAddinEntry>& choices, QObject* checker, QWidget* parent)
    : QDialog(parent),
      checker_(checker),
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
  if (checker_) {
    QPushButton* checkButton = buttons->addButton(QStringLiteral("C&heck"), QDialogButtonBox::ActionRole);
    checkButton->setObjectName(QStringLiteral("check"));
    connect(checkButton, &QPushButton::clicked, this, [this] { check(); });
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  auto* scriptLabel = new QLabel(QStringLiteral("&Script:"), this);
  scriptLabel->setBuddy(script_);
  layout->addWidget(scriptLabel);
  layout->addWidget(script_, 1);
  layout->addWidget(buttons);
  resize(560, 420);
}

void AddinEditDialog::check() {
  QString error;
  if (!QMetaObject::invokeMethod(checker_, "check", Qt::DirectConnection, Q_RETURN_ARG(QString, error),
                                 Q_ARG(QString, script_->toPlainText())))
    return;
  if (error.isEmpty()) {
    QMessageBox::information(this, windowTitle(), QStringLiteral("The script compiles without errors."));
    return;
  }
  // "Syntax error in  (LINE): ...": the caret goes to that line.
  const QRegularExpressionMatch line = QRegularExpression(QStringLiteral("^Syntax error in  \\((\\d+)\\)")).match(error);
  if (line.hasMatch()) {
    const QTextBlock block = script_->document()->findBlockByNumber(line.captured(1).toInt() - 1);
    if (block.isValid()) script_->setTextCursor(QTextCursor(block));
  }
  QMessageBox::critical(this, windowTitle(), error);
  script_->setFocus();
}

store::AddinItem AddinEditDialog::item() const {
  return {parent_->currentData().toInt(), toStored(caption_->text()), toStored(script_->toPlainText())};
}

}  // namespace ondrix::shell::ui
