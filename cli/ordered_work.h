#pragma once

// Work on a sequence of chunks by several threads, with every result handed
// on in the order of its chunk, so that the output is the same for any
// number of threads. Three parts: the reader (the calling thread) hands
// chunks in, the workers turn them into results, and the writer (the calling
// thread again) hands the results on in order. At most twice as many chunks
// as threads are read ahead, so memory is bounded by the threads and the
// size of a chunk.

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <new>
#include <optional>
#include <queue>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "complaint.h"
#include "stop_signals.h"

namespace velmoro::cli {

// Under an address-space limit, has the threads share the allocator's
// arenas, so few that they leave the limit room for the work. Called before
// threads start.
void FitAllocatorToAddressLimit();

template <typename Chunk, typename Result>
class OrderedWork {
 public:
  using Work = std::function<Result(Chunk&)>;
  using Emit = std::function<void(Result&)>;

  // Starts up to jobs workers that call work, as many as the system gives
  // threads for, and hands each result to emit on the thread that calls Add
  // and EmitAll.
  OrderedWork(unsigned jobs, Work work, Emit emit)
      : work_(std::move(work)), emit_(std::move(emit)) {
    StartWorkers(jobs);
    ahead_ = 2 * workers_.size();
  }

  ~OrderedWork() { StopWorkers(); }
  OrderedWork(const OrderedWork&) = delete;
  OrderedWork& operator=(const OrderedWork&) = delete;

  // The reader: queues chunk, first emitting what is ready and waiting while
  // the read-ahead is full. An exception of work is thrown again here.
  void Add(Chunk chunk) {
    EmitReady(/*untilRoom=*/true);
    {
      const std::lock_guard lock(mutex_);
      waiting_.emplace(read_++, std::move(chunk));
    }
    changed_.notify_one();
  }

  // The workers started: none when the system gave no thread.
  [[nodiscard]] std::size_t workers() const { return workers_.size(); }

  // The writer: emits every result of the chunks added so far.
  void EmitAll() {
    while (emitted_ < read_) {
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return failure_ || done_.contains(emitted_); });
      }
      EmitReady(/*untilRoom=*/false);
    }
  }

 private:
  // Where the system refuses a thread, for want of memory or of threads,
  // half as many as it gave are kept, so that the memory left holds their
  // work: each brings chunks to read ahead.
  void StartWorkers(unsigned jobs) {
    const StopSignalsBlocked blocked;  // the calling thread alone takes them
    FitAllocatorToAddressLimit();
    const std::size_t started = TryToStart(jobs);
    if (started == jobs) return;
    StopWorkers();
    stopping_ = false;
    TryToStart((started + 1) / 2);
    Complain("only " + std::to_string(started) + " of the " + std::to_string(jobs) +
             " threads asked for could be started: the run goes on with " +
             (workers_.empty() ? std::string("the reading thread alone")
                               : std::to_string(workers_.size()) + " of them"));
  }

  // Starts workers up to jobs of them; how many there are.
  std::size_t TryToStart(std::size_t jobs) {
    try {
      workers_.reserve(jobs);
      while (workers_.size() < jobs) workers_.emplace_back([this] { RunWorker(); });
    } catch (const std::system_error&) {
    } catch (const std::bad_alloc&) {
    }
    return workers_.size();
  }

  // A worker: takes the next chunk until none is left or work failed.
  void RunWorker() {
    std::unique_lock lock(mutex_);
    while (true) {
      changed_.wait(lock, [this] { return !waiting_.empty() || stopping_ || failure_; });
      if (failure_ || waiting_.empty()) return;
      auto [index, chunk] = std::move(waiting_.front());
      waiting_.pop();
      lock.unlock();
      std::optional<Result> result;
      std::exception_ptr error;
      try {
        result.emplace(work_(chunk));
      } catch (...) {
        error = std::current_exception();
      }
      lock.lock();
      if (error) {
        failure_ = error;
      } else {
        done_.emplace(index, std::move(*result));
      }
      changed_.notify_all();
    }
  }

  // Emits the results that are next in order; with untilRoom, waits until
  // the read-ahead has room for another chunk.
  void EmitReady(bool untilRoom) {
    std::unique_lock lock(mutex_);
    while (true) {
      if (failure_) std::rethrow_exception(failure_);
      const auto ready = done_.find(emitted_);
      if (ready == done_.end()) {
        if (!untilRoom || read_ - emitted_ < ahead_) return;
        changed_.wait(lock);
        continue;
      }
      Result result = std::move(ready->second);
      done_.erase(ready);
      lock.unlock();
      emit_(result);
      ++emitted_;
      lock.lock();
    }
  }

  void StopWorkers() {
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    workers_.clear();
  }

  Work work_;
  Emit emit_;
  std::size_t ahead_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::queue<std::pair<std::size_t, Chunk>> waiting_;
  std::map<std::size_t, Result> done_;
  std::exception_ptr failure_;
  bool stopping_ = false;
  std::size_t read_ = 0;
  std::size_t emitted_ = 0;
  std::vector<std::jthread> workers_;
};

// Calls next(chunk) for each chunk until it returns false, work(chunk) for
// each on one of jobs threads (on the calling thread when jobs is 1, or when
// no thread could be started), and emit(result) for each result on the
// calling thread, in chunk order. When waits() says that next would wait for
// input, everything read so far is emitted first and idle() called. An
// exception of work ends the run and is thrown again here.
template <typename Chunk, typename Next, typename Work, typename Emit, typename Waits,
          typename Idle>
void RunInOrder(unsigned jobs, Next next, Work work, Emit emit, Waits waits, Idle idle) {
  using Result = decltype(work(std::declval<Chunk&>()));
  if (jobs > 1) {
    OrderedWork<Chunk, Result> ordered(jobs, work, emit);
    if (ordered.workers() > 0) {
      while (true) {
        if (waits()) {
          ordered.EmitAll();
          idle();
        }
        Chunk chunk;
        if (!next(chunk)) break;
        ordered.Add(std::move(chunk));
      }
      ordered.EmitAll();
      return;
    }
  }
  Chunk chunk;
  while (true) {
    if (waits()) idle();
    if (!next(chunk)) return;
    Result result = work(chunk);
    emit(result);
  }
}

}  // namespace velmoro::cli
