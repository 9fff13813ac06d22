#include "velmoro/pairs/in_blocks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <stdexcept>
#include <thread>
#include <vector>

namespace velmoro::pairs {
namespace {

TEST(ThreadsFor, NoMoreThanBlocksNorTheMostThreads) {
  struct Row {
    unsigned asked;
    std::size_t count;
    unsigned threads;
  };
  const Row rows[] = {
      {8, 0, 1},           {8, kBlock, 1},        {8, kBlock + 1, 2},
      {1, 100 * kBlock, 1}, {4, 100 * kBlock, 4}, {10000, 10000 * kBlock, kMostThreads},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.asked << " threads, " << row.count << " indices");
    EXPECT_EQ(ThreadsFor(row.asked, row.count), row.threads);
  }
}

TEST(WorkInBlocks, DoesEveryIndexOnce) {
  std::vector<std::atomic<int>> done(10 * kBlock + 3);
  const bool completed = WorkInBlocks(done.size(), 4, [&](std::size_t i) { ++done[i]; },
                                      [] { return true; });
  EXPECT_TRUE(completed);
  for (const std::atomic<int>& times : done) EXPECT_EQ(times, 1);
}

TEST(WorkInBlocks, StopsBetweenIndicesWhenAskedTo) {
  std::atomic<std::size_t> done{0};
  const auto slowIndex = [&](std::size_t) {
    std::this_thread::sleep_for(kAskEvery / 3);
    ++done;
  };
  EXPECT_FALSE(WorkInBlocks(kBlock, 1, slowIndex, [] { return false; }));
  // One block only: stopping between blocks would have done all of it.
  EXPECT_GE(done, 1U);
  EXPECT_LT(done, kBlock);
}

TEST(WorkInBlocks, ThrowsTheFirstFailureOnceAllHaveStopped) {
  std::atomic<std::size_t> running{0};
  const auto failing = [&](std::size_t i) {
    ++running;
    if (i == kBlock + 1) throw std::runtime_error("index failed");
    --running;
  };
  EXPECT_THROW(WorkInBlocks(8 * kBlock, 3, failing, [] { return true; }), std::runtime_error);
  EXPECT_EQ(running, 1U);
}

}  // namespace
}  // namespace velmoro::pairs
