#include "store/compressor.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace ondrix::store {
namespace {

std::string bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s.push_back(static_cast<char>(b));
  return s;
}

std::string compressed(std::string_view input) {
  std::string out;
  const std::size_t written = compressItem(input, out);
  EXPECT_EQ(written, out.size());
  return out;
}

std::string randomBytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (auto& c : s) c = static_cast<char>(gen());
  return s;
}

std::string sampleText(std::size_t n) {
  static const std::string words[] = {"connection ", "keylist ", "palette ", "\r\n", "host=",
                                      "telnet ", "23 ", "VT100 ", "ANSI ", "script "};
  std::mt19937 gen(7);
  std::string s;
  while (s.size() < n) s += words[gen() % 10];
  s.resize(n);
  return s;
}

TEST(Compressor, EmptyItemHasNoBlocks) { EXPECT_EQ(compressed(""), ""); }

TEST(Compressor, ExactBytesOfSmallBlocks) {
  // Three literals and a back reference of distance 3, length 9.
  EXPECT_EQ(compressed("abcabcabcabc"), bytes({8, 0, 0x40, 0x10, 0x00, 'a', 'b', 'c', 0x00, 0x36}));
  // Sixteen literals fill the first control word; two copies go under the second one.
  const std::string alphabet = "abcdefghijklmnop";
  std::string expected = bytes({25, 0, 0x40, 0x00, 0x00}) + alphabet +
                         bytes({0xC0, 0x00, 0x01, 0x0F, 0x02, 0x0B});
  EXPECT_EQ(compressed(alphabet + alphabet + alphabet), expected);
}

TEST(Compressor, EqualBytesBecomeRunsThenALiteralAndAShortCopy) {
  const std::string out = compressed(std::string(32768, 'a'));
  std::string expected = bytes({38, 0, 0x40, 0xFF, 0x40});
  for (int i = 0; i < 8; ++i) expected += bytes({0x00, 0x0F, 0xEF, 'a'});  // 8 runs of 4095
  expected += bytes({'a', 0x00, 0x14});  // a literal, then a copy of distance 1, length 7
  EXPECT_EQ(out, expected);
}

TEST(Compressor, RunLengthsAtTheirLimits) {
  struct Case {
    std::size_t count;
    std::string expected;
  };
  const std::vector<Case> cases = {
      // 15 equal bytes are no run: a literal and a copy of distance 1, length 14.
      {15, bytes({6, 0, 0x40, 0x40, 0x00, 'z', 0x00, 0x1B})},
      {16, bytes({7, 0, 0x40, 0x80, 0x00, 0x00, 0x00, 0x00, 'z'})},
      {17, bytes({7, 0, 0x40, 0x80, 0x00, 0x00, 0x00, 0x01, 'z'})},
      {4095, bytes({7, 0, 0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 'z'})},
      {4096, bytes({8, 0, 0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 'z', 'z'})},
  };
  for (const auto& c : cases) EXPECT_EQ(compressed(std::string(c.count, 'z')), c.expected) << c.count;
}

TEST(Compressor, BlocksThatDoNotShrinkAreStored) {
  for (std::size_t n : {1u, 2u, 3u, 100u, 32768u}) {
    const std::string input = randomBytes(n, 11);
    const std::string out = compressed(input);
    ASSERT_EQ(out.size(), n + 3) << n;
    EXPECT_EQ(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8), n + 1);
    EXPECT_EQ(static_cast<unsigned char>(out[2]), kMethodStored);
    EXPECT_EQ(out.substr(3), input);
  }
}

TEST(Compressor, ItemsSplitIntoBlocksOf32768) {
  const std::string input = sampleText(32768) + "Q";
  const std::string out = compressed(input);
  const std::size_t first = static_cast<unsigned char>(out[0]) |
                            (static_cast<unsigned char>(out[1]) << 8);
  ASSERT_EQ(out.size(), 2 + first + 4);
  EXPECT_EQ(out.substr(2 + first), bytes({2, 0, 0x80, 'Q'}));
}

TEST(Compressor, RoundTripsTextBinaryAndRuns) {
  std::string mixed = sampleText(5000) + std::string(5000, '\0') + randomBytes(5000, 3) +
                      std::string(20, 'x') + sampleText(70000);
  const std::vector<std::string> inputs = {
      "a", "ab", "abc", sampleText(17), sampleText(32767), sampleText(32768), sampleText(32769),
      randomBytes(100000, 5), std::string(100000, '\x7f'), mixed};
  for (const auto& input : inputs) {
    std::string decoded;
    ASSERT_TRUE(decompressItem(compressed(input), decoded)) << input.size();
    EXPECT_EQ(decoded, input) << input.size();
  }
}

TEST(Decompressor, OverlappingCopyRepeatsTheLastByte) {
  std::string out;
  const std::string block = bytes({0x40, 0x40, 0x00, 'x', 0x00, 0x1F});
  ASSERT_TRUE(decompressItem(bytes({6, 0}) + block, out));
  EXPECT_EQ(out, std::string(19, 'x'));
}

TEST(Decompressor, ShortBlocksYieldNothing) {
  std::string out;
  EXPECT_TRUE(decompressItem(bytes({0, 0, 1, 0, 0x40}), out));
  EXPECT_EQ(out, "");
}

TEST(Decompressor, RejectsMalformedItems) {
  std::string stored32769 = bytes({0x02, 0x80, 0x80}) + std::string(32769, 's');
  std::string tooManyRuns = bytes({0x2B, 0x00, 0x40, 0xFF, 0xC0});
  for (int i = 0; i < 10; ++i) tooManyRuns += bytes({0x00, 0x0F, 0xEF, 'r'});  // 40,950 bytes
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"copy before the output start", bytes({5, 0, 0x40, 0x80, 0x00, 0x00, 0x10})},
      {"distance past the output", bytes({6, 0, 0x40, 0x40, 0x00, 'a', 0x00, 0x20})},
      {"copy code cut off", bytes({5, 0, 0x40, 0x40, 0x00, 'a', 0x00})},
      {"run code cut off", bytes({6, 0, 0x40, 0x80, 0x00, 0x00, 0x00, 0x10})},
      {"control word cut off", bytes({2, 0, 0x40, 0x00})},
      {"second control word cut off",
       bytes({20, 0, 0x40, 0x00, 0x00}) + std::string(16, 'l') + bytes({0x00})},
      {"unknown method", bytes({3, 0, 0x41, 0x00, 0x00})},
      {"stored block above 32768", stored32769},
      {"runs above 32768", tooManyRuns},
      {"block length past the item", bytes({9, 0, 0x80, 'a'})},
      {"dangling length byte", bytes({2, 0, 0x80, 'a', 7})},
  };
  for (const auto& [name, item] : cases) {
    std::string out;
    EXPECT_FALSE(decompressItem(item, out)) << name;
  }
}

}  // namespace
}  // namespace ondrix::store
