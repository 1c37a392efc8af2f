#pragma once
// TCustomEmulVT: the terminal control of one session, without a window. It owns the screen and
// feeds it received bytes, keeps the palette, colours and font, the text caret's state, the
// history scroll bar's position, the selection rectangle, the raw debug log and the user key
// definitions, and translates key strokes into bytes (emulvt_keys.cpp). Everything visible goes
// through a TEmulView; the Qt widget in term/view paints the runs this class plans.
// TEmulVT is the control as sessions use it.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "term/debug_log.h"
#include "term/emulvt_view.h"
#include "term/key_list.h"
#include "term/screen.h"

namespace ondrix::term {

struct TRgb {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  bool operator==(const TRgb&) const = default;
};

// The scroll bar's actions, as its widget reports them.
enum class TScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbTrack, ThumbPosition, EndScroll };

enum class TMouseButton { Left, Right, Middle };

// A key going down, as the keyboard reports it: the virtual-key code, the PC set-1 scan code and
// extended flag, the shift state (TShiftBits), whether Caps Lock is on and whether it is a
// system key (a key pressed with Alt).
struct TKeyStroke {
  int VirtualKey = 0;
  std::uint8_t ScanCode = 0;
  bool Extended = false;
  unsigned Shift = 0;
  bool CapsLock = false;
  bool SystemKey = false;
};

// What became of a key stroke. NotHandled: the character the keyboard types for it, if any, is
// to be given to TypeChar. Refused: a system key the terminal leaves alone; nothing is typed.
enum class TKeyResult { Handled, NotHandled, Refused };

// One run of cells with the same attribute, drawn with one text call.
struct TTextRun {
  int Row = 0;
  int Col = 0;
  int Count = 0;
  std::uint8_t Attr = 0;
  const std::uint8_t* Chars = nullptr;  // Count glyph positions (code page 437 or Windows-1252)
  TRect Cell;                           // the pixels the run covers
};

class TCustomEmulVT {
 public:
  using TKeyBufferEvent = std::function<void(TCustomEmulVT* Sender, const char* Buffer, int Len)>;
  using TCursorPosEvent = std::function<void(TCustomEmulVT* Sender, const std::string& PosStr)>;
  using TKeyPressEvent = std::function<void(TCustomEmulVT* Sender, char& Key)>;
  using TNotifyEvent = std::function<void(TCustomEmulVT* Sender)>;
  using TMouseEvent =
      std::function<void(TCustomEmulVT* Sender, TMouseButton Button, unsigned Shift, int X, int Y)>;
  using TMouseMoveEvent = std::function<void(TCustomEmulVT* Sender, unsigned Shift, int X, int Y)>;

  static constexpr int kScrollMax = 1500;  // the scroll bar's range is 0..kScrollMax
  static constexpr int kScrollLargeChange = 20;
  static constexpr int kScrollBarWidth = 16;
  static constexpr int kPaintRows = 100;  // rows 0..99 are painted
  static constexpr int kPaintCols = 199;  // columns 0..198 are painted
  static constexpr int kCreateWidth = 250;
  static constexpr int kCreateHeight = 100;

  TCustomEmulVT();
  virtual ~TCustomEmulVT();
  TCustomEmulVT(const TCustomEmulVT&) = delete;
  TCustomEmulVT& operator=(const TCustomEmulVT&) = delete;

  // The widget showing this control (nullptr: none). The font is measured again through it.
  void SetView(TEmulView* view);
  TEmulView& View() { return *view_; }

  TScreen& Screen() { return *screen_; }
  const TScreen& Screen() const { return *screen_; }

  // --- The write path: hides the caret, logs and interprets every byte, repaints when AutoRepaint.
  void WriteChar(std::uint8_t ch);
  void WriteStr(std::string_view text);
  void WriteBuffer(const void* buffer, int count);
  void ClearScreen();
  // Requests the repaint of the changed area and the cursor cell, resets the changed area and
  // puts the caret back on the cursor.
  void UpdateScreen();

  // --- Properties
  int Rows() const { return screen_->Rows(); }
  int Cols() const { return screen_->Cols(); }
  void SetRows(int rows);
  void SetCols(int cols);
  int LineHeight() const { return lineHeight_; }
  void SetLineHeight(int height) { lineHeight_ = height; }
  int CharWidth() const { return charWidth_; }
  int TopMargin() const { return topMargin_; }
  bool AutoLF() const { return screen_->AutoLF(); }
  void SetAutoLF(bool on) { screen_->SetAutoLF(on); }
  bool AutoCR() const { return screen_->AutoCR(); }
  void SetAutoCR(bool on) { screen_->SetAutoCR(on); }
  bool Xlat() const { return !screen_->XlatDefault(); }
  void SetXlat(bool on);
  bool Log() const { return log_.IsOpen(); }
  void SetLog(bool on);
  bool MonoChrome() const { return monoChrome_; }
  void SetMonoChrome(bool on);
  bool LocalEcho() const { return localEcho_; }
  void SetLocalEcho(bool on) { localEcho_ = on; }
  bool AutoRepaint() const { return autoRepaint_; }
  void SetAutoRepaint(bool on) { autoRepaint_ = on; }
  const TFont& Font() const { return font_; }
  // Copies `font` with fixed pitch forced, measures it and moves the caret.
  void SetFont(const TFont& font);
  // Glyph positions are drawn as code page 437 (an OEM font) rather than Windows-1252.
  bool OemGlyphs() const;
  bool Connected() const { return connected_; }

