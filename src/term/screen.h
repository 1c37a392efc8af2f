#pragma once
// TScreen: the in-memory model of one terminal screen and the interpreter of the bytes received
// for it. A grid of cells (a code page 437 glyph and an attribute byte each), the cursor, the
// scroll region, the drawing attribute, the scroll-back history and the changed rectangle the view
// repaints. The interpreter (ProcessChar, interpreter.cpp) is its only writer during a session.
//
// Attribute byte: bits 0-3 the foreground palette index (bit 3 bright), bits 4-7 the background
// (bit 7 bright). Bold, underline, blink and reverse are colour pairs, not bits.
//
// All line storage is one block allocated with the screen; nothing is allocated while bytes are
// processed (only a diagnostic trace text, a printer job and the cursor report may allocate).

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "term/translation_tables.h"

namespace ondrix::platform {
class PrinterStream;
}

namespace ondrix::term {

inline constexpr int kLineColumns = 201;   // columns 0..200 of every line record
inline constexpr int kMaxCol = 200;        // the last addressable column
inline constexpr int kMaxRows = 100;       // Rows is kept in 1..kMaxRows
inline constexpr int kMaxCols = 200;       // Cols is kept in 1..kMaxCols
inline constexpr int kHistoryLines = 1501; // history indices 0..1500, 1500 the newest
inline constexpr int kHistoryFull = 1500;  // HistoryCount of a full history
inline constexpr int kPushedLines = 1501;  // PushedDown stack size
inline constexpr int kScreenLines = 101;   // screen lines 0..100 (rows beyond 99 are never shown)
inline constexpr int kEscBufferSize = 80;  // an escape sequence of 80 collected characters is dropped
inline constexpr std::uint8_t kCreateAttribute = 0x47;

struct TLine {
  std::array<std::uint8_t, kLineColumns> Chars;
  std::array<std::uint8_t, kLineColumns> Attrs;

  void Clear(std::uint8_t attribute);
};

struct ColorPair {
  std::uint8_t fore = 0;
  std::uint8_t back = 0;
  std::uint8_t attribute() const { return static_cast<std::uint8_t>(back * 16 + fore); }
};

class TScreen {
  // All line storage of one screen, allocated once with it.
  // The screen rows and the history lines share one pool: a line scrolled off the top joins the
  // history and the history line it replaces becomes the new bottom row, so nothing is copied.
  struct Block {
    std::array<TLine, kScreenLines + kHistoryLines> lines;
    std::array<TLine, kPushedLines> pushed;
  };
  static std::unique_ptr<Block> newBlock();
  // The block for a new screen, and giving it up when the screen goes (fuzz builds keep one).
  static std::unique_ptr<Block> reuseBlock();
  void retireBlock();

 public:
  TScreen();
  ~TScreen();
  TScreen(const TScreen&) = delete;
  TScreen& operator=(const TScreen&) = delete;

  // Events: the cursor position report for the host, and the host showing or hiding the cursor.
  std::function<void(TScreen& sender, std::string_view text)> OnCursorPos;
  std::function<void(TScreen& sender)> OnCursorVisibility;

  // --- Interpreter (interpreter.cpp) ---
  void ProcessChar(std::uint8_t c);
  // The same as ProcessChar on every byte in order, with a fast path for runs of printable bytes.
  void ProcessBlock(std::span<const std::uint8_t> bytes);
  void ProcessBlock(std::string_view bytes);

  // --- Colours ---
  void SetNormalColors(int fore, int back);
  void SetBoldColors(int fore, int back);
  void SetUnderlineColors(int fore, int back);
  void SetBlinkColors(int fore, int back);
  void SetReverseColors(int fore, int back);
  ColorPair NormalColors() const { return normal_; }
  ColorPair BoldColors() const { return bold_; }
  ColorPair UnderlineColors() const { return underline_; }
  ColorPair BlinkColors() const { return blink_; }
  ColorPair ReverseColors() const { return reverse_; }

