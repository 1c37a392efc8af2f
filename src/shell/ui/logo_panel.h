#pragma once
// The black client panel behind the tab control: it shows the Ondrix logo, centred, while no
// session is open (the tab control, its child, is hidden then). The logo is a GIF resource
// decoded by Qt's GIF reader; painting centres it anew for every size of the panel.

#include <QImage>
#include <QWidget>

namespace ondrix::shell::ui {

class LogoPanel : public QWidget {
 public:
  explicit LogoPanel(QWidget* parent = nullptr);

  // The decoded logo (null when the image could not be read: the panel is then plain black).
  const QImage& logo() const { return logo_; }
  // Where the logo is drawn at the panel's current size.
  QRect logoRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage logo_;
};

}  // namespace ondrix::shell::ui
