// The interpreter gives the same screen whatever the block boundaries: a whole stream, byte by
// byte through ProcessChar, and split into blocks anywhere (sequences span received blocks).

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <thread>

#include "platform/read_blocks.h"
#include "screen_fixture.h"

namespace ondrix::term::testing {
namespace {

// Random streams built from text, controls, sequences and their fragments.
std::string randomStream(std::mt19937& rng, int pieces) {
  static const char* const kPieces[] = {
      "hello ", "world", "\r\n", "\n", "\r", "\t", "\b", "\a", "\x0e", "\x0f", "\x1b", "\x1b[",
      "\x1b[2J", "\x1b[J", "\x1b[1J", "\x1b[K", "\x1b[5;10H", "\x1b[H", "\x1b[3A", "\x1b[4B",
      "\x1b[7C", "\x1b[2D", "\x1b[12C", "\x1b[1;31;44m", "\x1b[m", "\x1b[4;1m", "\x1b[12m",
      "\x1b[10m", "\x1b[3;12r", "\x1b[r", "\x1b[2L", "\x1b[3M", "\x1b[4P", "\x1b[5@", "\x1b" "D",
      "\x1bM", "\x1b" "7", "\x1b" "8", "\x1b(0", "\x1b(B", "lqqk", "\x1b[4h", "\x1b[4l",
      "\x1b[?7l", "\x1b[?7h", "\x1b[?1h", "\x1b[?25l", "\x1b[6n", "\x1b[1;3I", "\x1b[4I",
      "\x1b[0I", "\x1b\x1b", "\xe9\xe0\xa4\x85", "\x1b[S", "\x1b[s", "\x1b[u", ";", "7", "?",
      "\x1b[99999999999C", "\x1b[5i", "\x1b[4i"};
  std::string s;
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int i = 0; i < pieces; ++i) {
    if (i % 7 == 6)
      s += static_cast<char>(byte(rng));
    else
      s += kPieces[pick(rng)];
  }
  return s;
}

class Chunking : public ScreenTest {};

TEST_F(Chunking, BlockBytewiseAndRandomSplitsAgree) {
  std::mt19937 rng(20261208);
  for (int round = 0; round < 60; ++round) {
    const std::string stream = randomStream(rng, 400);
    auto whole = makeScreen(25, 80);
    whole->ProcessBlock(stream);
    auto bytewise = makeScreen(25, 80);
    for (char c : stream) bytewise->ProcessChar(static_cast<std::uint8_t>(c));
    auto split = makeScreen(25, 80);
    std::uniform_int_distribution<std::size_t> len(1, 40);
    for (std::size_t at = 0; at < stream.size();) {
      const std::size_t n = std::min(len(rng), stream.size() - at);
      split->ProcessBlock(std::string_view(stream).substr(at, n));
      at += n;
    }
    const std::string expected = stateOf(*bytewise);
    ASSERT_EQ(stateOf(*whole), expected) << "round " << round;
    ASSERT_EQ(stateOf(*split), expected) << "round " << round;
  }
}

TEST_F(Chunking, EverySplitPointOfASequenceRichStream) {
  const std::string stream =
      "ab\x1b[1;31mcd\x1b[3;5Hx\x1b(0lq\x1b(B\x1b[1;2Iuvw\x1b[2\ryz\x1b\x1b\x1b[?25l\xe9";
  auto reference = makeScreen(25, 80);
  reference->ProcessBlock(stream);
  for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
    auto s = makeScreen(25, 80);
    s->ProcessBlock(std::string_view(stream).substr(0, cut));
    s->ProcessBlock(std::string_view(stream).substr(cut));
    ASSERT_EQ(stateOf(*s), stateOf(*reference)) << "cut at " << cut;
  }
}