  // --- Size (clamped to 1..kMaxRows and 1..kMaxCols) ---
  void SetRows(int n);
  void SetCols(int n);

  // --- Cursor and printing ---
  void GotoXY(int col, int row);
  void WriteChar(std::uint8_t ch);
  void LineFeed();
  void CarriageReturn();
  void BackSpace();
  void Tab();
  void SaveCursor();
  void RestoreCursor();
  void ReverseIndex();

  // --- Scrolling, erasing, inserting ---
  void ScrollUp(bool save);
  void ScrollDown(bool save);
  void ClearScreen();
  void EraseToEndOfLine();
  void EraseToEndOfScreen();
  void EraseToStartOfScreen();
  void InsertChars(int n);
  void DeleteChars(int n);
  void InsertLines(int n);
  void DeleteLines(int n);

  // --- Changed-area protocol with the view ---
  void MarkChanged(int row, int col);
  void ResetChanged();
  bool AllDirty() const { return allDirty_; }
  int MinCol() const { return minCol_; }
  int MinRow() const { return minRow_; }
  int MaxCol() const { return maxCol_; }
  int MaxRow() const { return maxRow_; }

  // --- History browsing (the view's scroll bar); false when refused ---
  bool HistoryLineBack();
  bool HistoryLineForward();

  // --- Lines ---
  const TLine& Line(int row) const { return block_->lines[rowMap_[row]]; }  // 0..kScreenLines-1
  const TLine& HistoryLine(int index) const;                                 // 0..1500
  const TLine& PushedLine(int index) const { return block_->pushed[index]; } // 0..1500

  // --- State ---
  int Row() const { return row_; }
  int Col() const { return col_; }
  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  int ScrollTop() const { return scrollTop_; }
  int ScrollBottom() const { return scrollBottom_; }
  int SavedRow() const { return savedRow_; }
  int SavedCol() const { return savedCol_; }
  int HistoryCount() const { return historyCount_; }
  int PushedCount() const { return pushedCount_; }
  int LiteralCount() const { return literalCount_; }
  std::uint8_t Attribute() const { return attribute_; }
  bool Graphics() const { return graphics_; }
  bool InsertMode() const { return insertMode_; }
  bool AutoWrap() const { return autoWrap_; }
  bool CursorHidden() const { return cursorHidden_; }
  bool PrinterPassThrough() const { return printerPassThrough_; }
  bool EscMode() const { return escMode_; }
  std::string_view EscBuffer() const {
    return {reinterpret_cast<const char*>(escBuffer_.data()), static_cast<std::size_t>(escLength_)};
  }
  bool XlatActive() const { return xlatActive_; }
  bool XlatDefault() const { return xlatDefault_; }
  const TranslationTable& CurrentTable() const { return *currentTable_; }
  const TranslationTable& KeyTable() const { return *keyTable_; }
  bool LineDrawing() const { return currentTable_ == &kLineDrawingTable; }

  bool AutoLF() const { return autoLF_; }
  bool AutoCR() const { return autoCR_; }
  bool Focused() const { return focused_; }
  void SetAutoLF(bool on) { autoLF_ = on; }
  void SetAutoCR(bool on) { autoCR_ = on; }
  void SetFocused(bool on) { focused_ = on; }
  void SetXlatActive(bool on) { xlatActive_ = on; }
  void SetXlatDefault(bool on) { xlatDefault_ = on; }

  // The first broken invariant (cursor, scroll region, counts), or nullptr when all hold.
  const char* CheckInvariants() const;

 private:
  // A visible row for writing: it no longer counts as blank.
  TLine& row(int r) {
    const std::uint16_t line = rowMap_[r];
    blankAs_[line] = kNotBlank;
    return block_->lines[line];
  }
  // Blanks row r with the drawing attribute, unless it is blank with that attribute already.
  void clearRow(int r);
  TLine& historySlot(int index);
  void clearRows(int first, int last);
  void rotateRows(int first, int middle, int last);

