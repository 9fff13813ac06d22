#pragma once

// Work over a range of indices, cut into blocks that several threads take in
// turn, the calling thread among them. Between indices the calling thread
// asks every tenth of a second whether to go on, so that a long call can be
// interrupted after the index at hand rather than after a whole block.

#include <sys/mman.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace velmoro::python {

// How often the calling thread asks whether to go on.
inline constexpr std::chrono::milliseconds kAskEvery{100};
// The indices a thread takes at a time.
inline constexpr std::size_t kBlock = 64;
// The most threads a call may ask for, as velmoro-cli's --jobs allows.
inline constexpr unsigned kMostWorkers = 1024;

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

// The address space a thread takes: its stack (8 MiB by default) and the
// heap glibc reserves for its first allocation (64 MiB).
inline constexpr std::size_t kThreadRoom = std::size_t{72} << 20;

// Whether the address space has room for another thread. Where it has not,
// glibc may start the thread and then abort the process when the thread
// cannot allocate its thread-local data, rather than fail to start it.
[[nodiscard]] inline bool RoomForAnotherThread() {
  void* room = ::mmap(nullptr, kThreadRoom, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE,
                      -1, 0);
  if (room == MAP_FAILED) return false;
  ::munmap(room, kThreadRoom);
  return true;
}

// The threads worth starting for count indices when workers were asked for:
// no more than there are blocks, nor than kMostWorkers; at least one.
[[nodiscard]] inline unsigned ThreadsFor(unsigned workers, std::size_t count) {
  const std::size_t blocks = (count + kBlock - 1) / kBlock;
  return static_cast<unsigned>(std::max<std::size_t>(
      1, std::min({std::size_t{workers}, std::size_t{kMostWorkers}, blocks})));
}

// Calls work(i) for every i in [0, count) on up to threads threads, the
// calling thread one of them, and keepGoing() on the calling thread every
// kAskEvery until all is done. When keepGoing returns false, indices not yet
// begun are skipped and false is returned. A thread the system has no room
// for, or cannot start, leaves its share to the others. The first exception
// of work is thrown again here, once every thread has stopped.
template <typename Work, typename KeepGoing>
bool WorkInBlocks(std::size_t count, unsigned threads, Work work, KeepGoing keepGoing) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stopped{false};
  std::mutex mutex;
  std::condition_variable finished;
  unsigned running = 0;
  std::exception_ptr failure;
  const auto fail = [&] {
    const std::lock_guard lock(mutex);
    if (!failure) failure = std::current_exception();
    stopped = true;
  };
  // Runs blocks until none is left or the work stops; between indices,
  // between(), which says whether to go on.
  const auto runBlocks = [&](auto between) {
    try {
      while (!stopped) {
        const std::size_t begin = next.fetch_add(kBlock);
        if (begin >= count) return;
        for (std::size_t i = begin; i < std::min(count, begin + kBlock) && between(); ++i) {
          work(i);
        }
      }
    } catch (...) {
      fail();
    }
  };
  const auto worker = [&] {
    runBlocks([&] { return !stopped; });
    const std::lock_guard lock(mutex);
    --running;
    finished.notify_one();
  };

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
        stopped = true;
      }
    }
    return !stopped;
  };

  std::vector<std::jthread> pool;
  pool.reserve(threads);
  for (unsigned i = 1; i < threads && RoomForAnotherThread(); ++i) {
    try {
      {
        const std::lock_guard lock(mutex);
        ++running;
      }
      pool.emplace_back(worker);
    } catch (const std::system_error&) {
      const std::lock_guard lock(mutex);
      --running;
      break;
    }
  }
  runBlocks(ask);
  {
    std::unique_lock lock(mutex);
    while (!finished.wait_for(lock, kAskEvery, [&] { return running == 0; })) {
      lock.unlock();
      ask();
      lock.lock();
    }
  }
  pool.clear();
  if (failure) std::rethrow_exception(failure);
  return !interrupted;
}

}  // namespace velmoro::python
