#include "shell/ui/color_picker_dialog.h"

#include <QGridLayout>

#include "shell/ui/conn_dialog_widgets.h"

namespace ondrix::shell::ui {

ColorPickerDialog::ColorPickerDialog(std::string dataFolder, std::int32_t paletteNo,
                                     QWidget* parent)
    : QDialog(parent, Qt::Tool), form_(*this, std::move(dataFolder), paletteNo) {
  setWindowTitle("Color picker");
  setModal(true);
  auto* grid = new QGridLayout(this);
  grid->setSpacing(4);
  for (int n = 1; n <= TColorPickerForm::kPanelCount; ++n) {
    auto* panel = new ClickFrame(this);
    panel->setObjectName(QString("Panel%1").arg(n));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setFixedSize(28, 28);
    panel->setCursor(Qt::PointingHandCursor);
    panel->onClick = [this, n] { form_.PanelClick(n); };
    panels_[static_cast<std::size_t>(n - 1)] = panel;
    grid->addWidget(panel, (n - 1) / 4, (n - 1) % 4);
  }
  form_.FormShow();
}

void ColorPickerDialog::SetPanelColor(int n, std::uint32_t colour) {
  setWidgetColor(*panel(n), colour, false);
}

void ColorPickerDialog::Close() { accept(); }

int ColorPickerDialog::pick(const std::string& dataFolder, std::int32_t paletteNo,
                            QPoint position, QWidget* parent) {
  ColorPickerDialog picker(dataFolder, paletteNo, parent);
  picker.adjustSize();
  picker.move(position);
  picker.exec();
  return picker.form().Result();
}

}  // namespace ondrix::shell::ui
