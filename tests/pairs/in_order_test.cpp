#include "velmoro/pairs/in_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <stdexcept>
#include <thread>
#include <vector>

namespace velmoro::pairs {
namespace {

constexpr int kChunks = 100;

// Work that ends out of order: the later of each ten chunks end first.
int SlowForEarlyChunks(int chunk) {
  std::this_thread::sleep_for(std::chrono::microseconds(100 * (9 - chunk % 10)));
  return chunk * 2;
}

// Hands out the chunks 0 to kChunks - 1.
struct Counter {
  int read = 0;
  bool operator()(int& chunk) {
    if (read == kChunks) return false;
    chunk = read++;
    return true;
  }
};

TEST(RunInOrder, EmitsInChunkOrderOnAnyNumberOfWorkers) {
  for (const unsigned workers : {0U, 1U, 3U, 8U}) {
    SCOPED_TRACE(testing::Message() << workers << " workers");
    Pool pool(workers);
    std::vector<int> emitted;
    RunInOrder<int>(
        pool, Counter(), SlowForEarlyChunks, [&](int& result) { emitted.push_back(result); },
        [] { return false; }, [] {});
    ASSERT_EQ(emitted.size(), static_cast<std::size_t>(kChunks));
    for (std::size_t chunk = 0; chunk < emitted.size(); ++chunk) {
      EXPECT_EQ(emitted[chunk], static_cast<int>(chunk) * 2);
    }
  }
}

// Reading runs ahead of slow work by twice the workers at most, the chunk
// in hand aside; and when the source would wait, all read is out first.
TEST(RunInOrder, ReadsABoundedWayAheadAndCatchesUpBeforeIdling) {
  constexpr unsigned kWorkers = 3;
  Pool pool(kWorkers);
  Counter counter;
  int emitted = 0;
  int mostAhead = 0;
  int idles = 0;
  RunInOrder<int>(
      pool,
      [&](int& chunk) {
        mostAhead = std::max(mostAhead, counter.read - emitted);
        return counter(chunk);
      },
      SlowForEarlyChunks, [&](int&) { ++emitted; }, [&] { return counter.read % 25 == 24; },
      [&] {
        ++idles;
        EXPECT_EQ(emitted, counter.read);
      });
  EXPECT_EQ(emitted, kChunks);
  EXPECT_EQ(idles, kChunks / 25);
  EXPECT_LE(mostAhead, static_cast<int>(2 * kWorkers));
  EXPECT_GT(mostAhead, 1);
}

TEST(RunInOrder, ThrowsTheFailureOfWork) {
  Pool pool(4);
  const auto failing = [](int chunk) {
    if (chunk == 17) throw std::runtime_error("chunk failed");
    return chunk;
  };
  EXPECT_THROW(RunInOrder<int>(pool, Counter(), failing, [](int&) {}, [] { return false; }, [] {}),
               std::runtime_error);
}

// A run that an exception of emit ends leaves no job running on what the run
// made.
TEST(RunInOrder, LeavesNoJobRunningWhenEmitThrows) {
  Pool pool(4);
  std::atomic<int> running{0};
  const auto work = [&](int chunk) {
    ++running;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    --running;
    return chunk;
  };
  const auto emit = [](int&) { throw std::runtime_error("output failed"); };
  EXPECT_THROW(RunInOrder<int>(pool, Counter(), work, emit, [] { return false; }, [] {}),
               std::runtime_error);
  EXPECT_EQ(running, 0);
}

}  // namespace
}  // namespace velmoro::pairs
