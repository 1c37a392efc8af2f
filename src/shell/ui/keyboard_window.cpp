#include "shell/ui/keyboard_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/keyboard_layout.h"
#include "shell/ui/manager_text.h"
#include "store/factory/scan_codes.h"
#include "store/key_compare.h"
#include "term/view/key_map.h"

namespace ondrix::shell::ui {

namespace {

constexpr int kQuarterKey = 10;  // pixels per quarter key
constexpr int kRowHeight = 36;
constexpr int kFunctionRowGap = 10;

bool sameName(std::string_view a, std::string_view b) { return store::compareKeys(a, b, false) == 0; }

}  // namespace

int keyButtonForQtKey(int qtKey, bool keypad) {
  const term::view::KeyMapping mapping = term::view::mapQtKey(qtKey, keypad);
  if (mapping.scanCode == 0) return -1;
  const std::int32_t value = mapping.scanCode + (mapping.extended ? 100 : 0);
  for (const store::ScanCodeName& known : store::factoryScanCodes()) {
    if (known.value != value) continue;
    const auto buttons = keyboardButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
      if (buttons[i].Group != TKeyGroup::Modifier && sameName(buttons[i].Name, known.name))
        return static_cast<int>(i);
  }
  return -1;
}

KeyboardWindow::KeyboardWindow(int position, store::TKeyItem keylist, const std::string& dataFolder,
                               QWidget* parent)
    : QDialog(parent, Qt::Tool),
      keyEdit_(new QLineEdit(this)),
      sendEdit_(new QLineEdit(this)),
      acceptBtn_(new QPushButton("&Accept", this)),
      doneBtn_(new QPushButton("&Done", this)),
      form_(*this, position, std::move(keylist), dataFolder) {
  keyEdit_->setObjectName("KeyEdit");
  keyEdit_->setReadOnly(true);
  keyEdit_->installEventFilter(this);
  sendEdit_->setObjectName("SendEdit");
  sendEdit_->setMaxLength(static_cast<int>(TKeyboardForm::kMaxSendText));
  acceptBtn_->setObjectName("AcceptBtn");
  doneBtn_->setObjectName("DoneBtn");
  connect(sendEdit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.SendEditChange(fromQt(text)); });
  connect(acceptBtn_, &QPushButton::clicked, this, [this] { form_.AcceptBtnClick(); });
  connect(doneBtn_, &QPushButton::clicked, this, [this] { form_.DoneBtnClick(); });

  auto* keyLabel = new QLabel("Key:", this);
  keyLabel->setBuddy(keyEdit_);
  auto* sendLabel = new QLabel("Send:", this);
  sendLabel->setBuddy(sendEdit_);
  auto* fields = new QGridLayout;
  fields->addWidget(keyLabel, 0, 0);
  fields->addWidget(keyEdit_, 0, 1);
  fields->addWidget(acceptBtn_, 0, 2);
  fields->addWidget(sendLabel, 1, 0);
  fields->addWidget(sendEdit_, 1, 1);
  fields->addWidget(doneBtn_, 1, 2);
  fields->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildKeyboard());
  layout->addLayout(fields);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  form_.FormShow();
}

QWidget* KeyboardWindow::buildKeyboard() {
  auto* board = new QWidget(this);
  board->setObjectName("Keyboard");
  const auto keys = keyboardButtons();
  buttons_.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const TKeyButton& key = keys[i];
    auto* button = new QPushButton(toQt(key.Caption), board);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->setCheckable(key.Group == TKeyGroup::Modifier || key.Group == TKeyGroup::Caps);
    if (key.Name != key.Caption) button->setToolTip(toQt(key.Name));
    const int top = key.Row * kRowHeight + (key.Row > 0 ? kFunctionRowGap : 0);
    button->setGeometry(key.Column * kQuarterKey, top, key.Width * kQuarterKey - 2, kRowHeight - 2);
    connect(button, &QPushButton::clicked, this, [this, i] { form_.KeyButtonClick(static_cast<int>(i)); });
    buttons_.push_back(button);
  }
  board->setFixedSize(kKeyboardColumns * kQuarterKey, kKeyboardRows * kRowHeight + kFunctionRowGap);
  return board;
}

bool KeyboardWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != keyEdit_ || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers held = key->modifiers();
  // Shift+Tab arrives as a key of its own.
  const int qtKey = key->key() == Qt::Key_Backtab ? Qt::Key_Tab : key->key();
  const int button = keyButtonForQtKey(qtKey, held.testFlag(Qt::KeypadModifier));
  if (button >= 0)
    form_.KeyTyped(button, held.testFlag(Qt::ControlModifier), held.testFlag(Qt::AltModifier),
                   held.testFlag(Qt::ShiftModifier));
  return true;  // "Key:" takes every key, so Tab, Enter and Esc do not leave or close the editor
}

void KeyboardWindow::SetCaption(const std::string& caption) { setWindowTitle(toQt(caption)); }

void KeyboardWindow::SetKeyText(const std::string& text) { keyEdit_->setText(toQt(text)); }

void KeyboardWindow::SetSendText(const std::string& text, bool selected) {
  sendEdit_->setText(toQt(text));
  if (selected) sendEdit_->selectAll();
}

void KeyboardWindow::FocusSendEdit() { sendEdit_->setFocus(); }

void KeyboardWindow::SetButtonDown(int button, bool down) { keyButton(button)->setChecked(down); }

void KeyboardWindow::CloseWindow() { accept(); }

}  // namespace ondrix::shell::ui
