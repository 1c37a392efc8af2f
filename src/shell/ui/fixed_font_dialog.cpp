#include "shell/ui/fixed_font_dialog.h"

#include <QFontDialog>

#include "shell/ui/manager_text.h"
#include "term/view/term_view.h"

namespace ondrix::shell::ui {

std::optional<TFontChoice> chooseFixedFont(QWidget* parent, const TFontChoice& current) {
  term::TFont preset;
  preset.Name = current.Name;
  preset.Size = current.Size;
  preset.Bold = current.Bold;
  preset.Italic = current.Italic;
  preset.Underline = current.Underline;
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, term::view::TermView::qtFont(preset), parent, QString(),
                                          QFontDialog::MonospacedFonts);
  if (!ok) return std::nullopt;
  return TFontChoice{fromQt(font.family()), font.pointSize(), font.bold(),
                     font.italic(), font.underline()};
}

}  // namespace ondrix::shell::ui
