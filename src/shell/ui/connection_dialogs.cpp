#include "shell/ui/connection_dialogs.h"

#include <QPointer>
#include <memory>

#include "shell/main_form.h"
#include "shell/session_colors.h"
#include "shell/ui/conn_def_dialog.h"
#include "shell/ui/conn_man_dialog.h"
#include "shell/ui/conn_text_color_dialog.h"
#include "shell/ui/quick_connect_dialog.h"

namespace ondrix::shell::ui {

void installConnectionDialogs(TMainForm& form, QWidget* parent, EventEditorOpener eventEditor) {
  const TConnectionHooks hooks{[&form] { form.BuildConnectMenu(); },
                               [&form](int index) { form.OpenSession(index); }};
  const std::string& folder = form.DataFolder();

  form.SetCommandHandler(CommandId::QuickConnect, [&form, parent, hooks, folder] {
    std::optional<int> chosen;
    {
      QuickConnectDialog dialog(folder, hooks, parent);
      if (dialog.exec() == QDialog::Accepted) chosen = dialog.chosen();
    }
    if (chosen) form.OpenSession(*chosen);
  });

  // The manager's window lives from its first use until the main window goes.
  auto manager = std::make_shared<QPointer<ConnManDialog>>();
  form.SetCommandHandler(CommandId::ConnectionManager, [manager, parent, hooks, folder, eventEditor] {
    if (!*manager) *manager = new ConnManDialog(folder, hooks, eventEditor, parent);
    (*manager)->run();
  });

  form.SetCommandHandler(CommandId::ConnectionDefaults,
                         [parent, folder] { ConnDefDialog::run(folder, parent); });

  form.SetCommandHandler(CommandId::ModifyColors, [&form, parent, folder] {
    ModifySessionColors(form, [&](const store::ConnectionRecord& record) {
      return ConnTextColorDialog::edit(folder, record, parent);
    });
  });
}

}  // namespace ondrix::shell::ui
