#pragma once
// The GUI's script windows: the "Enter user name and password" dialog, the "List of values"
// dialog, the script message window and the main window's size state, as Qt widgets. Texts cross
// into Qt as Windows-1252.

#include <QDialog>
#include <memory>

#include "platform/script_windows.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ondrix::platform::qt {

// UserPass: two fields and the two buttons.
class UserPassDialog : public QDialog {
 public:
  UserPassDialog(const QString& title, const QString& user, QWidget* parent = nullptr);
  QLineEdit* userEdit() const { return user_; }
  QLineEdit* passwordEdit() const { return password_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  QLineEdit* user_;
  QLineEdit* password_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

// List: a label, a list box and the two buttons; a double click chooses like "&Ok".
class ListDialog : public QDialog {
 public:
  ListDialog(const QString& title, const QString& label, const QStringList& items, QWidget* parent = nullptr);
  QLabel* label() const { return label_; }
  QListWidget* list() const { return list_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  // The chosen row after exec(): -1 when cancelled or nothing was selected.
  int chosen() const;

 private:
  QLabel* label_;
  QListWidget* list_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

// MsgForm: one label in a small window without buttons, centred on the screen.
class MsgFormWindow : public QDialog {
 public:
  explicit MsgFormWindow(QWidget* parent = nullptr);
  void setTexts(const QString& title, const QString& text);
  QLabel* label() const { return label_; }

 private:
  QLabel* label_;
};

class QtScriptWindows final : public ScriptWindows {
 public:
  QtScriptWindows();
  ~QtScriptWindows() override;

  std::optional<std::pair<std::string, std::string>> userPass(std::string_view title, std::string_view user) override;
  int listOfValues(std::string_view title, std::string_view label, const std::vector<std::string>& items) override;
  void showMessageWindow(std::string_view title, std::string_view text) override;
  void hideMessageWindow() override;
  void setMainWindowState(WindowState state) override;

  MsgFormWindow* messageWindow() const { return messageWindow_.get(); }

 private:
  std::unique_ptr<MsgFormWindow> messageWindow_;
};

}  // namespace ondrix::platform::qt
