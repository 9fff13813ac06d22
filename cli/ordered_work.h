#pragma once

// Work on a sequence of chunks by several threads, with every result handed
// on in the order of its chunk, so that the output is the same for any
// number of threads. At most twice as many chunks as threads are read ahead,
// so memory is bounded by the threads and the size of a chunk.

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <map>
#include <mutex>
#include <optional>
#include <queue>
#include <thread>
#include <utility>
#include <vector>

namespace velmoro::cli {

// Calls next(chunk) for each chunk until it returns false, work(chunk) for
// each on one of jobs threads (on the calling thread when jobs is 1), and
// emit(result) for each result on the calling thread, in chunk order. An
// exception of work ends the run and is thrown again here.
template <typename Chunk, typename Next, typename Work, typename Emit>
void RunInOrder(unsigned jobs, Next next, Work work, Emit emit) {
  if (jobs <= 1) {
    Chunk chunk;
    while (next(chunk)) {
      auto result = work(chunk);
      emit(result);
    }
    return;
  }
  using Result = decltype(work(std::declval<Chunk&>()));
  std::mutex mutex;
  std::condition_variable changed;
  std::queue<std::pair<std::size_t, Chunk>> waiting;
  std::map<std::size_t, Result> done;
  std::exception_ptr failure;
  bool reading = true;
  const auto worker = [&] {
    std::unique_lock lock(mutex);
    while (true) {
      changed.wait(lock, [&] { return !waiting.empty() || !reading || failure; });
      if (failure || waiting.empty()) return;
      auto [index, chunk] = std::move(waiting.front());
      waiting.pop();
      lock.unlock();
      std::optional<Result> result;
      std::exception_ptr error;
      try {
        result.emplace(work(chunk));
      } catch (...) {
        error = std::current_exception();
      }
      lock.lock();
      if (error) {
        failure = error;
      } else {
        done.emplace(index, std::move(*result));
      }
      changed.notify_all();
    }
  };
  std::vector<std::jthread> threads;
  for (unsigned i = 0; i < jobs; ++i) threads.emplace_back(worker);
  const std::size_t ahead = 2 * static_cast<std::size_t>(jobs);
  std::size_t read = 0;
  std::size_t emitted = 0;
  // Emits what is ready, in order; waits while the read-ahead is full.
  const auto emitReady = [&](bool wait) {
    std::unique_lock lock(mutex);
    while (true) {
      if (failure) std::rethrow_exception(failure);
      const auto ready = done.find(emitted);
      if (ready == done.end()) {
        if (!wait || read - emitted < ahead || read == emitted) return;
        changed.wait(lock);
        continue;
      }
      Result result = std::move(ready->second);
      done.erase(ready);
      lock.unlock();
      emit(result);
      ++emitted;
      lock.lock();
    }
  };
  const auto stop = [&] {
    {
      const std::lock_guard lock(mutex);
      reading = false;
    }
    changed.notify_all();
  };
  try {
    while (true) {
      emitReady(true);
      Chunk chunk;
      if (!next(chunk)) break;
      {
        const std::lock_guard lock(mutex);
        waiting.emplace(read++, std::move(chunk));
      }
      changed.notify_one();
    }
    stop();
    while (emitted < read) {
      std::unique_lock lock(mutex);
      changed.wait(lock, [&] { return failure || done.contains(emitted); });
      lock.unlock();
      emitReady(false);
    }
  } catch (...) {
    {
      const std::lock_guard lock(mutex);
      if (!failure) failure = std::current_exception();
      reading = false;
    }
    changed.notify_all();
    throw;
  }
}

}  // namespace velmoro::cli
