#include "shell/ui/conn_edit_dialog.h"

#include <QPushButton>

namespace ondrix::shell::ui {

ConnEditDialog::ConnEditDialog(std::string dataFolder, const store::ConnectionRecord& record,
                               EventEditorOpener eventEditor, QWidget* parent)
    : ConnSettingsDialog(Kind::Editor, dataFolder, std::move(eventEditor), parent),
      form_(*this, dataFolder, record) {
  connect(okButton(), &QPushButton::clicked, this, [this] {
    if (form_.OkBtnClick()) accept();
  });
  connect(colorButton(), &QPushButton::clicked, this, [this] { form_.Button3Click(); });
  connect(fontButton(), &QPushButton::clicked, this, [this] { form_.Button5Click(); });
  connect(eventsButton(), &QPushButton::clicked, this, [this] { form_.Button4Click(); });
  form_.FormShow();
}

std::optional<store::ConnectionRecord> ConnEditDialog::edit(const std::string& dataFolder,
                                                            const store::ConnectionRecord& record,
                                                            const EventEditorOpener& eventEditor,
                                                            QWidget* parent) {
  ConnEditDialog dialog(dataFolder, record, eventEditor, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.form().Record();
}

}  // namespace ondrix::shell::ui