  // --- Colours
  void SetColors(int normalFore, int normalBack, int boldFore, int boldBack, int underlineFore,
                 int underlineBack, int blinkFore, int blinkBack, int reverseFore, int reverseBack);
  // n = 1..16, colour in 0x00BBGGRR form; entry 16 makes the whole palette current.
  void SetPaletteEntry(int n, std::uint32_t colour);
  TRgb PaletteColor(int index) const { return palette_[static_cast<std::size_t>(index & 15)]; }
  struct TCellColors {
    TRgb Fore;
    TRgb Back;
  };
  TCellColors CellColors(std::uint8_t attribute) const;
  TRgb NormalBackground() const;

  // --- Painting: what a paint request for `update` draws
  int FirstPaintRow(const TRect& update) const;
  // The top margin band to fill with the normal background, or an empty rectangle.
  TRect TopMarginBand(const TRect& update) const;
  // Calls `draw` for every run of equal attribute in the rows the update rectangle reaches.
  void PaintRuns(const TRect& update, const std::function<void(const TTextRun&)>& draw) const;

  // --- Focus and caret
  void FocusGained();
  void FocusLost();
  bool CaretCreated() const { return caretCreated_; }
  bool CaretShown() const { return caretShown_; }
  bool CaretAllowed() const { return caretAllowed_; }
  void SetCaretAllowed(bool on) { caretAllowed_ = on; }
  // The caret's place: the cursor cell.
  int CaretX() const { return screen_->Col() * charWidth_; }
  int CaretY() const { return screen_->Row() * lineHeight_; }

  // --- History scroll bar (its position always equals the screen's HistoryCount)
  int ScrollPosition() const { return scrollPosition_; }
  // A scroll action with the position the bar proposes for it.
  void HistoryScroll(TScrollCode code, int newPosition);
  // Leaves the history: the live screen comes back and the thumb goes to the bottom.
  void ScrollToLive();
  bool Browsing() const { return screen_->PushedCount() > 0 || scrollPosition_ != kScrollMax; }

  // --- Keyboard
  TKeyList& Keys() { return keys_; }
  void AddKey(std::uint8_t scanCode, bool ctrl, std::string_view text, bool extended, bool shift,
              bool alt) {
    keys_.AddKey(scanCode, ctrl, text, extended, shift, alt);
  }
  void ClearKeys() { keys_.ClearKeys(); }
  // Sends the first matching definition; true when the key is dealt with (always while not
  // connected, when nothing is sent).
  bool FindKey(std::uint8_t scanCode, unsigned shiftState, bool extended);
  TKeyResult KeyDown(const TKeyStroke& key);
  // The key-press path: a character typed on the keyboard.
  void TypeChar(char ch) { KeyPress(ch); }
  virtual void SendKeyBuffer(const char* buffer, int length);
  bool CircumflexPending() const { return circumflex_; }
  bool DiaeresisPending() const { return diaeresis_; }

  // --- Mouse (client pixels)
  virtual void MouseDown(TMouseButton button, unsigned shift, int x, int y);
  virtual void MouseMove(unsigned shift, int x, int y);
  virtual void MouseUp(TMouseButton button, unsigned shift, int x, int y);
  void Click();
  const TRect& SelectRect() const { return selectRect_; }
  bool HasSelection() const { return selectRect_.Top != -1; }

  // --- Events
  void SetOnCursorPos(TCursorPosEvent handler);
  TKeyBufferEvent OnKeyBuffer;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

 protected:
  virtual void KeyPress(char& key);
  void Measure();
  void ShowCaretAtCursor();
  void HideCaret();
  void RepaintAll() { view_->InvalidateAll(); }
  void FitHeadlessView();
  void SetConnected(bool on) { connected_ = on; }

  bool connected_ = false;
  TRect selectRect_{-1, -1, -1, -1};

 private:
  void CursorVisibilityChanged();

  std::unique_ptr<TScreen> screen_;
  THeadlessView headless_;
  TEmulView* view_ = &headless_;
  TFont font_;
  int charWidth_ = 8;
  int lineHeight_ = 16;
  int topMargin_ = 0;
  bool caretCreated_ = false;
  bool caretShown_ = false;
  bool caretAllowed_ = true;
  bool autoRepaint_ = false;
  bool localEcho_ = false;
  bool monoChrome_ = false;
  TDebugLog log_;
  std::array<TRgb, 16> entries_{};  // as set, entry n at index n - 1
  std::array<TRgb, 16> palette_{};  // the palette painting uses
  TKeyList keys_;
  bool circumflex_ = false;
  bool diaeresis_ = false;
  int scrollPosition_ = kScrollMax;
  TCursorPosEvent onCursorPos_;
};

// The control as sessions use it; the published properties are those of TCustomEmulVT plus the
// window attributes below, which only the widget reads.
class TEmulVT : public TCustomEmulVT {
 public:
  enum class TBorderStyle { None, Single };
  enum class TAlign { None, Top, Bottom, Left, Right, Client };
  TBorderStyle BorderStyle = TBorderStyle::Single;
  TAlign Align = TAlign::None;
  bool Ctl3D = true;
  bool TabStop = true;
  int TabOrder = 0;
};

}  // namespace ondrix::term
