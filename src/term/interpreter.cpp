// The escape-sequence interpreter: ProcessChar turns received bytes into changes of the screen.
//
// State table (checked in this order for every byte):
//
//   state    condition                            action                               next
//   -------  -----------------------------------  -----------------------------------  -------
//   any      PrinterPassThrough                   copy the byte to the printer job     (go on)
//   literal  LiteralCount >= 1                    odd count: WriteChar, even: drop;    ground/
//                                                 LiteralCount - 1                     escape
//   escape   buffer empty, 7 8 < = > D E H M      dispatch ESC c                       ground
//   escape   buffer is one of ( ) * +             dispatch the designator with c       ground
//   escape   blank, 0-9, ; or ?                   collect; the 80th collected          escape/
//                                                 character beeps and drops it all     ground
//   escape   buffer empty, ( ) * + or [           collect (same 80 check)              escape
//   escape   anything else, control bytes too     c is the final character: dispatch   ground
//   ground   (XlatActive: c := CurrentTable[c])
//   ground   NUL                                  nothing                              ground
//   ground   BEL / BS / HT                        beep / BackSpace / Tab               ground
//   ground   LF / CR                              LineFeed (+CR) / CarriageReturn (+LF)ground
//   ground   SO / SI                              line-drawing / ASCII table           ground
//   ground   ESC                                  empty the buffer                     escape
//   ground   any other byte                       (InsertMode: InsertChars 1) WriteChar ground
//
// Unlike the common terminal parsers: a control byte inside a sequence is its final character
// (and is consumed), ESC ESC prints the second ESC's glyph, and an 80-character sequence beeps.
// Collected bytes are never translated. The buffer holds what followed ESC without the final
// character; position 1 is the first character (for CSI the '['), parameters start at 2.

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/services.h"
#include "term/screen.h"

