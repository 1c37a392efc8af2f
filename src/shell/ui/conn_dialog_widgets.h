#pragma once
// Widgets and helpers the connection dialogs share: a combo box that takes no typed input, areas
// that report a mouse click, palette colours as Qt colours, and the row of "&Ok" and "&Cancel".

#include <QComboBox>
#include <QColor>
#include <QFrame>
#include <QLabel>
class QDialog;
class QHBoxLayout;
#include <cstdint>
#include <functional>
#include <optional>

#include "shell/main_form_view.h"

namespace ondrix::shell::ui {

// The choice is made from the list only: every key that types a character is discarded (the
// arrow keys, Enter and Escape keep working).
class ListOnlyComboBox : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A panel and a label that call `onClick` when the left mouse button is pressed on them. A click on
// the label does not reach the panel under it.
class ClickFrame : public QFrame {
 public:
  using QFrame::QFrame;
  std::function<void()> onClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

class ClickLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> onClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

// 0x00BBGGRR (low byte red) as a Qt colour.
QColor qtColor(std::uint32_t colour);
// Fills `widget`'s background (or, with `text` set, its text) with `colour`.
void setWidgetColor(QWidget& widget, std::uint32_t colour, bool text);

// "&Ok" ("OkBtn", the default button, calling `onOk`) and "&Cancel" ("CancelBtn", rejecting
// `dialog`), right-aligned in a row for the dialog's layout.
QHBoxLayout* okCancelRow(QDialog* dialog, std::function<void()> onOk);

}  // namespace ondrix::shell::ui
