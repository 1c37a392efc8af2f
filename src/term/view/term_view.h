#pragma once
// TermView: the Qt widget that shows a terminal control model and feeds it the keyboard and the
// mouse. It paints the model's runs of equal attribute inside the update rectangle, the top
// margin band, the selection outline, the drag rectangle and the caret, carries the history
// scroll bar on its right edge, and implements TEmulView for the model.
// Repaint requests are collected and handed to Qt at most once per frame: a host that sends
// faster than the screen refreshes costs one paint per frame, not one per received block, while
// a request after a quiet spell (a typed key's echo) is painted at once.

#include <QElapsedTimer>
#include <QFont>
#include <QRegion>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "term/emulvt.h"
#include "term/view/cell_painter.h"

namespace ondrix::term::view {

class TermView : public QWidget, public TEmulView {
  Q_OBJECT  // found among a page's children with findChild

 public:
  explicit TermView(TCustomEmulVT& model, QWidget* parent = nullptr);
  ~TermView() override;

  TCustomEmulVT& model() { return model_; }
  // The size that shows the model's whole screen and the scroll bar.
  QSize sizeHint() const override;

  // TEmulView
  void Invalidate(const TRect& rect) override;
  void InvalidateAll() override;
  void CreateCaret(int width, int height) override;
  void DestroyCaret() override;
  void ShowCaret() override;
  void HideCaret() override;
  void SetCaretPos(int x, int y) override;
  TFontMetrics MeasureFont(const TFont& font) override;
  bool Focused() const override;
  void SetFocus() override;
  void SetScrollPosition(int position) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void CaptureMouse(bool on, const TRect& area) override;
  void DrawFocusRect(const TRect& rect) override;

  // The Qt font a model font resolves to ("Terminal" is the system's fixed-pitch font).
  static QFont qtFont(const TFont& font);

  // Shortest time between two paints while requests keep coming.
  static constexpr int kFrameMs = 16;
  // Requests wait for the next frame (they are handed to Qt when it starts).
  bool framePending() const { return frameTimer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void scrollAction(int action);
  QRect caretRect() const;
  void paintRuns(class QPainter& painter, const QRect& area);
  // Every repaint request goes through here; see the class comment.
  void requestPaint(const QRect& rect);
  void startFrame();

  TCustomEmulVT& model_;
  QScrollBar* scrollBar_;
  QFont font_;
  int ascent_ = 0;
  bool caretExists_ = false;
  bool caretVisible_ = false;
  bool caretBlinkOn_ = true;
  QSize caretSize_;
  QPoint caretPos_;
  QTimer caretBlink_;
  bool dragShown_ = false;
  QRect dragRect_;
  bool captured_ = false;
  QRect captureArea_;
  bool settingScroll_ = false;
  CellPainter cells_;
  std::vector<TTextRun> row_;
  QRegion pending_;
  QTimer frameTimer_;
  QElapsedTimer sinceFrame_;
};

}  // namespace ondrix::term::view