namespace ondrix::term {
namespace {

constexpr int kMaxParameter = 65535;  // parameters saturate here instead of overflowing

constexpr std::string_view kInvalid = "Invalid Escape Sequence: ";
constexpr std::string_view kUnimplemented = "Unimplemented Escape Sequence: ";
constexpr std::string_view kPrinterFailed = "Cannot passthrough to printer.";

constexpr bool isDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

// How escape collection treats a byte.
enum EscClass : std::uint8_t {
  kShortFinal = 1,  // 7 8 < = > D E H M: dispatched at once when nothing is collected
  kCollect = 2,     // blank, digits, ; ?: collected
  kIntro = 4,       // ( ) * + [: collected as the first character
  kDesignator = 8,  // ( ) * +: a collected designator takes any byte as its final
};

constexpr std::array<std::uint8_t, 256> makeEscClasses() {
  std::array<std::uint8_t, 256> c{};
  for (std::uint8_t b : {'7', '8', '<', '=', '>', 'D', 'E', 'H', 'M'}) c[b] |= kShortFinal;
  for (std::uint8_t b : {' ', ';', '?'}) c[b] |= kCollect;
  for (int b = '0'; b <= '9'; ++b) c[b] |= kCollect;
  for (std::uint8_t b : {'(', ')', '*', '+'}) c[b] |= kIntro | kDesignator;
  c['['] |= kIntro;
  return c;
}
inline constexpr std::array<std::uint8_t, 256> kEscClasses = makeEscClasses();

}  // namespace

// ---------------------------------------------------------------------------------------------
// Entry points

void TScreen::ProcessChar(std::uint8_t c) {
  if (!(literalCount_ != 0 || printerPassThrough_ || escMode_ || insertMode_)) [[likely]] {
    const std::uint8_t t = xlatActive_ ? (*currentTable_)[c] : c;
    if (!kControlBytes[t] && col_ < cols_) [[likely]] {  // WriteChar without a wrap
      TLine& l = row(row_);
      l.Chars[col_] = graphics_ ? t | 0x80 : t;
      l.Attrs[col_] = attribute_;
      markRun(row_, col_, col_);
      ++col_;
      checkAfterByte();
      return;
    }
  }
  if (printerPassThrough_ && printer_)
    printer_->write(std::string_view(reinterpret_cast<const char*>(&c), 1));
  if (literalCount_ >= 1) {
    if (literalCount_ & 1) WriteChar(c);
    --literalCount_;
  } else if (escMode_) {
    collectEscape(c);
  } else {
    processGround(xlatActive_ ? (*currentTable_)[c] : c);
  }
  checkAfterByte();
}

void TScreen::ProcessBlock(std::string_view bytes) {
  ProcessBlock(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

// Byte for byte the same as ProcessChar, with two fast paths: in ground state (no literal count,
// no printer, no insert mode) a run of printable bytes is stored into the cursor line in one pass
// up to the wrap column, and the bytes of an escape sequence are collected in a tight loop.
void TScreen::ProcessBlock(std::span<const std::uint8_t> bytes) {
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* const end = p + bytes.size();
  while (p < end) {
    if (!(literalCount_ != 0 || printerPassThrough_ || escMode_ || insertMode_)) [[likely]] {
      p = groundRun(p, end);
    } else if (literalCount_ != 0 || printerPassThrough_ || insertMode_) {
      ProcessChar(*p++);
    } else {
      while (p < end && escMode_) {
        collectEscape(*p++);
        checkAfterByte();
      }
    }
  }
}

// Ground state from `p`: one control byte, or a run of printable bytes on the cursor line.
[[gnu::always_inline]] inline const std::uint8_t* TScreen::groundRun(const std::uint8_t* p,
                                                                    const std::uint8_t* end) {
  const TranslationTable& table = xlatActive_ ? *currentTable_ : kIdentityTable;
  const int limit = autoWrap_ ? cols_ : kMaxCol;
  std::uint8_t t = table[*p];
  if (t == 0x1B) {
    escLength_ = 0;
    escMode_ = true;
    checkAfterByte();
    return csiRun(p + 1, end);
  }
  if (kControlBytes[t] || col_ >= limit) {
    processGround(t);
    checkAfterByte();
    return p + 1;
  }
  TLine& l = row(row_);
  const std::uint8_t graphics = graphics_ ? 0x80 : 0x00;
  const std::uint8_t attribute = attribute_;
  const std::size_t room = std::min<std::size_t>(end - p, limit - col_);
  std::uint8_t* chars = l.Chars.data() + col_;
  std::uint8_t* attrs = l.Attrs.data() + col_;
  std::size_t k = 0;
  do {
    chars[k] = t | graphics;
    attrs[k] = attribute;
    if (++k == room) break;
    t = table[p[k]];
  } while (!kControlBytes[t]);
  markRun(row_, col_, col_ + static_cast<int>(k) - 1);
  col_ += static_cast<int>(k);
  checkAfterByte();
  return p + k;
}

// Just after ESC: a CSI sequence that lies whole in the block (and does not overflow the buffer)
// is collected in one scan and dispatched; anything else is left to byte-wise collection.
const std::uint8_t* TScreen::csiRun(const std::uint8_t* p, const std::uint8_t* end) {
  if (p == end || *p != '[') return p;
  const std::uint8_t* q = p + 1;
  const std::uint8_t* const stop = std::min(end, q + (kEscBufferSize - 2));
  std::uint8_t* buffer = escBuffer_.data();
  *buffer++ = '[';
  while (q < stop && (kEscClasses[*q] & kCollect)) *buffer++ = *q++;
  if (q == end || (kEscClasses[*q] & kCollect)) return p;  // incomplete here, or near overflow
  escLength_ = static_cast<int>(q - p);
  if (*q == 'm') {  // the most frequent sequence goes straight to its handler
    selectGraphicRendition();
    escLength_ = 0;
    escMode_ = false;
  } else {
    dispatchEscape(*q);
  }
  checkAfterByte();
  return q + 1;
}

void TScreen::processGround(std::uint8_t c) {
  switch (c) {
    case 0x00:
      break;
    case 0x07:
      beep();
      break;
    case 0x08:
      BackSpace();
      break;
    case 0x09:
      Tab();
      break;
    case 0x0A:
      LineFeed();
      if (autoCR_) CarriageReturn();
      break;
    case 0x0D:
      CarriageReturn();
      if (autoLF_) LineFeed();
      break;
    case 0x0E:
      currentTable_ = keyTable_ = &kLineDrawingTable;
      break;
    case 0x0F:
      currentTable_ = keyTable_ = &kAsciiTable;
      break;
    case 0x1B:
      escLength_ = 0;
      escMode_ = true;
      break;
    default:
      if (insertMode_) InsertChars(1);
      WriteChar(c);
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Escape collection

void TScreen::collectEscape(std::uint8_t c) {
  const std::uint8_t cls = kEscClasses[c];
  if (escLength_ == 0) {
    if (cls & kShortFinal)
      dispatchEscape(c);
    else if (cls & (kCollect | kIntro))
      escBuffer_[escLength_++] = c;  // one character never fills the buffer
    else
      dispatchEscape(c);
  } else if (escLength_ == 1 && (kEscClasses[escBuffer_[0]] & kDesignator)) {
    dispatchEscape(c);
  } else if (cls & kCollect) {
    appendEscape(c);
  } else {
    dispatchEscape(c);
  }
}

// Appends to the buffer; the 80th character discards the sequence with a beep.
void TScreen::appendEscape(std::uint8_t c) {
  escBuffer_[escLength_++] = c;
  if (escLength_ < kEscBufferSize) return;
  beep();
  escLength_ = 0;
  escMode_ = false;
}

[[gnu::always_inline]] inline std::uint8_t TScreen::escAt(int pos) const {
  return pos <= escLength_ ? escBuffer_[pos - 1] : 0;
}

// Skips blanks from `pos`, reads a decimal number (0 when there are no digits, saturating at
// 65535) and returns the position after it.
[[gnu::always_inline]] inline int TScreen::getNumber(int pos, int& value) const {
  while (pos <= escLength_ && escBuffer_[pos - 1] == ' ') ++pos;
  value = 0;
  while (pos <= escLength_ && isDigit(escBuffer_[pos - 1])) {
    value = std::min(value * 10 + (escBuffer_[pos - 1] - '0'), kMaxParameter);
    ++pos;
  }
  return pos;
}

// A further parameter: read only when a ';' follows (after blanks); otherwise `value` keeps its
// default.
[[gnu::always_inline]] inline int TScreen::getSecond(int pos, int& value) const {
  while (pos <= escLength_ && escBuffer_[pos - 1] == ' ') ++pos;
  if (escAt(pos) != ';') return pos;
  return getNumber(pos + 1, value);
}

void TScreen::dispatchEscape(std::uint8_t final) {
  if (escLength_ == 0) {
    dispatchShort(final);
  } else {
    switch (escBuffer_[0]) {
      case ' ':
        if (final != 'F') traceSequence(kInvalid, final);
        break;
      case '(':
        if (final == '0' || final == 'B') {
          currentTable_ = keyTable_ = final == '0' ? &kLineDrawingTable : &kAsciiTable;
          xlatActive_ = xlatDefault_;
        } else {
          traceSequence(kInvalid, final);
        }
        break;
      case ')':
      case '*':
      case '+':
        break;  // G1..G3 designations are accepted and have no effect
      case '[':
        dispatchCsi(final);
        break;
      default:
        traceSequence(kInvalid, final);
        break;
    }
  }
  escLength_ = 0;
  escMode_ = false;
}

// ESC c with nothing collected.
void TScreen::dispatchShort(std::uint8_t final) {
  switch (final) {
    case '7':
      SaveCursor();
      break;
    case '8':
      RestoreCursor();
      break;
    case '<':
    case '=':
    case '>':
    case 'H':
      break;
    case 'D':
      ScrollUp(true);
      break;
    case 'E':
      traceSequence(kUnimplemented, final);
      break;
    case 'M':
      ReverseIndex();
      break;
    default:
      traceSequence(kInvalid, final);
      WriteChar(final);  // ESC ESC prints the glyph of the second ESC
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// CSI sequences

void TScreen::dispatchCsi(std::uint8_t final) {
  int n = 0;
  const int next = getNumber(2, n);
  const int count = std::max(n, 1);
  switch (final) {
    case '@':
      InsertChars(count);
      break;
    case 'A':
      row_ = std::max(row_ - count, 0);
      break;
    case 'B':
      row_ = std::min(row_ + count, rows_ - 1);
      break;
    case 'C':
      col_ += count;
      if (col_ >= cols_) {
        if (autoWrap_) {
          // One wrap onto the next row; a column still beyond the line stays at its end.
          col_ = std::min(col_ - cols_, kMaxCol);
          row_ = std::min(row_ + 1, rows_ - 1);
        } else {
          col_ = cols_ - 1;
        }
      }
      break;
    case 'D':
      col_ = std::max(col_ - count, 0);
      break;
    case 'H':
    case 'f': {
      int m = 1;
      getSecond(next, m);
      GotoXY(std::max(m, 1) - 1, count - 1);
      break;
    }
    case 'I':
      privateGroup();
      break;
    case 'J':
      if (n == 0) {
        attribute_ = normal_.attribute();
        EraseToEndOfScreen();
      } else if (n == 1) {
        EraseToStartOfScreen();
      } else if (n == 2) {
        ClearScreen();
      } else {
        traceSequence(kInvalid, final);
      }
      break;
    case 'K':
      EraseToEndOfLine();
      break;
    case 'L':
      InsertLines(count);
      break;
    case 'M':
      DeleteLines(count);
      break;
    case 'P':
      DeleteChars(count);
      break;
    case 'S':
      ScrollUp(true);
      break;
    case 'T':
      traceSequence(kUnimplemented, final);
      break;
    case 'g':
    case '>':
      break;
    case 'h':
    case 'l':
      setMode(final);
      break;
    case 'i':
      if (escAt(2) == '5')
        startPrinter();
      else if (escAt(2) == '4')
        stopPrinter();
      break;
    case 'm':
      selectGraphicRendition();
      break;
    case 'n':
      reportCursorPosition();
      break;
    case 'r':
      setScrollRegion();
      break;
    case 's':
      SaveCursor();
      break;
    case 'u':
      RestoreCursor();
      break;
    default:
      traceSequence(kInvalid, final);
      break;
  }
}

// h / l, decided by the character at position 2.
void TScreen::setMode(std::uint8_t final) {
  const bool set = final == 'h';
  if (!set) scrollBottom_ = rows_ - 1;
  const std::uint8_t kind = escAt(2);
  if (kind == '4') {
    insertMode_ = set;
    traceSequence(kUnimplemented, final);
    return;
  }
  if (kind != '?') {
    traceSequence(kUnimplemented, final);
    return;
  }
  int mode = 0;
  getNumber(3, mode);
  switch (mode) {
    case 1:
      // The bottom row leaves the scroll region (a one-row screen keeps its one row).
      if (set) scrollBottom_ = std::max(rows_ - 2, scrollTop_);
      break;
    case 4:
      break;
    case 7:
      autoWrap_ = set;
      break;
    case 25:
      cursorHidden_ = !set;
      if (OnCursorVisibility) OnCursorVisibility(*this);
      break;
    default:
      traceSequence(kUnimplemented, final);
      break;
  }
}

void TScreen::selectGraphicRendition() {
  if (escLength_ == 1) {
    attribute_ = normal_.attribute();
    return;
  }
  // Locals: stores to the byte-sized attribute would otherwise force the buffer to be re-read.
  const std::uint8_t* const buffer = escBuffer_.data();
  const int length = escLength_;
  std::uint8_t attribute = attribute_;
  int i = 1;  // 0-based index of position 2
  while (i < length) {
    const std::uint8_t c = buffer[i];
    if (c == ' ' || c == ';' || c == '[') {
      ++i;
      continue;
    }
    if (!isDigit(c)) {  // a '?' among the values: no number to apply
      attribute_ = attribute;
      traceSequence(kInvalid, 'm');
      ++i;
      continue;
    }
    int value = 0;
    while (i < length && isDigit(buffer[i]))
      value = std::min(value * 10 + (buffer[i++] - '0'), kMaxParameter);
    if (value >= 30 && value <= 37) {
      attribute = static_cast<std::uint8_t>((attribute & 0xF8) | (value - 30));
    } else if (value >= 40 && value <= 47) {
      attribute = static_cast<std::uint8_t>((attribute & 0x8F) | ((value - 40) << 4));
    } else {
      switch (value) {
        case 0:
        case 27:
          attribute = normal_.attribute();
          break;
        case 1:
          attribute = static_cast<std::uint8_t>((attribute & 0xF0) | bold_.fore);
          break;
        case 4:
          attribute = underline_.attribute();
          break;
        case 5:
          attribute = blink_.attribute();
          break;
        case 7:
          attribute = reverse_.attribute();
          break;
        case 8:
          attribute = 0;
          break;
        case 10:
          graphics_ = false;
          break;
        case 12:
          graphics_ = true;
          break;
        case 22:
          attribute &= 0xF7;
          break;
        default:
          attribute_ = attribute;
          traceSequence(kInvalid, 'm');
          break;
      }
    }
  }
  attribute_ = attribute;
}

void TScreen::setScrollRegion() {
  int top = 0;
  const int next = getNumber(2, top);
  int bottom = 1;
  if (top != 0) getSecond(next, bottom);
  if (top != 0 && top - 1 < bottom - 1 && bottom - 1 < rows_) {
    scrollTop_ = top - 1;
    scrollBottom_ = bottom - 1;
  } else {
    scrollTop_ = 0;
    scrollBottom_ = rows_ - 1;
  }
}

// ESC [ n I: translation on/off, literal bytes, and two accepted no-ops.
void TScreen::privateGroup() {
  int n = 0;
  int pos = getNumber(2, n);
  switch (n) {
    case 0:
      xlatActive_ = true;
      break;
    case 1: {
      int count = 1;
      getSecond(pos, count);
      literalCount_ = count;
      break;
    }
    case 2: {
      int ignored = 0;
      getSecond(pos, ignored);
      break;
    }
    case 3: {
      if (!platform::services().trace->enabled()) break;
      char text[64];
      int len = std::snprintf(text, sizeof text, "Special key ");
      for (int i = 0; i < 4; ++i) {
        int key = 0;
        pos = getSecond(pos, key);
        len += std::snprintf(text + len, sizeof text - len, "%02X", key);
      }
      len += std::snprintf(text + len, sizeof text - len, "\r\n");
      traceLine(std::string_view(text, std::min<std::size_t>(len, sizeof text - 1)));
      break;
    }
    case 4:
      xlatActive_ = false;
      break;
    default:
      traceSequence(kUnimplemented, 'I');
      break;
  }
}

void TScreen::reportCursorPosition() {
  if (!OnCursorPos) return;
  char text[32];
  const int len = std::snprintf(text, sizeof text, "\x1b[%d;%dR", row_ + 1, col_ + 1);
  OnCursorPos(*this, std::string_view(text, len));
}

// ---------------------------------------------------------------------------------------------
// Printer, beep, trace

void TScreen::startPrinter() {
  if (!printer_) {
    printer_ = platform::services().printer->open();
    if (!printer_) {
      platform::services().dialogs->messageBox(kPrinterFailed, "Error",
                                               platform::MessageStyle::Error,
                                               platform::MessageButtons::Ok);
      return;
    }
  }
  printerPassThrough_ = true;
}

void TScreen::stopPrinter() {
  printer_.reset();  // ends the print job
  printerPassThrough_ = false;
}

void TScreen::beep() { platform::services().beeper->beep(); }

// "<prefix><collected characters><final>" CR LF.
void TScreen::traceSequence(std::string_view prefix, std::uint8_t final) {
  if (!platform::services().trace->enabled()) return;
  std::array<char, 128> text;
  std::size_t len = prefix.copy(text.data(), prefix.size());
  len += EscBuffer().copy(text.data() + len, EscBuffer().size());
  text[len++] = static_cast<char>(final);
  text[len++] = '\r';
  text[len++] = '\n';
  traceLine(std::string_view(text.data(), len));
}

// Every trace line is preceded by its own trace of the running counter.
void TScreen::traceLine(std::string_view text) {
  platform::TraceSink& trace = *platform::services().trace;
  char counter[8];
  traceCounter_ = (traceCounter_ + 1) & 0xFFFF;
  std::snprintf(counter, sizeof counter, "%04X ", traceCounter_);
  trace.write(std::string_view(counter, 5));
  trace.write(text);
}

void TScreen::checkAfterByte() const {
#ifdef ONDRIX_ENGINE_CHECKS
  if (const char* broken = CheckInvariants()) {
    std::fprintf(stderr, "TScreen invariant broken: %s\n", broken);
    std::abort();
  }
#endif
}

}  // namespace ondrix::term
