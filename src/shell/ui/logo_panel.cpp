#include "shell/ui/logo_panel.h"

#include <QImageReader>
#include <QPainter>

namespace ondrix::shell::ui {

LogoPanel::LogoPanel(QWidget* parent) : QWidget(parent) {
  QImageReader reader(QStringLiteral(":/ondrix/logo.gif"), "gif");
  logo_ = reader.read();
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
}

QRect LogoPanel::logoRect() const {
  if (logo_.isNull()) return {};
  QRect r(QPoint(0, 0), logo_.size());
  r.moveCenter(rect().center());
  return r;
}

void LogoPanel::paintEvent(QPaintEvent*) {
  if (logo_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(logoRect().topLeft(), logo_);
}

}  // namespace ondrix::shell::ui
