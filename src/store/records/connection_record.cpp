#include "store/records/connection_record.h"

#include <algorithm>
#include <array>

#include "store/records/record_bytes.h"

namespace ondrix::store {
namespace {

// Offsets of the stored layout (see the header).
enum Offset : std::size_t {
  kRecordNo = 0,
  kName = 4,
  kSendWindowSize = 258,
  kHost = 260,
  kPort = 516,
  kEmulation = 520,
  kLines = 528,
  kColumns = 532,
  kAddCR = 536,
  kAddLF = 537,
  kLocalEcho = 538,
  kMonochrome = 539,
  kForceLineDraw = 540,
  kReset = 541,
  kBreak = 797,
  kPaletteNo = 1056,
  kKeyListNo = 1060,
  kColours = 1064,  // ten int32 colour indices
  kFontName = 1104,
  kFontSize = 1360,
  kFontBold = 1364,
  kFontItalic = 1365,
  kFontUnderline = 1366,
};

// The ten colour indices in stored order.
template <typename Record>
auto colourFields(Record& r) {
  return std::array{&r.DefNormalFore,    &r.DefNormalBack,    &r.DefHighFore,
                    &r.DefHighBack,      &r.DefUnderlineFore, &r.DefUnderlineBack,
                    &r.DefBlinkFore,     &r.DefBlinkBack,     &r.DefReverseFore,
                    &r.DefReverseBack};
}

}  // namespace

std::string ConnectionRecord::encode() const {
  RecordWriter w(kSize);
  w.putInt32(kRecordNo, RecordNo);
  w.putText(kName, 253, Name);
  w.putBool(kSendWindowSize, SendWindowSize);
  w.putText(kHost, 255, Host);
  w.putInt32(kPort, Port);
  w.putText(kEmulation, 6, Emulation);
  w.putInt32(kLines, Lines);
  w.putInt32(kColumns, Columns);
  w.putBool(kAddCR, AddCR);
  w.putBool(kAddLF, AddLF);
  w.putBool(kLocalEcho, LocalEcho);
  w.putBool(kMonochrome, Monochrome);
  w.putBool(kForceLineDraw, ForceLineDraw);
  w.putText(kReset, 255, Reset);
  w.putText(kBreak, 255, Break);
  w.putInt32(kPaletteNo, PaletteNo);
  w.putInt32(kKeyListNo, KeyListNo);
  std::size_t offset = kColours;
  for (const std::int32_t* field : colourFields(*this)) {
    w.putInt32(offset, *field);
    offset += 4;
  }
  w.putText(kFontName, 255, FontName);
  w.putInt32(kFontSize, FontSize);
  w.putBool(kFontBold, FontBold);
  w.putBool(kFontItalic, FontItalic);
  w.putBool(kFontUnderline, FontUnderline);
  return w.take();
}

ConnectionRecord ConnectionRecord::decode(std::string_view item) {
  const RecordReader r(item.substr(0, std::min(item.size(), kSize)));
  ConnectionRecord c;
  c.RecordNo = r.int32(kRecordNo);
  c.Name = r.text(kName, 253);
  c.SendWindowSize = r.boolean(kSendWindowSize);
  c.Host = r.text(kHost, 255);
  c.Port = r.int32(kPort);
  c.Emulation = r.text(kEmulation, 6);
  c.Lines = r.int32(kLines);
  c.Columns = r.int32(kColumns);
  c.AddCR = r.boolean(kAddCR);
  c.AddLF = r.boolean(kAddLF);
  c.LocalEcho = r.boolean(kLocalEcho);
  c.Monochrome = r.boolean(kMonochrome);
  c.ForceLineDraw = r.boolean(kForceLineDraw);
  c.Reset = r.text(kReset, 255);
  c.Break = r.text(kBreak, 255);
  c.PaletteNo = r.int32(kPaletteNo);
  c.KeyListNo = r.int32(kKeyListNo);
  std::size_t offset = kColours;
  for (std::int32_t* field : colourFields(c)) {
    *field = r.int32(offset);
    offset += 4;
  }
  c.FontName = r.text(kFontName, 255);
  c.FontSize = r.int32(kFontSize);
  c.FontBold = r.boolean(kFontBold);
  c.FontItalic = r.boolean(kFontItalic);
  c.FontUnderline = r.boolean(kFontUnderline);
  return c;
}

ConnectionRecord ConnectionRecord::missing() {
  ConnectionRecord c;
  c.RecordNo = -1;
  return c;
}

}  // namespace ondrix::store
