#include "shell/ui/conn_text_color_dialog.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/ui/color_picker_dialog.h"
#include "shell/ui/conn_dialog_widgets.h"
#include "shell/ui/manager_text.h"

namespace ondrix::shell::ui {

ConnTextColorDialog::ConnTextColorDialog(std::string dataFolder,
                                         const store::ConnectionRecord& record, QWidget* parent)
    : QDialog(parent), dataFolder_(std::move(dataFolder)), form_(*this, dataFolder_, record) {
  setWindowTitle("Connection text colors");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  for (int row = 0; row < TConnTextColorForm::kRowCount; ++row) {
    auto* panel = new ClickFrame(this);
    panel->setObjectName(QString("Panel%1").arg(row + 1));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumSize(260, 34);
    panel->setCursor(Qt::PointingHandCursor);
    auto* label = new ClickLabel(toQt(TConnTextColorForm::kRowCaptions[static_cast<std::size_t>(row)]), panel);
    label->setObjectName(QString("Label%1").arg(row + 1));
    auto* inner = new QHBoxLayout(panel);
    inner->addStretch();
    inner->addWidget(label);
    inner->addStretch();
    panel->onClick = [this, row] { form_.PanelClick(row); };
    label->onClick = [this, row] { form_.LabelClick(row); };
    panels_[static_cast<std::size_t>(row)] = panel;
    labels_[static_cast<std::size_t>(row)] = label;
    layout->addWidget(panel);
  }
  auto* explanation = new QLabel(toQt(TConnTextColorForm::kExplanation), this);
  explanation->setWordWrap(true);
  layout->addWidget(explanation);

  layout->addLayout(okCancelRow(this, [this] {
    form_.OkBtnClick();
    accept();
  }));
  form_.FormShow();
}

void ConnTextColorDialog::SetRowColors(int row, std::uint32_t fore, std::uint32_t back) {
  setWidgetColor(*panel(row), back, false);
  setWidgetColor(*label(row), fore, true);
}

int ConnTextColorDialog::PickColor(std::int32_t paletteNo) {
  return ColorPickerDialog::pick(dataFolder_, paletteNo, QCursor::pos(), this);
}

std::optional<store::ConnectionRecord> ConnTextColorDialog::edit(
    const std::string& dataFolder, const store::ConnectionRecord& record, QWidget* parent) {
  ConnTextColorDialog dialog(dataFolder, record, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.form().Record();
}

}  // namespace ondrix::shell::ui
