#pragma once
// The font dialog of the terminal's font: fixed-pitch fonts only, with effects (bold, italic,
// underline), preset with the current choice. The main window's "Modify Font" and the connection
// dialogs' "Default font" both use it.

#include <QWidget>
#include <optional>

#include "shell/main_form_view.h"

namespace ondrix::shell::ui {

std::optional<TFontChoice> chooseFixedFont(QWidget* parent, const TFontChoice& current);

}  // namespace ondrix::shell::ui