  // Widens the changed rectangle by cells first..last of `row` (MarkChanged on both ends).
  void markRun(int row, int first, int last) {
    if (allDirty_) return;
    minRow_ = std::min(minRow_, row);
    maxRow_ = std::max(maxRow_, row);
    minCol_ = std::min(minCol_, first);
    maxCol_ = std::max(maxCol_, last);
  }

  // Interpreter internals (interpreter.cpp).
  const std::uint8_t* groundRun(const std::uint8_t* p, const std::uint8_t* end);
  const std::uint8_t* csiRun(const std::uint8_t* p, const std::uint8_t* end);
  void processGround(std::uint8_t c);
  void collectEscape(std::uint8_t c);
  void appendEscape(std::uint8_t c);
  void dispatchEscape(std::uint8_t final);
  void dispatchShort(std::uint8_t final);
  void dispatchCsi(std::uint8_t final);
  void setMode(std::uint8_t final);
  void selectGraphicRendition();
  void setScrollRegion();
  void privateGroup();
  void reportCursorPosition();
  void startPrinter();
  void stopPrinter();
  int getNumber(int pos, int& value) const;
  int getSecond(int pos, int& value) const;
  std::uint8_t escAt(int pos) const;
  void beep();
  void traceSequence(std::string_view prefix, std::uint8_t final);
  void traceLine(std::string_view text);
  void checkAfterByte() const;

  std::unique_ptr<Block> block_;
  std::array<std::uint16_t, kScreenLines> rowMap_{};       // visible row -> line in the pool
  std::array<std::uint16_t, kHistoryLines> historyMap_{};  // ring slot -> line in the pool
  int historyHead_ = 0;                                    // ring slot of history index 0
  // Per line of the pool: the attribute it is all blanks with, or kNotBlank once it may hold
  // text (every write goes through row()). Full-screen programs erase far more often than they
  // write, and clearing a line that is blank already is skipped.
  static constexpr std::int16_t kNotBlank = -1;
  std::array<std::int16_t, kScreenLines + kHistoryLines> blankAs_;
#ifdef ONDRIX_FUZZ_BUILD
  // The lines this screen may have written besides its rows, so that retireBlock blanks only those.
  std::bitset<kScreenLines + kHistoryLines> intoHistory_;  // lines that scrolled into the history
  int pushedHigh_ = 0;                                      // pushed-down lines 0..pushedHigh_-1
#endif

  ColorPair normal_, bold_, underline_, blink_, reverse_;
  bool printerPassThrough_ = false;
  std::unique_ptr<platform::PrinterStream> printer_;

  int row_ = 0;
  int col_ = 0;
  int pushedCount_ = 0;
  int historyCount_ = kHistoryFull;
  int savedRow_ = -1;
  int savedCol_ = -1;
  int scrollTop_ = 0;
  int scrollBottom_ = 24;
  std::uint8_t attribute_ = 0;
  bool graphics_ = false;
  int rows_ = 25;
  int cols_ = 80;

  std::array<std::uint8_t, kEscBufferSize> escBuffer_{};
  int escLength_ = 0;
  bool escMode_ = false;

  bool focused_ = false;
  bool autoLF_ = false;
  bool autoCR_ = false;
  bool autoWrap_ = true;
  bool cursorHidden_ = false;
  bool xlatActive_ = false;
  bool xlatDefault_ = false;
  int literalCount_ = 0;
  const TranslationTable* currentTable_ = &kAsciiTable;
  const TranslationTable* keyTable_ = &kAsciiTable;

  bool allDirty_ = false;
  int minCol_ = 9999;
  int minRow_ = 9999;
  int maxCol_ = -1;
  int maxRow_ = -1;
  bool insertMode_ = false;

  unsigned traceCounter_ = 0;
};

}  // namespace ondrix::term
