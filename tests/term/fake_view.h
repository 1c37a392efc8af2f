#pragma once
// A view that records what the terminal control asks of it.

#include <string>
#include <vector>

#include "term/emulvt.h"

namespace ondrix::term::testing {

class FakeView : public TEmulView {
 public:
  void Invalidate(const TRect& rect) override { rects.push_back(rect); }
  void InvalidateAll() override { ++wholeRepaints; }
  void CreateCaret(int width, int height) override {
    caretExists = true;
    caretWidth = width;
    caretHeight = height;
  }
  void DestroyCaret() override {
    caretExists = false;
    caretVisible = false;
  }
  void ShowCaret() override { caretVisible = caretExists; }
  void HideCaret() override { caretVisible = false; }
  void SetCaretPos(int x, int y) override {
    caretX = x;
    caretY = y;
  }
  TFontMetrics MeasureFont(const TFont& font) override {
    lastMeasured = font;
    return metrics;
  }
  bool Focused() const override { return focused; }
  void SetFocus() override { focused = true; }
  void SetScrollPosition(int position) override { scrollPosition = position; }
  int ClientWidth() const override { return width; }
  int ClientHeight() const override { return height; }
  void CaptureMouse(bool on, const TRect& area) override {
    captured = on;
    confinedTo = area;
  }
  void DrawFocusRect(const TRect& rect) override { focusRects.push_back(rect); }

  void clearRequests() {
    rects.clear();
    wholeRepaints = 0;
  }

  TFontMetrics metrics{10, 20, 3};
  TFont lastMeasured;
  std::vector<TRect> rects;
  int wholeRepaints = 0;
  bool caretExists = false;
  bool caretVisible = false;
  int caretWidth = 0;
  int caretHeight = 0;
  int caretX = -1;
  int caretY = -1;
  bool focused = false;
  int scrollPosition = -1;
  int width = 800;
  int height = 500;
  bool captured = false;
  TRect confinedTo;
  std::vector<TRect> focusRects;
};

}  // namespace ondrix::term::testing