TEST_F(Chunking, SmallAndNarrowScreensAgreeToo) {
  std::mt19937 rng(7);
  for (auto [rows, cols] : {std::pair{1, 1}, std::pair{2, 3}, std::pair{100, 200}, std::pair{5, 9}}) {
    const std::string stream = randomStream(rng, 600);
    auto whole = makeScreen(rows, cols);
    whole->ProcessBlock(stream);
    auto bytewise = makeScreen(rows, cols);
    for (char c : stream) bytewise->ProcessChar(static_cast<std::uint8_t>(c));
    ASSERT_EQ(stateOf(*whole), stateOf(*bytewise)) << rows << "x" << cols;
    EXPECT_EQ(whole->CheckInvariants(), nullptr);
  }
}

// A stream of several read blocks (as ondrix-cli replay reads its input) with an escape sequence
// cut at every block boundary, each at a different place inside the sequence: fed block by block
// as the reads deliver it, from a file and from a pipe, it gives the screen of one whole block.
std::string streamCutAtBlockBoundaries(std::size_t blockSize, int boundaries) {
  static const char* const kSequences[] = {"\x1b[12;34H", "\x1b[1;31;44m", "\x1b(0", "\x1b[3;20r",
                                           "\x1b[?25l",   "\x1b[1;2I",    "\x1b[7C", "\x1b[0m"};
  std::string s;
  int line = 0;
  for (int b = 1; b <= boundaries; ++b) {
    const std::string sequence = kSequences[b % std::size(kSequences)];
    const std::size_t cut = 1 + static_cast<std::size_t>(b) % (sequence.size() - 1);  // inside it
    const std::size_t start = blockSize * static_cast<std::size_t>(b) - cut;
    while (s.size() < start) {
      s += "line " + std::to_string(line++) + " lqqk \xe9\r\n";
      if (s.size() > start) s.resize(start);
    }
    s += sequence;
  }
  return s + "end";
}

std::vector<std::size_t> feedInBlocks(int fd, TScreen& screen) {
  std::vector<std::size_t> sizes;
  EXPECT_EQ(platform::readBlocks(fd, [&](std::span<const std::uint8_t> block) {
              sizes.push_back(block.size());
              screen.ProcessBlock(block);
            }),
            0);
  return sizes;
}

TEST_F(Chunking, ReadBlocksWithSequencesCutAtEveryBoundaryGiveTheWholeStreamsScreen) {
  const std::size_t block = platform::kReadBlockSize;
  const std::string stream = streamCutAtBlockBoundaries(block, 8);
  ASSERT_GT(stream.size(), 8 * block);
  auto whole = makeScreen(25, 80);
  whole->ProcessBlock(stream);
  const std::string expected = stateOf(*whole);

  char path[] = "/tmp/ondrix-blocks-XXXXXX";
  const int fd = ::mkstemp(path);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, stream.data(), stream.size()), static_cast<ssize_t>(stream.size()));
  ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
  auto fromFile = makeScreen(25, 80);
  const std::vector<std::size_t> sizes = feedInBlocks(fd, *fromFile);
  ::close(fd);
  ::unlink(path);
  EXPECT_EQ(sizes.size(), 9u);  // eight whole blocks and the rest
  EXPECT_EQ(sizes.front(), block);
  EXPECT_EQ(stateOf(*fromFile), expected);

  // Through a pipe the reads return what the writer has delivered so far, in other sizes.
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  std::thread writer([&] {
    for (std::size_t at = 0; at < stream.size();) {
      const std::size_t n = std::min<std::size_t>(stream.size() - at, 10007);
      const ssize_t done = ::write(ends[1], stream.data() + at, n);
      if (done <= 0) break;
      at += static_cast<std::size_t>(done);
    }
    ::close(ends[1]);
  });
  auto fromPipe = makeScreen(25, 80);
  feedInBlocks(ends[0], *fromPipe);
  writer.join();
  ::close(ends[0]);
  EXPECT_EQ(stateOf(*fromPipe), expected);
}

TEST_F(Chunking, ReadBlocksReportsTheErrorOfAFailingRead) {
  const int fd = ::open("/", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  int calls = 0;
  EXPECT_EQ(platform::readBlocks(fd, [&](std::span<const std::uint8_t>) { ++calls; }), EISDIR);
  EXPECT_EQ(calls, 0);
  ::close(fd);
}

}  // namespace
}  // namespace ondrix::term::testing
