#include "shell/ui/managers_installer.h"

#include <QPointer>
#include <memory>

#include "shell/main_form.h"
#include "shell/ui/key_man_window.h"
#include "shell/ui/palette_man_window.h"

namespace ondrix::shell::ui {

namespace {

struct Managers {
  QPointer<KeyManWindow> keys;
  QPointer<PaletteManWindow> palettes;
};

}  // namespace

void installKeyAndPaletteManagers(TMainForm& form, QWidget* parent) {
  auto managers = std::make_shared<Managers>();
  form.SetCommandHandler(CommandId::KeylistManager, [&form, parent, managers] {
    if (!managers->keys) {
      managers->keys = new KeyManWindow(form.DataFolder(), parent);
      managers->keys->setOnClosed([&form] { form.BuildKeylistMenu(); });
    }
    managers->keys->Run();
  });
  form.SetCommandHandler(CommandId::PaletteManager, [&form, parent, managers] {
    if (!managers->palettes) managers->palettes = new PaletteManWindow(form.DataFolder(), parent);
    managers->palettes->Run();
  });
}

}  // namespace ondrix::shell::ui
