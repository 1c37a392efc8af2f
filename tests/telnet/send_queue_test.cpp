#include "telnet/send_queue.h"

#include <gtest/gtest.h>

#include <string>

namespace ondrix::telnet {
namespace {

std::string drain(SendQueue& q, std::size_t step) {
  std::string out;
  while (!q.empty()) {
    const auto chunk = q.front();
    const std::size_t n = std::min(step, chunk.size());
    out.append(chunk.data(), n);
    q.consume(n);
  }
  return out;
}

TEST(SendQueue, FillsBlocksOf1514AndKeepsOrderAtEveryBoundary) {
  for (const std::size_t size : {1u, 1513u, 1514u, 1515u, 5000u}) {
    SendQueue q;
    std::string data;
    for (std::size_t i = 0; i < size; ++i) data.push_back(static_cast<char>(i * 7));
    q.append(data.data(), 10 < size ? 10 : size);
    if (size > 10) q.append(data.data() + 10, size - 10);
    EXPECT_EQ(q.pending(), size);
    EXPECT_EQ(q.blockCount(), (size + SendQueue::kBlockSize - 1) / SendQueue::kBlockSize);
    EXPECT_LE(q.front().size(), SendQueue::kBlockSize);
    EXPECT_EQ(drain(q, 1000), data) << size;
  }
}

TEST(SendQueue, TheLastEmptiedBlockIsKeptAndReused) {
  SendQueue q;
  q.append("abc", 3);
  q.consume(3);
  EXPECT_TRUE(q.empty());
  EXPECT_EQ(q.blockCount(), 1u);
  q.append("de", 2);
  EXPECT_EQ(q.blockCount(), 1u);
  EXPECT_EQ(std::string(q.front().data(), q.front().size()), "de");
  q.clear();
  EXPECT_TRUE(q.front().empty());
}

}  // namespace
}  // namespace ondrix::telnet
