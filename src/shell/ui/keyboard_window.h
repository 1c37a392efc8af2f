#pragma once
// KeyboardWindow: the keyboard editor ("Keyboard editor - [name]") showing TKeyboardForm: the
// on-screen PC keyboard of keyboard_layout.h, "Key:" and "Send:", "&Accept" and "&Done". Keys
// typed on the real keyboard while "Key:" has the focus press the same buttons.

#include <QDialog>
#include <string>
#include <vector>

#include "shell/keyboard_form.h"

class QLineEdit;
class QPushButton;

namespace ondrix::shell::ui {

// The on-screen button for a Qt key (with Qt's keypad modifier or not), found through the
// terminal's fixed key table and the key names of the installed scan codes; -1 for keys the
// keyboard has no button for (the modifiers themselves among them).
int keyButtonForQtKey(int qtKey, bool keypad);

class KeyboardWindow : public QDialog, public TKeyboardView {
 public:
  KeyboardWindow(int position, store::TKeyItem keylist, const std::string& dataFolder,
                 QWidget* parent = nullptr);

  TKeyboardForm& form() { return form_; }
  QPushButton* keyButton(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
  QLineEdit* keyEdit() const { return keyEdit_; }
  QLineEdit* sendEdit() const { return sendEdit_; }
  QPushButton* acceptButton() const { return acceptBtn_; }
  QPushButton* doneButton() const { return doneBtn_; }

  // --- TKeyboardView
  void SetCaption(const std::string& caption) override;
  void SetKeyText(const std::string& text) override;
  void SetSendText(const std::string& text, bool selected) override;
  void FocusSendEdit() override;
  void SetButtonDown(int button, bool down) override;
  void CloseWindow() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildKeyboard();

  std::vector<QPushButton*> buttons_;
  QLineEdit* keyEdit_;
  QLineEdit* sendEdit_;
  QPushButton* acceptBtn_;
  QPushButton* doneBtn_;
  TKeyboardForm form_;
};

}  // namespace ondrix::shell::ui
