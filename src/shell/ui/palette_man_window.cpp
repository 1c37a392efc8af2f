#include "shell/ui/palette_man_window.h"

#include <QAction>
#include <QColorDialog>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/manager_list.h"
#include "shell/ui/rename_dialog.h"

namespace ondrix::shell::ui {

namespace {

// Colours are stored 0x00BBGGRR (low byte red).
QColor toColor(std::uint32_t stored) {
  return QColor(static_cast<int>(stored & 0xFF), static_cast<int>((stored >> 8) & 0xFF),
                static_cast<int>((stored >> 16) & 0xFF));
}
std::uint32_t fromColor(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
         static_cast<std::uint32_t>(color.blue()) << 16;
}

}  // namespace

PaletteManWindow::PaletteManWindow(std::string dataFolder, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      names_(new QListWidget(this)),
      newBtn_(new QPushButton("&New...", this)),
      deleteBtn_(new QPushButton("De&lete...", this)),
      doneBtn_(new QPushButton("&Done", this)),
      renameAction_(new QAction("&Rename...", this)),
      form_(*this, std::move(dataFolder)) {
  setWindowTitle(TPaletteManForm::kCaption);
  setModal(true);
  names_->setObjectName("Names");
  newBtn_->setObjectName("NewBtn");
  deleteBtn_->setObjectName("DeleteBtn");
  doneBtn_->setObjectName("DoneBtn");
  for (QPushButton* button : {newBtn_, deleteBtn_, doneBtn_}) button->setAutoDefault(false);
  addListPopup(names_, renameAction_);

  connect(names_, &QListWidget::currentRowChanged, this, [this](int row) { form_.NamesClick(row); });
  connect(renameAction_, &QAction::triggered, this, [this] { form_.RenameClick(); });
  connect(newBtn_, &QPushButton::clicked, this, [this] { form_.NewBtnClick(); });
  connect(deleteBtn_, &QPushButton::clicked, this, [this] { form_.DeleteBtnClick(); });
  connect(doneBtn_, &QPushButton::clicked, this, [this] { form_.DoneBtnClick(); });

  auto* colors = new QGridLayout;
  for (int n = 1; n <= TPaletteManForm::kPanels; ++n) {
    auto* panel = new QLabel(QString::number(n), this);
    panel->setObjectName(QString("Panel%1").arg(n));
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedSize(44, 32);
    panel->setAutoFillBackground(true);
    panel->installEventFilter(this);
    panels_[static_cast<std::size_t>(n - 1)] = panel;
    colors->addWidget(panel, (n - 1) / 8, (n - 1) % 8);
  }

  auto* label = new QLabel("Available palettes:", this);
  label->setBuddy(names_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(newBtn_);
  buttons->addWidget(deleteBtn_);
  buttons->addStretch();
  buttons->addWidget(doneBtn_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(names_);
  layout->addLayout(colors);
  layout->addLayout(buttons);
  resize(420, 340);
}

void PaletteManWindow::Run() {
  form_.FormShow();
  exec();
}

void PaletteManWindow::ShowModeless() {
  form_.FormShow();
  show();
}

bool PaletteManWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    for (int n = 1; n <= TPaletteManForm::kPanels; ++n) {
      if (watched != panel(n)) continue;
      form_.PanelDblClick(n);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void PaletteManWindow::ShowNames(const std::vector<std::string>& names, int selected) {
  showListNames(names_, names, selected);
}

void PaletteManWindow::SetPanelColor(int number, std::uint32_t color) {
  const QColor shown = toColor(color);
  QPalette colors = panel(number)->palette();
  colors.setColor(QPalette::Window, shown);
  // The number stays readable on dark and light colours alike.
  colors.setColor(QPalette::WindowText, shown.lightness() < 128 ? Qt::white : Qt::black);
  panel(number)->setPalette(colors);
}

std::optional<std::uint32_t> PaletteManWindow::ChooseColor(std::uint32_t color) {
  QColorDialog dialog(toColor(color), this);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return fromColor(dialog.selectedColor());
}

std::optional<std::string> PaletteManWindow::AskNewName(const std::string& name) {
  return RenameDialog::ask("Rename palette", name, this);
}

void PaletteManWindow::CloseWindow() { accept(); }

}  // namespace ondrix::shell::ui
