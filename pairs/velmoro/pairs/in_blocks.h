#pragma once

// Work over a range of indices, cut into blocks that a pool's workers and
// the calling thread take in turn. Between indices the calling thread asks
// every tenth of a second whether to go on, so that a long call can be
// interrupted after the index at hand rather than after a whole block.

#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>

#include "velmoro/pairs/pool.h"

namespace velmoro::pairs {

// How often the calling thread asks whether to go on.
inline constexpr std::chrono::milliseconds kAskEvery{100};
// The indices a thread takes at a time.
inline constexpr std::size_t kBlock = 64;

// The clock the calling thread reads after every index: a read costs about a
// fifth of steady_clock's, a few nanoseconds, and its resolution of a few
// milliseconds is fine enough to ask every kAskEvery.
struct CoarseClock {
  using rep = std::int64_t;
  using period = std::nano;
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<CoarseClock>;
  static constexpr bool is_steady = true;

  [[nodiscard]] static time_point now() noexcept {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return time_point(std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec));
  }
};

// The threads worth starting for count indices when threads were asked for,
// the calling thread among them: no more than there are blocks, nor than
// kMostThreads; at least one.
[[nodiscard]] inline unsigned ThreadsFor(unsigned threads, std::size_t count) {
  const std::size_t blocks = (count + kBlock - 1) / kBlock;
  return static_cast<unsigned>(std::max<std::size_t>(
      1, std::min({std::size_t{threads}, std::size_t{kMostThreads}, blocks})));
}

// Calls work(i) for every i in [0, count) on up to threads threads (at
// least one), the calling thread one of them, and keepGoing() on the calling
// thread every kAskEvery until all is done. When keepGoing returns false,
// indices not yet begun are skipped and false is returned. A thread the
// system has no room for, or cannot start, leaves its share to the others.
// The first exception of work is thrown again here, once every thread has
// stopped.
template <typename Work, typename KeepGoing>
bool WorkInBlocks(std::size_t count, unsigned threads, Work work, KeepGoing keepGoing) {
  std::atomic<std::size_t> next{0};
  // Runs blocks until none is left or the work stops; between indices,
  // between(), which says whether to go on.
  const auto runBlocks = [&](const Pool& pool, auto between) {
    while (!pool.stopped()) {
      const std::size_t begin = next.fetch_add(kBlock);
      if (begin >= count) return;
      for (std::size_t i = begin; i < std::min(count, begin + kBlock) && between(); ++i) work(i);
    }
  };
  Pool pool(threads - 1);
  const Settling settling(pool);
  for (std::size_t worker = 0; worker < pool.workers(); ++worker) {
    pool.Post([&] { runBlocks(pool, [&] { return !pool.stopped(); }); });
  }

  bool interrupted = false;
  CoarseClock::time_point lastAsked = CoarseClock::now();
  // On the calling thread, after every index and while it waits for the
  // others: whether to go on, asking keepGoing when it is time. The clock,
  // not a count of indices, says when: indices may turn slow at any point.
  const auto ask = [&] {
    const CoarseClock::time_point now = CoarseClock::now();
    if (!interrupted && now - lastAsked >= kAskEvery) {
      lastAsked = now;
      if (!keepGoing()) {
        interrupted = true;
        pool.Stop();
      }
    }
    return !pool.stopped();
  };
  try {
    runBlocks(pool, ask);
  } catch (...) {
    pool.Fail(std::current_exception());
  }
  while (!pool.AwaitAll(kAskEvery)) ask();
  return !interrupted;
}

}  // namespace velmoro::pairs
