#include "shell/ui/conn_dialog_widgets.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

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

QHBoxLayout* okCancelRow(QDialog* dialog, std::function<void()> onOk) {
  auto* ok = new QPushButton("&Ok", dialog);
  ok->setObjectName("OkBtn");
  ok->setDefault(true);
  auto* cancel = new QPushButton("&Cancel", dialog);
  cancel->setObjectName("CancelBtn");
  cancel->setAutoDefault(false);
  QObject::connect(ok, &QPushButton::clicked, dialog, std::move(onOk));
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

}  // namespace ondrix::shell::ui
