#include "shell/ui/conn_def_dialog.h"

#include <QPushButton>

namespace ondrix::shell::ui {

ConnDefDialog::ConnDefDialog(std::string dataFolder, QWidget* parent)
    : ConnSettingsDialog(Kind::Defaults, dataFolder, {}, parent), form_(*this, dataFolder) {
  setWindowTitle("Connection defaults");
  connect(okButton(), &QPushButton::clicked, this, [this] {
    form_.OkBtnClick();
    accept();
  });
  connect(colorButton(), &QPushButton::clicked, this, [this] { form_.Button3Click(); });
  connect(fontButton(), &QPushButton::clicked, this, [this] { form_.Button5Click(); });
}

void ConnDefDialog::run(const std::string& dataFolder, QWidget* parent) {
  ConnDefDialog dialog(dataFolder, parent);
  try {
    dialog.form().FormShow();
    dialog.exec();
  } catch (...) {
    dialog.form().FormClose();
    throw;
  }
  dialog.form().FormClose();
}

}  // namespace ondrix::shell::ui
