#include "shell/ui/conn_settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/conn_dialog_rules.h"
#include "shell/ui/conn_dialog_widgets.h"
#include "shell/ui/conn_text_color_dialog.h"
#include "shell/ui/fixed_font_dialog.h"
#include "shell/ui/manager_text.h"

namespace ondrix::shell::ui {

namespace {

constexpr std::array<const char*, kConnOptionCount> kEditorOptions = {
    "Add carriage return", "Add line feed",    "Local echo",
    "Monochrome",          "Force line draws", "Send window size"};
constexpr std::array<const char*, kConnOptionCount - 1> kDefaultsOptions = {
    "Add carriage rtn", "Add line feed", "Local echo", "Monochrome", "Force line draws"};

QPushButton* button(const char* caption, const char* name, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

QLineEdit* ConnSettingsDialog::addEdit(const char* name) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  return edit;
}

ConnSettingsDialog::ConnSettingsDialog(Kind kind, std::string dataFolder,
                                       EventEditorOpener eventEditor, QWidget* parent)
    : QDialog(parent),
      dataFolder_(std::move(dataFolder)),
      eventEditor_(std::move(eventEditor)) {
  const bool editor = kind == Kind::Editor;
  setModal(true);
  std::vector<QWidget*> tabOrder;

  // The fields, each under its caption.
  auto* fields = new QGridLayout;
  int row = 0;
  const auto addField = [&](const char* caption, QWidget* field) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(field);
    fields->addWidget(label, row, 0);
    fields->addWidget(field, row, 1);
    ++row;
    tabOrder.push_back(field);
  };
  if (editor) {
    host_ = addEdit("Edit1");
    addField("Remote host:", host_);
  }
  port_ = addEdit(editor ? "Edit2" : "PortEdit");
  addField(editor ? "Port:" : "Default port:", port_);
  break_ = addEdit(editor ? "Edit3" : "Edit1");
  addField("Break sequence:", break_);
  reset_ = addEdit(editor ? "Edit4" : "Edit2");
  addField("Reset sequence:", reset_);
  palettes_ = new ListOnlyComboBox(this);
  palettes_->setObjectName("ComboBox1");
  addField("Palette:", palettes_);
  keyLists_ = new ListOnlyComboBox(this);
  keyLists_->setObjectName("ComboBox2");
  addField("KeyList:", keyLists_);
  fields->setRowStretch(row, 1);
  fields->setColumnMinimumWidth(1, 200);

  // " Emulation ": two columns in the editor, one in the defaults dialog.
  auto* emulationBox = new QGroupBox(" Emulation ", this);
  emulationBox->setObjectName("RadioGroup1");
  auto* emulationGrid = new QGridLayout(emulationBox);
  emulation_ = new QButtonGroup(this);
  for (int i = 0; i < static_cast<int>(kEmulationNames.size()); ++i) {
    auto* radio = new QRadioButton(toQt(kEmulationNames[static_cast<std::size_t>(i)]), emulationBox);
    emulation_->addButton(radio, i);
    if (editor)
      emulationGrid->addWidget(radio, i / 2, i % 2);
    else
      emulationGrid->addWidget(radio, i, 0);
    tabOrder.push_back(radio);
  }

  auto* optionsBox = new QGroupBox(" Options ", this);
  auto* optionsLayout = new QVBoxLayout(optionsBox);
  const int optionCount = editor ? kConnOptionCount : kConnOptionCount - 1;
  for (int i = 0; i < optionCount; ++i) {
    const char* caption = editor ? kEditorOptions[static_cast<std::size_t>(i)]
                                 : kDefaultsOptions[static_cast<std::size_t>(i)];
    auto* check = new QCheckBox(caption, optionsBox);
    check->setObjectName(QString("CheckBox%1").arg(i + 1));
    optionsLayout->addWidget(check);
    options_[static_cast<std::size_t>(i)] = check;
    tabOrder.push_back(check);
  }

