#include "shell/ui/editor_options_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "shell/ui/script_editor_widget.h"

namespace ondrix::shell::ui {

namespace {

QColor toQColor(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }
std::uint32_t fromQColor(const QColor& c) {
  return (static_cast<std::uint32_t>(c.red()) << 16) | (static_cast<std::uint32_t>(c.green()) << 8) |
         static_cast<std::uint32_t>(c.blue());
}

constexpr const char* kPreview =
    "{ Preview }\n"
    "program Sample;\n"
    "var n;\n"
    "begin\n"
    "  n := $1F + 0x10 + 3.5;  // a comment\n"
    "  SendText('login' + #13);\n"
    "  if n > 0 then ShowMessage(\"done\");\n"
    "end.\n";

}  // namespace

EditorOptionsDialog::EditorOptionsDialog(const TScriptEditorOptions& options, const TScriptLanguage& language,
                                         QWidget* parent)
    : QDialog(parent),
      options_(options),
      font_(new QFontComboBox(this)),
      size_(new QSpinBox(this)),
      tabWidth_(new QSpinBox(this)),
      lineNumbers_(new QCheckBox(tr("Show line &numbers"), this)),
      styles_(new QListWidget(this)),
      preview_(new ScriptEditorWidget(language, options, this)) {
  setWindowTitle(tr("Editor options"));
  font_->setFontFilters(QFontComboBox::MonospacedFonts);
  font_->setCurrentFont(QFont(QString::fromStdString(options.FontName)));
  size_->setRange(TScriptEditorOptions::kMinFontSize, TScriptEditorOptions::kMaxFontSize);
  size_->setValue(options.FontSize);
  tabWidth_->setRange(TScriptEditorOptions::kMinTabWidth, TScriptEditorOptions::kMaxTabWidth);
  tabWidth_->setValue(options.TabWidth);
  lineNumbers_->setChecked(options.LineNumbers);
  for (int style = 0; style < kScriptStyleCount; ++style)
    styles_->addItem(QString::fromLatin1(scriptStyleName(static_cast<ScriptStyle>(style))));
  styles_->setCurrentRow(0);
  preview_->LoadText(kPreview);
  preview_->setReadOnly(true);
  preview_->setMinimumSize(420, 160);

  auto* form = new QFormLayout;
  form->addRow(tr("&Font:"), font_);
  form->addRow(tr("&Size:"), size_);
  form->addRow(tr("&Tab width:"), tabWidth_);
  form->addRow(QString(), lineNumbers_);

  auto* colorButton = new QPushButton(tr("&Colour..."), this);
  auto* backgroundButton = new QPushButton(tr("&Background..."), this);
  auto* colorButtons = new QVBoxLayout;
  colorButtons->addWidget(colorButton);
  colorButtons->addWidget(backgroundButton);
  colorButtons->addStretch();
  auto* colors = new QHBoxLayout;
  colors->addWidget(styles_);
  colors->addLayout(colorButtons);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(colors);
  layout->addWidget(preview_, 1);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(colorButton, &QPushButton::clicked, this, &EditorOptionsDialog::chooseColor);
  connect(styles_, &QListWidget::itemDoubleClicked, this, &EditorOptionsDialog::chooseColor);
  connect(backgroundButton, &QPushButton::clicked, this, &EditorOptionsDialog::chooseBackground);
  connect(font_, &QFontComboBox::currentFontChanged, this, &EditorOptionsDialog::readControls);
  connect(size_, &QSpinBox::valueChanged, this, &EditorOptionsDialog::readControls);
  connect(tabWidth_, &QSpinBox::valueChanged, this, &EditorOptionsDialog::readControls);
  connect(lineNumbers_, &QCheckBox::toggled, this, &EditorOptionsDialog::readControls);
  refreshStyles();
}

void EditorOptionsDialog::readControls() {
  options_.FontName = font_->currentFont().family().toStdString();
  options_.FontSize = size_->value();
  options_.TabWidth = tabWidth_->value();
  options_.LineNumbers = lineNumbers_->isChecked();
  refreshStyles();
}

void EditorOptionsDialog::refreshStyles() {
  for (int style = 0; style < styles_->count(); ++style) {
    QListWidgetItem* item = styles_->item(style);
    item->setForeground(toQColor(options_.Colors[static_cast<std::size_t>(style)]));
    item->setBackground(toQColor(options_.Background));
  }
  preview_->applyOptions(options_);
}

void EditorOptionsDialog::chooseColor() {
  const int style = styles_->currentRow();
  if (style < 0) return;
  std::uint32_t& color = options_.Colors[static_cast<std::size_t>(style)];
  const QColor chosen = QColorDialog::getColor(toQColor(color), this, styles_->currentItem()->text());
  if (!chosen.isValid()) return;
  color = fromQColor(chosen);
  refreshStyles();
}

void EditorOptionsDialog::chooseBackground() {
  const QColor chosen = QColorDialog::getColor(toQColor(options_.Background), this, tr("Background"));
  if (!chosen.isValid()) return;
  options_.Background = fromQColor(chosen);
  refreshStyles();
}

}  // namespace ondrix::shell::ui
