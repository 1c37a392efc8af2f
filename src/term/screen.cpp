// The screen buffer: cursor movement, printing, scrolling, erasing, the scroll-back history.
//
// Storage: the visible rows and the history lines are reached through maps into one pool of
// lines, so scrolling a region rotates up to 100 two-byte entries instead of copying line records,
// and a line that scrolls off the top trades places with the history line it replaces. The history
// is a ring of 1501 entries whose index 0 sits at historyHead_, so dropping the oldest line is one
// step of the head. Every index and count the owner sees (history 0..1500 with 1500 the newest,
// HistoryCount, PushedCount) behaves as if the lines were shifted.

#include "term/screen.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/printer.h"

namespace ondrix::term {

// Word-sized stores the compiler keeps inline: clearing whole screens is frequent traffic.
void TLine::Clear(std::uint8_t attribute) {
  constexpr std::uint64_t kBlanks = 0x2020202020202020ull;
  const std::uint64_t attrs = attribute * 0x0101010101010101ull;
  for (int i = 0; i + 8 <= kLineColumns; i += 8) {
    std::memcpy(Chars.data() + i, &kBlanks, 8);
    std::memcpy(Attrs.data() + i, &attrs, 8);
  }
  Chars[kLineColumns - 1] = 0x20;
  Attrs[kLineColumns - 1] = attribute;
}

namespace {

// Every line of a new screen is blank with the creation attribute.
template <typename Block>
void fillBlank(Block& block) {
  for (TLine& l : block.lines) l.Clear(kCreateAttribute);
  for (TLine& l : block.pushed) l.Clear(kCreateAttribute);
}

}  // namespace

std::unique_ptr<TScreen::Block> TScreen::newBlock() {
  auto block = std::make_unique_for_overwrite<Block>();
  fillBlank(*block);
  return block;
}

#ifdef ONDRIX_FUZZ_BUILD
// Fuzz builds create one or two screens for every input: the blocks of the last two screens
// destroyed are kept for the next ones, with the lines each wrote blanked again (its rows, the
// lines that scrolled into its history, its pushed-down lines). That saves 1.8 MB of fresh pages
// and 4,503 line clears per screen, most of an input's time.
namespace {
template <typename Block>
std::vector<std::unique_ptr<Block>>& spareBlocks() {
  thread_local std::vector<std::unique_ptr<Block>> spares;
  return spares;
}
}  // namespace

std::unique_ptr<TScreen::Block> TScreen::reuseBlock() {
  auto& spares = spareBlocks<Block>();
  if (spares.empty()) return newBlock();
  std::unique_ptr<Block> block = std::move(spares.back());
  spares.pop_back();
  return block;
}

void TScreen::retireBlock() {
  auto& spares = spareBlocks<Block>();
  if (spares.size() >= 2) return;
  static const TLine blank = [] {
    TLine l;
    l.Clear(kCreateAttribute);
    return l;
  }();
  for (const std::uint16_t line : rowMap_) block_->lines[line] = blank;
  for (std::size_t line = intoHistory_._Find_first(); line < intoHistory_.size();
       line = intoHistory_._Find_next(line))
    block_->lines[line] = blank;
  std::fill_n(block_->pushed.begin(), pushedHigh_, blank);
  spares.push_back(std::move(block_));
}
#else
std::unique_ptr<TScreen::Block> TScreen::reuseBlock() { return newBlock(); }

void TScreen::retireBlock() {}
#endif

TScreen::TScreen() : block_(reuseBlock()) {
  blankAs_.fill(kCreateAttribute);
  for (int i = 0; i < kScreenLines; ++i) rowMap_[i] = static_cast<std::uint16_t>(i);
  for (int i = 0; i < kHistoryLines; ++i) historyMap_[i] = static_cast<std::uint16_t>(kScreenLines + i);
  ResetChanged();
}

TScreen::~TScreen() { retireBlock(); }

// ---------------------------------------------------------------------------------------------
// Colours

void TScreen::SetNormalColors(int fore, int back) {
  normal_ = {static_cast<std::uint8_t>(fore & 0x0F), static_cast<std::uint8_t>(back & 0x0F)};
  attribute_ = normal_.attribute();
  for (int r = 0; r < kScreenLines; ++r) std::memset(row(r).Attrs.data(), attribute_, kLineColumns);
}

void TScreen::SetBoldColors(int fore, int back) {
  bold_ = {static_cast<std::uint8_t>(fore & 0x0F), static_cast<std::uint8_t>(back & 0x0F)};
}
void TScreen::SetUnderlineColors(int fore, int back) {
  underline_ = {static_cast<std::uint8_t>(fore & 0x0F), static_cast<std::uint8_t>(back & 0x0F)};
}
void TScreen::SetBlinkColors(int fore, int back) {
  blink_ = {static_cast<std::uint8_t>(fore & 0x0F), static_cast<std::uint8_t>(back & 0x0F)};
}
void TScreen::SetReverseColors(int fore, int back) {
  reverse_ = {static_cast<std::uint8_t>(fore & 0x0F), static_cast<std::uint8_t>(back & 0x0F)};
}

// ---------------------------------------------------------------------------------------------
// Size

void TScreen::SetRows(int n) {
  n = std::clamp(n, 1, kMaxRows);
  if (n == rows_) return;
  rows_ = n;
  scrollBottom_ = n - 1;
  // The top of the region is kept, unless it now lies below the screen's last row.
  if (scrollTop_ > scrollBottom_) scrollTop_ = 0;
  ClearScreen();
}

void TScreen::SetCols(int n) {
  n = std::clamp(n, 1, kMaxCols);
  if (n == cols_) return;
  cols_ = n;
  ClearScreen();
}

// ---------------------------------------------------------------------------------------------
// Cursor and printing

void TScreen::GotoXY(int col, int row) {
  col_ = std::clamp(col, 0, cols_ - 1);
  row_ = std::clamp(row, 0, rows_ - 1);
}

void TScreen::WriteChar(std::uint8_t ch) {
  if (col_ >= cols_ && autoWrap_) {
    col_ = 0;
    if (++row_ >= rows_) {
      --row_;
      ScrollUp(true);
    }
  }
  if (graphics_) ch |= 0x80;
  TLine& l = row(row_);
  l.Chars[col_] = ch;
  l.Attrs[col_] = attribute_;
  MarkChanged(row_, col_);
  if (col_ < kMaxCol) ++col_;
}

void TScreen::LineFeed() {
  if (++row_ > scrollBottom_) {
    row_ = scrollBottom_;
    ScrollUp(true);
  }
}

void TScreen::CarriageReturn() { col_ = 0; }

void TScreen::BackSpace() {
  if (col_ > 0) --col_;
}

void TScreen::Tab() {
  if (col_ >= kMaxCol) return;
  ++col_;
  while (col_ % 8 != 0 && col_ < kMaxCol) ++col_;
}

void TScreen::SaveCursor() {
  savedRow_ = row_;
  savedCol_ = col_;
}

void TScreen::RestoreCursor() {
  if (savedRow_ == -1)
    GotoXY(0, 0);
  else
    GotoXY(savedCol_, savedRow_);
  savedRow_ = -1;
  savedCol_ = -1;
}

void TScreen::ReverseIndex() {
  if (--row_ < scrollTop_) {
    row_ = scrollTop_;
    ScrollDown(false);
  }
}

// ---------------------------------------------------------------------------------------------
// Scrolling

TLine& TScreen::historySlot(int index) {
  return block_->lines[historyMap_[(historyHead_ + index) % kHistoryLines]];
}

const TLine& TScreen::HistoryLine(int index) const {
  return block_->lines[historyMap_[(historyHead_ + index) % kHistoryLines]];
}

void TScreen::clearRow(int r) {
  const std::uint16_t line = rowMap_[r];
  if (blankAs_[line] == attribute_) return;
  block_->lines[line].Clear(attribute_);
  blankAs_[line] = attribute_;
}

void TScreen::clearRows(int first, int last) {
  for (int r = first; r <= last; ++r) clearRow(r);
}

// Visible rows first..last-1 rotate so that row `middle` becomes row `first`.
void TScreen::rotateRows(int first, int middle, int last) {
  std::uint16_t* map = rowMap_.data();
  if (middle == first + 1) {  // scrolling up by one line
    const std::uint16_t moved = map[first];
    std::memmove(map + first, map + middle, (last - middle) * sizeof *map);
    map[last - 1] = moved;
  } else if (middle == last - 1) {  // scrolling down by one line
    const std::uint16_t moved = map[middle];
    std::memmove(map + first + 1, map + first, (middle - first) * sizeof *map);
    map[first] = moved;
  } else {
    std::rotate(map + first, map + middle, map + last);
  }
}

void TScreen::ScrollUp(bool save) {
  if (save) {
    int slot;  // the ring slot of the history index that receives the top row
    if (historyCount_ >= kHistoryFull) {
      slot = historyHead_;  // the oldest line drops out and its slot becomes index 1500
      historyHead_ = (historyHead_ + 1) % kHistoryLines;
    } else {
      slot = (historyHead_ + historyCount_++) % kHistoryLines;
    }
    // The top row's line joins the history; the line it replaces is cleared as the bottom row.
    std::swap(historyMap_[slot], rowMap_[scrollTop_]);
#ifdef ONDRIX_FUZZ_BUILD
    intoHistory_.set(historyMap_[slot]);
#endif
  }
  if (scrollTop_ <= scrollBottom_) rotateRows(scrollTop_, scrollTop_ + 1, scrollBottom_ + 1);
  clearRow(scrollBottom_);
  allDirty_ = true;
}

void TScreen::ScrollDown(bool save) {
  if (save && pushedCount_ < kPushedLines) block_->pushed[pushedCount_++] = row(scrollBottom_);
#ifdef ONDRIX_FUZZ_BUILD
  pushedHigh_ = std::max(pushedHigh_, pushedCount_);
#endif
  if (scrollTop_ <= scrollBottom_) rotateRows(scrollTop_, scrollBottom_, scrollBottom_ + 1);
  clearRow(scrollTop_);
  allDirty_ = true;
}

// Browsing back shows history line HistoryCount and then counts it off, so the newest line (1500)
// comes first and every line that scrolled off is seen once; line 0, the oldest of the 1501,
// stays behind the refusal at HistoryCount 0, which keeps 1500 lines to browse.
bool TScreen::HistoryLineBack() {
  if (historyCount_ <= 0 || pushedCount_ >= kPushedLines) return false;
  ScrollDown(true);
  row(scrollTop_) = historySlot(historyCount_);
  --historyCount_;
  return true;
}

bool TScreen::HistoryLineForward() {
  if (pushedCount_ <= 0) return false;
  ScrollUp(false);
  --pushedCount_;
  // Lines scrolled in while browsing have already refilled the history; it never exceeds full.
  historyCount_ = std::min(historyCount_ + 1, kHistoryFull);
  row(scrollBottom_) = block_->pushed[pushedCount_];
  return true;
}

// ---------------------------------------------------------------------------------------------
// Erasing

void TScreen::ClearScreen() {
  clearRows(0, rows_ - 1);
  row_ = 0;
  col_ = 0;
  allDirty_ = true;
}

void TScreen::EraseToEndOfLine() {
  if (col_ < cols_) {
    TLine& l = row(row_);
    std::memset(l.Chars.data() + col_, 0x20, cols_ - col_);
    std::memset(l.Attrs.data() + col_, attribute_, cols_ - col_);
  }
  MarkChanged(row_, col_);
  MarkChanged(row_, cols_);
}

void TScreen::EraseToEndOfScreen() {
  EraseToEndOfLine();
  clearRows(row_ + 1, rows_ - 1);
  if (row_ == 0) {
    allDirty_ = true;
  } else {
    MarkChanged(row_, 0);
    MarkChanged(rows_, cols_);
  }
}

void TScreen::EraseToStartOfScreen() {
  clearRows(0, row_);
  MarkChanged(0, 0);
  MarkChanged(row_, cols_);
}

// ---------------------------------------------------------------------------------------------
// Inserting and deleting

void TScreen::InsertChars(int n) {
  n = std::max(n, 1);
  if (cols_ - col_ - n <= 0) {
    EraseToEndOfLine();
    return;
  }
  TLine& l = row(row_);
  const int moved = cols_ - col_ - n;
  std::memmove(l.Chars.data() + col_ + n, l.Chars.data() + col_, moved);
  std::memmove(l.Attrs.data() + col_ + n, l.Attrs.data() + col_, moved);
  std::memset(l.Chars.data() + col_, 0x20, n);
  std::memset(l.Attrs.data() + col_, attribute_, n);
  MarkChanged(row_, col_);
  MarkChanged(row_, cols_ - 1);
}

void TScreen::DeleteChars(int n) {
  n = std::min(std::max(n, 1), cols_ - col_);
  if (n > 0) {
    TLine& l = row(row_);
    const int moved = cols_ - col_ - n;
    std::memmove(l.Chars.data() + col_, l.Chars.data() + col_ + n, moved);
    std::memmove(l.Attrs.data() + col_, l.Attrs.data() + col_ + n, moved);
    std::memset(l.Chars.data() + cols_ - n, 0x20, n);
    std::memset(l.Attrs.data() + cols_ - n, attribute_, n);
  }
  MarkChanged(row_, col_);
  MarkChanged(row_, cols_);
}

void TScreen::InsertLines(int n) {
  n = std::max(n, 1);
  col_ = 0;
  if (row_ + n > scrollBottom_) {
    clearRows(row_, scrollBottom_);
  } else {
    // Rows row_..scrollBottom_-n move down by n; the n lines pushed out re-enter at the cursor.
    rotateRows(row_, scrollBottom_ + 1 - n, scrollBottom_ + 1);
    clearRows(row_, row_ + n - 1);
  }
  allDirty_ = true;
}

void TScreen::DeleteLines(int n) {
  n = std::max(n, 1);
  allDirty_ = true;
  col_ = 0;
  if (row_ + n > scrollBottom_) {
    clearRows(row_, scrollBottom_);
  } else {
    clearRows(row_, row_ + n - 1);
    rotateRows(row_, row_ + n, scrollBottom_ + 1);  // the cleared lines go to the region's bottom
  }
}

// ---------------------------------------------------------------------------------------------
// Changed area

void TScreen::MarkChanged(int row, int col) {
  if (allDirty_) return;
  minRow_ = std::min(minRow_, row);
  maxRow_ = std::max(maxRow_, row);
  minCol_ = std::min(minCol_, col);
  maxCol_ = std::max(maxCol_, col);
}

void TScreen::ResetChanged() {
  minCol_ = 9999;
  minRow_ = 9999;
  maxCol_ = -1;
  maxRow_ = -1;
  allDirty_ = false;
}

// ---------------------------------------------------------------------------------------------
// Invariants

const char* TScreen::CheckInvariants() const {
  if (rows_ < 1 || rows_ > kMaxRows) return "Rows outside 1..100";
  if (cols_ < 1 || cols_ > kMaxCols) return "Cols outside 1..200";
  if (row_ < 0 || row_ >= rows_) return "cursor row outside the screen";
  if (col_ < 0 || col_ > kMaxCol) return "cursor column outside 0..200";
  if (scrollTop_ < 0 || scrollTop_ > scrollBottom_ || scrollBottom_ >= rows_)
    return "scroll region outside the screen";
  if (historyCount_ < 0 || historyCount_ > kHistoryFull) return "HistoryCount outside 0..1500";
  if (pushedCount_ < 0 || pushedCount_ > kPushedLines) return "PushedCount outside 0..1501";
  if (literalCount_ < 0) return "negative LiteralCount";
  if (escLength_ < 0 || escLength_ >= kEscBufferSize) return "escape buffer overflow";
  if (escLength_ > 0 && !escMode_) return "escape buffer filled outside escape mode";
  if (savedRow_ < -1 || savedCol_ < -1) return "saved cursor below -1";
  return nullptr;
}

}  // namespace ondrix::term
