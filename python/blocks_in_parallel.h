#pragma once

// Work over a range of indices, cut into blocks that several threads take in
// turn, while the calling thread watches: it asks every tenth of a second
// whether to go on, so that a long call can be interrupted.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace velmoro::python {

// How often the calling thread asks whether to go on.
inline constexpr std::chrono::milliseconds kAskEvery{100};

// Calls work(begin, end) for blocks covering [0, count) on threads threads,
// and keepGoing() on the calling thread every kAskEvery until all is done.
// When keepGoing returns false, blocks not yet begun are skipped and false is
// returned. The first exception of work is thrown again here.
template <typename Work, typename KeepGoing>
bool WorkInBlocks(std::size_t count, unsigned threads, Work work, KeepGoing keepGoing) {
  constexpr std::size_t kBlock = 64;
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stopped{false};
  std::mutex mutex;
  std::condition_variable finished;
  unsigned running = threads;
  std::exception_ptr failure;
  const auto worker = [&] {
    try {
      while (!stopped) {
        const std::size_t begin = next.fetch_add(kBlock);
        if (begin >= count) break;
        work(begin, std::min(count, begin + kBlock));
      }
    } catch (...) {
      const std::lock_guard lock(mutex);
      if (!failure) failure = std::current_exception();
      stopped = true;
    }
    const std::lock_guard lock(mutex);
    --running;
    finished.notify_one();
  };
  std::vector<std::jthread> pool;
  pool.reserve(threads);
  for (unsigned i = 0; i < threads; ++i) pool.emplace_back(worker);
  bool interrupted = false;
  {
    std::unique_lock lock(mutex);
    while (!finished.wait_for(lock, kAskEvery, [&] { return running == 0; })) {
      lock.unlock();
      if (!interrupted && !keepGoing()) {
        interrupted = true;
        stopped = true;
      }
      lock.lock();
    }
  }
  pool.clear();
  if (failure) std::rethrow_exception(failure);
  return !interrupted;
}

}  // namespace velmoro::python
