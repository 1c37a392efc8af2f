#pragma once
// What the terminal control model needs from the widget that shows it: repaint requests, the text
// caret, font measuring, the keyboard focus, the history scroll bar's position, the size of the
// client area and the drag rectangle of a mouse selection. The Qt widget (term/view) implements it;
// without a widget the model uses THeadlessView, which measures a fixed 8x16 cell and is as large as
// the screen it shows.

#include <cstdint>
#include <string>

namespace ondrix::term {

// A rectangle in client pixels; Right and Bottom are exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

inline constexpr std::uint8_t kDefaultCharset = 1;
inline constexpr std::uint8_t kOemCharset = 255;

struct TFont {
  std::string Name = "Terminal";
  int Size = 12;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  std::uint8_t CharSet = kDefaultCharset;
  bool FixedPitch = true;
  bool operator==(const TFont&) const = default;
};

struct TFontMetrics {
  int AveCharWidth = 8;
  int Height = 16;
  int InternalLeading = 0;
};

class TEmulView {
 public:
  virtual ~TEmulView() = default;

  virtual void Invalidate(const TRect& rect) = 0;
  virtual void InvalidateAll() = 0;

  virtual void CreateCaret(int width, int height) = 0;
  virtual void DestroyCaret() = 0;
  virtual void ShowCaret() = 0;
  virtual void HideCaret() = 0;
  virtual void SetCaretPos(int x, int y) = 0;

  virtual TFontMetrics MeasureFont(const TFont& font) = 0;

  virtual bool Focused() const = 0;
  virtual void SetFocus() = 0;

  // Moves the history scroll bar's thumb (range 0..1500) without raising a scroll event.
  virtual void SetScrollPosition(int position) = 0;

  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;

  // Mouse selection: capture the mouse and confine the pointer to `area` (on) or release both.
  virtual void CaptureMouse(bool on, const TRect& area) = 0;
  // Draws the inverting focus rectangle of a selection being dragged, or erases it (it is drawn
  // and erased in pairs, like an XOR outline).
  virtual void DrawFocusRect(const TRect& rect) = 0;
};

// The view of a control without a window: nothing is drawn, the font measures 8x16 pixels and the
// client area is `width` x `height` (by default the size of the screen the control shows, set by
// its owner through Resize).
class THeadlessView : public TEmulView {
 public:
  void Invalidate(const TRect&) override {}
  void InvalidateAll() override {}
  void CreateCaret(int, int) override {}
  void DestroyCaret() override {}
  void ShowCaret() override {}
  void HideCaret() override {}
  void SetCaretPos(int, int) override {}
  TFontMetrics MeasureFont(const TFont&) override { return {}; }
  bool Focused() const override { return focused_; }
  void SetFocus() override { focused_ = true; }
  void SetScrollPosition(int) override {}
  int ClientWidth() const override { return width_; }
  int ClientHeight() const override { return height_; }
  void CaptureMouse(bool, const TRect&) override {}
  void DrawFocusRect(const TRect&) override {}

  void Resize(int width, int height) {
    width_ = width;
    height_ = height;
  }

 private:
  bool focused_ = false;
  int width_ = 80 * 8;
  int height_ = 25 * 16;
};

}  // namespace ondrix::term