  auto* sizeBox = new QGroupBox(" Screen size ", this);
  auto* sizeLayout = new QGridLayout(sizeBox);
  lines_ = addEdit(editor ? "Edit5" : "Edit3");
  columns_ = addEdit(editor ? "Edit6" : "Edit4");
  lines_->setParent(sizeBox);
  columns_->setParent(sizeBox);
  const std::pair<const char*, QLineEdit*> sizes[] = {{"Lines:", lines_}, {"Columns:", columns_}};
  for (int i = 0; i < 2; ++i) {
    auto* label = new QLabel(sizes[i].first, sizeBox);
    label->setBuddy(sizes[i].second);
    sizeLayout->addWidget(label, i, 0);
    sizeLayout->addWidget(sizes[i].second, i, 1);
    sizes[i].second->setMaximumWidth(60);
    tabOrder.push_back(sizes[i].second);
  }

  // The buttons along the bottom.
  auto* buttons = new QHBoxLayout;
  colors_ = button("&Color settings...", "Button3", this);
  font_ = button("Default &font...", "Button5", this);
  buttons->addWidget(colors_);
  buttons->addWidget(font_);
  tabOrder.push_back(colors_);
  tabOrder.push_back(font_);
  if (editor) {
    events_ = button("&Event handlers...", "Button4", this);
    events_->setEnabled(static_cast<bool>(eventEditor_));
    buttons->addWidget(events_);
    tabOrder.push_back(events_);
  }
  buttons->addStretch();
  ok_ = button("&Ok", "OkBtn", this);
  ok_->setDefault(true);
  auto* cancel = button("&Cancel", "CancelBtn", this);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  tabOrder.push_back(ok_);
  tabOrder.push_back(cancel);

  auto* right = new QVBoxLayout;
  right->addWidget(emulationBox);
  right->addWidget(optionsBox);
  right->addWidget(sizeBox);
  right->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(fields, 1);
  top->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);

  for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
  tabOrder.front()->setFocus();
}

void ConnSettingsDialog::SetLists(const std::vector<std::string>& palettes,
                                  const std::vector<std::string>& keyLists) {
  palettes_->clear();
  for (const std::string& name : palettes) palettes_->addItem(toQt(name));
  keyLists_->clear();
  for (const std::string& name : keyLists) keyLists_->addItem(toQt(name));
}

void ConnSettingsDialog::ShowValues(const TConnFieldValues& v) {
  if (host_) host_->setText(toQt(v.Host));
  port_->setText(toQt(v.Port));
  break_->setText(toQt(v.Break));
  reset_->setText(toQt(v.Reset));
  lines_->setText(toQt(v.Lines));
  columns_->setText(toQt(v.Columns));
  palettes_->setCurrentIndex(v.PaletteIndex < palettes_->count() ? v.PaletteIndex : -1);
  keyLists_->setCurrentIndex(v.KeyListIndex < keyLists_->count() ? v.KeyListIndex : -1);
  if (QAbstractButton* radio = emulation_->button(v.EmulationIndex)) radio->setChecked(true);
  for (std::size_t i = 0; i < options_.size(); ++i)
    if (options_[i]) options_[i]->setChecked(v.Options[i]);
}

TConnFieldValues ConnSettingsDialog::Values() const {
  TConnFieldValues v;
  if (host_) v.Host = fromQt(host_->text());
  v.Port = fromQt(port_->text());
  v.Break = fromQt(break_->text());
  v.Reset = fromQt(reset_->text());
  v.Lines = fromQt(lines_->text());
  v.Columns = fromQt(columns_->text());
  v.PaletteIndex = palettes_->currentIndex();
  v.KeyListIndex = keyLists_->currentIndex();
  v.EmulationIndex = emulation_->checkedId() < 0 ? 0 : emulation_->checkedId();
  for (std::size_t i = 0; i < options_.size(); ++i) v.Options[i] = options_[i] && options_[i]->isChecked();
  return v;
}

std::optional<store::ConnectionRecord> ConnSettingsDialog::EditTextColors(
    const store::ConnectionRecord& record) {
  return ConnTextColorDialog::edit(dataFolder_, record, this);
}

std::optional<TFontChoice> ConnSettingsDialog::ChooseFixedFont(const TFontChoice& current) {
  return chooseFixedFont(this, current);
}

void ConnSettingsDialog::SetCaption(const std::string& caption) { setWindowTitle(toQt(caption)); }

void ConnSettingsDialog::FocusHost() {
  if (host_) host_->setFocus();
}

void ConnSettingsDialog::EditEventHandlers(const std::string& name) {
  if (eventEditor_) eventEditor_(this, name);
}

}  // namespace ondrix::shell::ui
