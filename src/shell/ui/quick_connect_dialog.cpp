#include "shell/ui/quick_connect_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/conn_dialog_widgets.h"
#include "shell/ui/manager_text.h"

namespace ondrix::shell::ui {

QuickConnectDialog::QuickConnectDialog(std::string dataFolder, TConnectionHooks hooks,
                                       QWidget* parent)
    : QDialog(parent),
      host_(new QComboBox(this)),
      port_(new QLineEdit(this)),
      form_(*this, std::move(dataFolder), std::move(hooks)) {
  setWindowTitle("Quick connect");
  setModal(true);
  host_->setObjectName("HostEdit");
  host_->setEditable(true);
  host_->setInsertPolicy(QComboBox::NoInsert);
  host_->setMinimumWidth(240);
  port_->setObjectName("PortEdit");
  port_->setMaximumWidth(80);
  auto* grid = new QGridLayout;
  const std::pair<const char*, QWidget*> fields[] = {{"Connect to:", host_}, {"Port:", port_}};
  for (int i = 0; i < 2; ++i) {
    auto* label = new QLabel(fields[i].first, this);
    label->setBuddy(fields[i].second);
    grid->addWidget(label, i, 0);
    grid->addWidget(fields[i].second, i, 1, Qt::AlignLeft);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(okCancelRow(this, [this] {
    result_ = form_.OkBtnClick();
    if (result_) accept();
  }));
  auto* ok = findChild<QPushButton*>("OkBtn");
  setTabOrder(host_, port_);
  setTabOrder(port_, ok);
  setTabOrder(ok, findChild<QPushButton*>("CancelBtn"));
  form_.FormShow();
}

void QuickConnectDialog::SetNames(const std::vector<std::string>& names) {
  host_->clear();
  for (const std::string& name : names) host_->addItem(toQt(name));
}

void QuickConnectDialog::SetHostText(const std::string& text) {
  const int index = text.empty() ? -1 : host_->findText(toQt(text), Qt::MatchExactly);
  host_->setCurrentIndex(index);
  host_->setEditText(toQt(text));
}

void QuickConnectDialog::SetPortText(const std::string& text) { port_->setText(toQt(text)); }

void QuickConnectDialog::FocusHost() { host_->setFocus(); }

std::string QuickConnectDialog::HostText() const { return fromQt(host_->currentText()); }

int QuickConnectDialog::SelectedIndex() const {
  // An entry counts as chosen from the list while the text is still exactly that entry's text.
  const int index = host_->currentIndex();
  return index >= 0 && host_->currentText() == host_->itemText(index) ? index : -1;
}

std::string QuickConnectDialog::PortText() const { return fromQt(port_->text()); }

}  // namespace ondrix::shell::ui
