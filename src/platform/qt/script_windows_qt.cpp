#include "platform/qt/script_windows_qt.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/codepage.h"

namespace ondrix::platform::qt {
namespace {

QString fromText(std::string_view text) { return QString::fromStdString(cp1252ToUtf8(text)); }
std::string toText(const QString& text) { return utf8ToCp1252(text.toStdString()); }

// "&Ok" (the default button) and "&Cancel" at the bottom right.
QHBoxLayout* buttonRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
  ok = new QPushButton(QStringLiteral("&Ok"), dialog);
  cancel = new QPushButton(QStringLiteral("&Cancel"), dialog);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

QWidget* mainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<QMainWindow*>(w) != nullptr) return w;
  return nullptr;
}

}  // namespace

UserPassDialog::UserPassDialog(const QString& title, const QString& user, QWidget* parent) : QDialog(parent) {
  setWindowTitle(title.isEmpty() ? QStringLiteral("Enter user name and password") : title);
  user_ = new QLineEdit(user, this);
  password_ = new QLineEdit(this);
  password_->setEchoMode(QLineEdit::Password);
  password_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // '*'
  auto* grid = new QGridLayout;
  auto* userLabel = new QLabel(QStringLiteral("User name:"), this);
  auto* passwordLabel = new QLabel(QStringLiteral("Password:"), this);
  userLabel->setBuddy(user_);
  passwordLabel->setBuddy(password_);
  grid->addWidget(userLabel, 0, 0);
  grid->addWidget(user_, 0, 1);
  grid->addWidget(passwordLabel, 1, 0);
  grid->addWidget(password_, 1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttonRow(this, ok_, cancel_));
  (user.isEmpty() ? user_ : password_)->setFocus();
}

ListDialog::ListDialog(const QString& title, const QString& label, const QStringList& items, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(title.isEmpty() ? QStringLiteral("List of values") : title);
  label_ = new QLabel(label.isEmpty() ? QStringLiteral("Select a value:") : label, this);
  list_ = new QListWidget(this);
  list_->addItems(items);
  list_->setCurrentRow(-1);
  label_->setBuddy(list_);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(list_);
  layout->addLayout(buttonRow(this, ok_, cancel_));
}

int ListDialog::chosen() const {
  if (result() != QDialog::Accepted) return -1;
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? -1 : list_->row(selected.first());
}

MsgFormWindow::MsgFormWindow(QWidget* parent) : QDialog(parent) {
  setModal(false);
  label_ = new QLabel(this);
  label_->setAlignment(Qt::AlignCenter);
  label_->setMinimumWidth(280);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
}

void MsgFormWindow::setTexts(const QString& title, const QString& text) {
  setWindowTitle(title);
  label_->setText(text);
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

QtScriptWindows::QtScriptWindows() = default;
QtScriptWindows::~QtScriptWindows() = default;

std::optional<std::pair<std::string, std::string>> QtScriptWindows::userPass(std::string_view title,
                                                                             std::string_view user) {
  UserPassDialog dialog(fromText(title), fromText(user), QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return std::make_pair(toText(dialog.userEdit()->text()), toText(dialog.passwordEdit()->text()));
}

int QtScriptWindows::listOfValues(std::string_view title, std::string_view label,
                                  const std::vector<std::string>& items) {
  QStringList texts;
  for (const std::string& item : items) texts << fromText(item);
  ListDialog dialog(fromText(title), fromText(label), texts, QApplication::activeWindow());
  dialog.exec();
  return dialog.chosen();
}

void QtScriptWindows::showMessageWindow(std::string_view title, std::string_view text) {
  if (!messageWindow_) messageWindow_ = std::make_unique<MsgFormWindow>();
  messageWindow_->setTexts(fromText(title), fromText(text));
  messageWindow_->show();
  messageWindow_->raise();
}

void QtScriptWindows::hideMessageWindow() {
  if (messageWindow_) messageWindow_->hide();
}

void QtScriptWindows::setMainWindowState(WindowState state) {
  QWidget* window = mainWindow();
  if (window == nullptr) return;
  switch (state) {
    case WindowState::Maximized: window->showMaximized(); break;
    case WindowState::Minimized: window->showMinimized(); break;
    case WindowState::Normal: window->showNormal(); break;
  }
}

}  // namespace ondrix::platform::qt
