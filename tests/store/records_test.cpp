#include <gtest/gtest.h>

#include <string>

#include "store/records/connection_record.h"
#include "store/records/event_record.h"
#include "store/records/keylist_record.h"
#include "store/records/palette_record.h"
#include "store/records/record_bytes.h"

namespace ondrix::store {
namespace {

std::int32_t int32At(const std::string& bytes, std::size_t offset) {
  return RecordReader(bytes).int32(offset);
}
std::string textAt(const std::string& bytes, std::size_t offset, std::size_t room) {
  return RecordReader(bytes).text(offset, room);
}

ConnectionRecord sampleConnection() {
  ConnectionRecord c;
  c.RecordNo = 7;
  c.Name = "Mail host";
  c.SendWindowSize = true;
  c.Host = "mail.example.net";
  c.Port = 2323;
  c.Emulation = "VT220";
  c.Lines = 40;
  c.Columns = 132;
  c.AddCR = true;
  c.LocalEcho = true;
  c.ForceLineDraw = true;
  c.Reset = "^[c";
  c.Break = "^C";
  c.PaletteNo = 3;
  c.KeyListNo = 2;
  c.DefNormalFore = 8;
  c.DefNormalBack = 1;
  c.DefHighFore = 16;
  c.DefHighBack = 2;
  c.DefUnderlineFore = 12;
  c.DefUnderlineBack = 3;
  c.DefBlinkFore = 14;
  c.DefBlinkBack = 4;
  c.DefReverseFore = 1;
  c.DefReverseBack = 9;
  c.FontName = "Terminal";
  c.FontSize = 12;
  c.FontItalic = true;
  return c;
}

TEST(ConnectionRecordLayout, EveryFieldAtItsOffset) {
  const std::string b = sampleConnection().encode();
  ASSERT_EQ(b.size(), 1368u);
  EXPECT_EQ(int32At(b, 0), 7);
  EXPECT_EQ(textAt(b, 4, 253), "Mail host");
  EXPECT_EQ(b[258], 1);
  EXPECT_EQ(textAt(b, 260, 255), "mail.example.net");
  EXPECT_EQ(int32At(b, 516), 2323);
  EXPECT_EQ(textAt(b, 520, 6), "VT220");
  EXPECT_EQ(int32At(b, 528), 40);
  EXPECT_EQ(int32At(b, 532), 132);
  EXPECT_EQ(std::string(b.substr(536, 5)), std::string("\1\0\1\0\1", 5));
  EXPECT_EQ(textAt(b, 541, 255), "^[c");
  EXPECT_EQ(textAt(b, 797, 255), "^C");
  EXPECT_EQ(int32At(b, 1056), 3);
  EXPECT_EQ(int32At(b, 1060), 2);
  const int colours[] = {8, 1, 16, 2, 12, 3, 14, 4, 1, 9};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(int32At(b, 1064 + 4 * i), colours[i]) << i;
  EXPECT_EQ(textAt(b, 1104, 255), "Terminal");
  EXPECT_EQ(int32At(b, 1360), 12);
  EXPECT_EQ(std::string(b.substr(1364, 4)), std::string("\0\1\0\0", 4));
  // Padding and unused room stay zero.
  for (std::size_t pad : {259u, 527u, 1053u, 1054u, 1055u, 1367u}) EXPECT_EQ(b[pad], 0) << pad;
  EXPECT_EQ(b.find_first_not_of('\0', 4 + 1 + 9), 258u);
}

TEST(ConnectionRecordLayout, RoundTripsAndToleratesShortOrOverlongItems) {
  const ConnectionRecord c = sampleConnection();
  EXPECT_EQ(ConnectionRecord::decode(c.encode()), c);
  // Trailing bytes beyond the record are ignored; a short item reads as zero-padded.
  EXPECT_EQ(ConnectionRecord::decode(c.encode() + "junk"), c);
  const ConnectionRecord shortItem = ConnectionRecord::decode(c.encode().substr(0, 300));
  EXPECT_EQ(shortItem.Name, "Mail host");
  EXPECT_EQ(shortItem.Port, 0);
  EXPECT_EQ(shortItem.FontName, "");
  // Texts longer than their room are cut, and a damaged length byte cannot read past the room.
  ConnectionRecord longName = c;
  longName.Emulation = "VT220-extended";
  EXPECT_EQ(ConnectionRecord::decode(longName.encode()).Emulation, "VT220-");
  std::string damaged = c.encode();
  damaged[520] = static_cast<char>(200);
  EXPECT_EQ(ConnectionRecord::decode(damaged).Emulation.size(), 6u);
}

TEST(PaletteRecordLayout, NameAndColoursAtTheirOffsets) {
  PaletteRecord p;
  p.RecordNo = 2;
  p.Name = "Amber";
  for (std::uint32_t i = 0; i < 16; ++i) p.Colors[i] = 0x00010203u * (i + 1);
  const std::string b = p.encode();
  ASSERT_EQ(b.size(), 132u);
  EXPECT_EQ(int32At(b, 0), 2);
  EXPECT_EQ(textAt(b, 4, 60), "Amber");
  EXPECT_EQ(std::string(b.substr(65, 3)), std::string(3, '\0'));
  EXPECT_EQ(static_cast<std::uint32_t>(int32At(b, 68)), 0x00010203u);
  EXPECT_EQ(static_cast<std::uint32_t>(int32At(b, 128)), 0x00010203u * 16);
  EXPECT_EQ(PaletteRecord::decode(b), p);
}

TEST(KeylistRecordLayout, FixedPartEntriesAndDamagedCounts) {
  TKeyItem k;
  k.RecordNo = 5;
  k.Name = "Lab keys";
  EXPECT_EQ(k.encode().size(), 263u);  // no entries: the fixed part only
  k.Entries.push_back({"SHIFT+F1", "\\e[25~", 59, true, false, false, false});
  k.Entries.push_back({"UP", "\\e[A", 72, false, false, false, true});
  const std::string b = k.encode();
  ASSERT_EQ(b.size(), 263u + 2 * 282u);
  EXPECT_EQ(textAt(b, 4, 254), "Lab keys");
  EXPECT_EQ(int32At(b, 259), 2);
  EXPECT_EQ(textAt(b, 263, 20), "SHIFT+F1");
  EXPECT_EQ(textAt(b, 263 + 21, 255), "\\e[25~");
  EXPECT_EQ(std::string(b.substr(263 + 277, 5)), std::string("\x3b\1\0\0\0", 5));
  EXPECT_EQ(std::string(b.substr(263 + 282 + 277, 5)), std::string("\x48\0\0\0\1", 5));
  EXPECT_EQ(TKeyItem::decode(b), k);

  // A count larger than the item holds reads only the whole entries present; a negative count
  // reads none.
  std::string lying = b;
  lying[259] = 100;
  EXPECT_EQ(TKeyItem::decode(lying).Entries.size(), 2u);
  lying[259] = lying[260] = lying[261] = lying[262] = static_cast<char>(0xFF);
  EXPECT_TRUE(TKeyItem::decode(lying).Entries.empty());
  EXPECT_EQ(TKeyItem::decode(b.substr(0, 263 + 281)).Entries.size(), 0u);
}

TEST(EventRecordLayout, KeysItemsAndTruncation) {
  struct KeyCase {
    const char* name;
    int kind;
    const char* key;
  };
  for (const KeyCase& c : {KeyCase{"System", 5, "System5"}, KeyCase{"Mail host", 1, "Mail host1"},
                           KeyCase{"Lab", 3, "Lab3"}, KeyCase{"Lab3", 1, "Lab31"}})
    EXPECT_EQ(EventRec::key(c.name, c.kind), c.key);

  const EventRec e{"Lab", 2, 1, "begin end."};
  const std::string b = e.encode();
  ASSERT_EQ(b.size(), 264u + 10u);
  EXPECT_EQ(textAt(b, 0, 254), "Lab");
  EXPECT_EQ(int32At(b, 255), 2);
  EXPECT_EQ(b[259], 1);
  EXPECT_EQ(int32At(b, 260), 10);
  EXPECT_EQ(b.substr(264), "begin end.");
  EXPECT_EQ(EventRec::decode(b), e);
  EXPECT_FALSE(EventRec::decode(b.substr(0, 270)).has_value());  // script cut short
  EXPECT_FALSE(EventRec::decode(b.substr(0, 200)).has_value());  // fixed part cut short
  EXPECT_EQ(eventKindName(1), "OnBeforeConnect");
  EXPECT_EQ(eventKindName(6), "OnStop");
  EXPECT_EQ(eventKindName(7), "");
}

TEST(AddinItemLayout, ParentCaptionScript) {
  const AddinItem a{3, "Fetch mail", "begin end."};
  const std::string b = a.encode();
  EXPECT_EQ(b.size(), 4u + 4u + 10u + 4u + 10u);
  EXPECT_EQ(AddinItem::decode(b), a);
  // An item that ends after its caption has no script; a caption cut short cannot be read.
  const auto menuOnly = AddinItem::decode(b.substr(0, 18));
  ASSERT_TRUE(menuOnly.has_value());
  EXPECT_EQ(menuOnly->Caption, "Fetch mail");
  EXPECT_EQ(menuOnly->Script, "");
  EXPECT_FALSE(AddinItem::decode(b.substr(0, 12)).has_value());
  EXPECT_FALSE(AddinItem::decode(b.substr(0, 25)).has_value());
  // A script length of zero or less means no script.
  std::string noScript = b.substr(0, 18);
  appendInt32(noScript, -5);
  EXPECT_EQ(AddinItem::decode(noScript)->Script, "");
}

}  // namespace
}  // namespace ondrix::store
