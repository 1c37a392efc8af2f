#include "term/emulvt.h"

#include <algorithm>

namespace ondrix::term {

namespace {

// The colours a control starts with until its owner sets a palette (the default palette).
constexpr std::array<std::uint32_t, 16> kStartPalette = {
    0x00000000, 0x000000AA, 0x0000AA00, 0x000055AA, 0x00AA0000, 0x00AA00AA, 0x00AAAA00, 0x00AAAAAA,
    0x00555555, 0x005555FF, 0x0055FF55, 0x0055FFFF, 0x00FF5555, 0x00FF55FF, 0x00FFFF55, 0x00FFFFFF};

constexpr TRgb rgbOf(std::uint32_t colour) {
  return {static_cast<std::uint8_t>(colour & 0xFF), static_cast<std::uint8_t>((colour >> 8) & 0xFF),
          static_cast<std::uint8_t>((colour >> 16) & 0xFF)};
}

constexpr TRgb kWhite{255, 255, 255};
constexpr TRgb kBlack{0, 0, 0};
constexpr TRgb kMidGrey{127, 127, 127};

}  // namespace

TCustomEmulVT::TCustomEmulVT() : screen_(std::make_unique<TScreen>()) {
  for (std::size_t i = 0; i < entries_.size(); ++i) entries_[i] = rgbOf(kStartPalette[i]);
  palette_ = entries_;
  screen_->OnCursorVisibility = [this](TScreen&) { CursorVisibilityChanged(); };
  Measure();
  headless_.Resize(kCreateWidth, kCreateHeight);
  FitHeadlessView();
}

TCustomEmulVT::~TCustomEmulVT() = default;  // the debug log closes itself

void TCustomEmulVT::SetView(TEmulView* view) {
  if (caretCreated_) view_->DestroyCaret();
  caretCreated_ = caretShown_ = false;
  view_ = view ? view : &headless_;
  Measure();
  view_->SetScrollPosition(scrollPosition_);
  view_->InvalidateAll();
}

// --- Write path ---------------------------------------------------------------------------------

void TCustomEmulVT::WriteChar(std::uint8_t ch) { WriteBuffer(&ch, 1); }

void TCustomEmulVT::WriteStr(std::string_view text) {
  WriteBuffer(text.data(), static_cast<int>(text.size()));
}

void TCustomEmulVT::WriteBuffer(const void* buffer, int count) {
  HideCaret();
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  if (log_.IsOpen()) {
    for (int i = 0; i < count; ++i) {
      log_.Write(bytes[i]);
      screen_->ProcessChar(bytes[i]);
    }
  } else if (count > 0) {
    screen_->ProcessBlock(std::span<const std::uint8_t>(bytes, static_cast<std::size_t>(count)));
  }
  if (autoRepaint_) UpdateScreen();
}

void TCustomEmulVT::ClearScreen() { screen_->ClearScreen(); }

void TCustomEmulVT::UpdateScreen() {
  const TScreen& s = *screen_;
  if (s.AllDirty()) {
    view_->InvalidateAll();
  } else {
    if (s.MinRow() <= s.MaxRow() && s.MinCol() <= s.MaxCol())
      view_->Invalidate({s.MinCol() * charWidth_, s.MinRow() * lineHeight_ + topMargin_,
                         (s.MaxCol() + 1) * charWidth_, (s.MaxRow() + 1) * lineHeight_ + topMargin_});
    view_->Invalidate({s.Col() * charWidth_, s.Row() * lineHeight_ + topMargin_,
                       (s.Col() + 1) * charWidth_, (s.Row() + 1) * lineHeight_ + topMargin_});
  }
  screen_->ResetChanged();
  if (caretCreated_ && caretAllowed_) ShowCaretAtCursor();
}

// --- Properties ---------------------------------------------------------------------------------

void TCustomEmulVT::SetRows(int rows) {
  if (rows == screen_->Rows()) return;
  screen_->SetRows(rows);
  FitHeadlessView();
  RepaintAll();
}

void TCustomEmulVT::SetCols(int cols) {
  if (cols == screen_->Cols()) return;
  screen_->SetCols(cols);
  FitHeadlessView();
  RepaintAll();
}

void TCustomEmulVT::FitHeadlessView() {
  if (view_ == &headless_) headless_.Resize(Cols() * charWidth_, Rows() * lineHeight_ + topMargin_);
}

void TCustomEmulVT::SetXlat(bool on) {
  screen_->SetXlatActive(!on);
  screen_->SetXlatDefault(!on);
}

void TCustomEmulVT::SetLog(bool on) {
  if (on)
    log_.Open();
  else
    log_.Close();
}

void TCustomEmulVT::SetMonoChrome(bool on) {
  if (on == monoChrome_) return;
  monoChrome_ = on;
  RepaintAll();
}

void TCustomEmulVT::SetFont(const TFont& font) {
  font_ = font;
  font_.FixedPitch = true;
  Measure();
  if (caretCreated_) {
    // The caret takes the new cell size.
    const bool shown = caretShown_;
    view_->DestroyCaret();
    view_->CreateCaret(charWidth_, lineHeight_);
    view_->SetCaretPos(CaretX(), CaretY());
    caretShown_ = false;
    if (shown) {
      view_->ShowCaret();
      caretShown_ = true;
    }
  }
  RepaintAll();
}

void TCustomEmulVT::Measure() {
  const TFontMetrics m = view_->MeasureFont(font_);
  charWidth_ = std::max(1, m.AveCharWidth);
  lineHeight_ = std::max(1, m.Height);
  topMargin_ = std::max(0, m.InternalLeading);
  FitHeadlessView();
}

bool TCustomEmulVT::OemGlyphs() const { return font_.CharSet == kOemCharset || font_.Name == "Terminal"; }

// --- Colours ------------------------------------------------------------------------------------

void TCustomEmulVT::SetColors(int normalFore, int normalBack, int boldFore, int boldBack,
                              int underlineFore, int underlineBack, int blinkFore, int blinkBack,
                              int reverseFore, int reverseBack) {
  screen_->SetNormalColors(normalFore, normalBack);
  screen_->SetBoldColors(boldFore, boldBack);
  screen_->SetUnderlineColors(underlineFore, underlineBack);
  screen_->SetBlinkColors(blinkFore, blinkBack);
  screen_->SetReverseColors(reverseFore, reverseBack);
}

void TCustomEmulVT::SetPaletteEntry(int n, std::uint32_t colour) {
  if (n < 1 || n > 16) return;
  entries_[static_cast<std::size_t>(n - 1)] = rgbOf(colour);
  if (n == 16) {
    palette_ = entries_;
    RepaintAll();
  }
}

TCustomEmulVT::TCellColors TCustomEmulVT::CellColors(std::uint8_t attribute) const {
  if (monoChrome_)
    return {(attribute & 15) != 0 ? kBlack : kWhite, attribute >= 15 ? kMidGrey : kWhite};
  return {palette_[attribute & 15], palette_[attribute >> 4]};
}

TRgb TCustomEmulVT::NormalBackground() const {
  return CellColors(screen_->NormalColors().attribute()).Back;
}

// --- Painting -----------------------------------------------------------------------------------

int TCustomEmulVT::FirstPaintRow(const TRect& update) const {
  return std::max(0, update.Top / lineHeight_ - 1);
}

TRect TCustomEmulVT::TopMarginBand(const TRect& update) const {
  if (update.Top > 0 || topMargin_ <= 0) return {};
  return {update.Left, 0, update.Right, topMargin_};
}

void TCustomEmulVT::PaintRuns(const TRect& update,
                              const std::function<void(const TTextRun&)>& draw) const {
  for (int row = FirstPaintRow(update); row < kPaintRows; ++row) {
    const int y = row * lineHeight_;
    if (y >= update.Bottom) break;
    const TLine& line = screen_->Line(row);
    int start = 0;
    while (start < kPaintCols) {
      const std::uint8_t attr = line.Attrs[static_cast<std::size_t>(start)];
      int end = start + 1;
      while (end < kPaintCols && line.Attrs[static_cast<std::size_t>(end)] == attr) ++end;
      TTextRun run;
      run.Row = row;
      run.Col = start;
      run.Count = end - start;
      run.Attr = attr;
      run.Chars = line.Chars.data() + start;
      run.Cell = {start * charWidth_, y, end * charWidth_, y + lineHeight_};
      // Runs wholly outside the update rectangle would be clipped away entirely.
      if (run.Cell.Right > update.Left && run.Cell.Left < update.Right) draw(run);
      start = end;
    }
  }
}

// --- Focus and caret ----------------------------------------------------------------------------

void TCustomEmulVT::FocusGained() {
  screen_->SetFocused(true);
  if (!caretAllowed_) return;
  if (!caretCreated_) {
    view_->CreateCaret(charWidth_, lineHeight_);
    caretCreated_ = true;
  }
  view_->SetCaretPos(CaretX(), CaretY());
  if (!screen_->CursorHidden() && !caretShown_) {
    view_->ShowCaret();
    caretShown_ = true;
  }
}

void TCustomEmulVT::FocusLost() {
  screen_->SetFocused(false);
  HideCaret();
  if (caretCreated_) {
    view_->DestroyCaret();
    caretCreated_ = false;
  }
}

void TCustomEmulVT::ShowCaretAtCursor() {
  view_->SetCaretPos(CaretX(), CaretY());
  if (!caretShown_ && !screen_->CursorHidden()) {
    view_->ShowCaret();
    caretShown_ = true;
  }
}

void TCustomEmulVT::HideCaret() {
  if (!caretShown_) return;
  view_->HideCaret();
  caretShown_ = false;
}

void TCustomEmulVT::CursorVisibilityChanged() {
  if (screen_->CursorHidden())
    HideCaret();
  else if (view_->Focused() && caretCreated_ && !caretShown_)
    ShowCaretAtCursor();
}

// --- History scroll bar -------------------------------------------------------------------------

void TCustomEmulVT::HistoryScroll(TScrollCode code, int newPosition) {
  TScreen& s = *screen_;
  switch (code) {
    case TScrollCode::LineUp:
      s.HistoryLineBack();  // when refused, the position below stays where it was
      break;
    case TScrollCode::LineDown:
      if (s.PushedCount() > 0) s.HistoryLineForward();
      break;
    case TScrollCode::PageUp:
    case TScrollCode::PageDown:
    case TScrollCode::ThumbTrack:
    case TScrollCode::ThumbPosition: {
      const int target = std::clamp(newPosition, 0, kScrollMax);
      // Each step may be refused (history empty, nothing pushed); a refusal ends the move.
      while (s.HistoryCount() > target && s.HistoryLineBack()) {
      }
      while (s.HistoryCount() < target && s.PushedCount() > 0 && s.HistoryLineForward()) {
      }
      break;
    }
    case TScrollCode::EndScroll:
      break;
  }
  scrollPosition_ = s.PushedCount() > 0 ? s.HistoryCount() : kScrollMax;
  view_->SetScrollPosition(scrollPosition_);
  RepaintAll();
  view_->SetFocus();
}

void TCustomEmulVT::ScrollToLive() {
  TScreen& s = *screen_;
  if (!Browsing()) return;
  while (s.PushedCount() > 0 && s.HistoryLineForward()) {
  }
  scrollPosition_ = kScrollMax;
  view_->SetScrollPosition(scrollPosition_);
  RepaintAll();
}

// --- Mouse --------------------------------------------------------------------------------------

void TCustomEmulVT::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  if (button == TMouseButton::Left) view_->SetFocus();
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TCustomEmulVT::MouseMove(unsigned shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TCustomEmulVT::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TCustomEmulVT::Click() {
  if (OnClick) OnClick(this);
}

void TCustomEmulVT::SetOnCursorPos(TCursorPosEvent handler) {
  onCursorPos_ = std::move(handler);
  if (!onCursorPos_) {
    screen_->OnCursorPos = nullptr;
    return;
  }
  screen_->OnCursorPos = [this](TScreen&, std::string_view text) {
    if (onCursorPos_) onCursorPos_(this, std::string(text));
  };
}

}  // namespace ondrix::term
