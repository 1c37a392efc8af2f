#include "shell/ui/conn_dialog_widgets.h"

#include <QFontDialog>
#include <QKeyEvent>
#include <QMouseEvent>

#include "shell/ui/manager_text.h"
#include "term/view/term_view.h"

namespace ondrix::shell::ui {

void ListOnlyComboBox::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (!text.isEmpty() && text.at(0).isPrint()) {
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}

void ClickFrame::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onClick) {
    event->accept();
    onClick();
    return;
  }
  QFrame::mousePressEvent(event);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onClick) {
    event->accept();
    onClick();
    return;
  }
  QLabel::mousePressEvent(event);
}

QColor qtColor(std::uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

void setWidgetColor(QWidget& widget, std::uint32_t colour, bool text) {
  QPalette palette = widget.palette();
  palette.setColor(text ? QPalette::WindowText : QPalette::Window, qtColor(colour));
  widget.setPalette(palette);
  if (!text) widget.setAutoFillBackground(true);
}

std::optional<TFontChoice> chooseFixedFont(QWidget* parent, const TFontChoice& current) {
  term::TFont preset;
  preset.Name = current.Name;
  preset.Size = current.Size;
  preset.Bold = current.Bold;
  preset.Italic = current.Italic;
  preset.Underline = current.Underline;
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, term::view::TermView::qtFont(preset), parent,
                                          QString(), QFontDialog::MonospacedFonts);
  if (!ok) return std::nullopt;
  return TFontChoice{fromQt(font.family()), font.pointSize(), font.bold(), font.italic(),
                     font.underline()};
}

}  // namespace ondrix::shell::ui
