#pragma once

// The threads that run the jobs of a run over many pairs: one pool for every
// front that compares pairs on several threads. Workers take the jobs in the
// order they are posted; in_order.h hands the results on in that order,
// in_blocks.h lets the calling thread take a share. A stop, asked for or
// brought on by a job's exception, drops the jobs not begun, and the jobs
// begun see it between pairs.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <queue>
#include <set>
#include <thread>
#include <vector>

namespace velmoro::pairs {

// The most threads a run may ask for.
inline constexpr unsigned kMostThreads = 1024;

// Under an address-space limit, has the threads share the allocator's
// arenas, so few that they leave the limit room for the work. It sets the
// allocator of the whole process: for a program that owns its process,
// before threads start.
void FitAllocatorToAddressLimit();

class Pool {
 public:
  // Starts up to threads workers, none for 0. Where the system refuses a
  // thread, for want of memory or of threads, or the address space has no
  // room for one, half as many as it gave are kept, so that the memory left
  // holds their work. Workers start with the calling thread's signal mask:
  // a signal blocked around the construction is left to the calling thread.
  explicit Pool(unsigned threads);
  // Drops the jobs not begun and waits for the workers.
  ~Pool();
  Pool(const Pool&) = delete;
  Pool& operator=(const Pool&) = delete;

  // The workers kept: none when the system gave no thread.
  [[nodiscard]] std::size_t workers() const { return workers_.size(); }
  // The threads the system gave before it refused one; all that were asked
  // for when it refused none.
  [[nodiscard]] std::size_t started() const { return started_; }

  // Queues work for the next free worker; the job's number, counted from 0.
  // Needs a worker.
  std::size_t Post(std::function<void()> work);
  // Whether job has ended. Throws the first exception of a job (or of Fail).
  [[nodiscard]] bool Ended(std::size_t job);
  // Waits until job has ended; throws as Ended does.
  void Await(std::size_t job);
  // Waits until every job posted has ended, or wait has passed; whether
  // they have. Throws as Ended does, without waiting for the rest.
  bool AwaitAll(std::chrono::milliseconds wait);

  // Drops the jobs not begun; the jobs begun see stopped().
  void Stop();
  // Stops as an exception of a job does: error is the one thrown again,
  // unless a job's came first.
  void Fail(std::exception_ptr error);
  // Whether the run is to stop: a job asks between pairs.
  [[nodiscard]] bool stopped() const { return stopped_.load(std::memory_order_relaxed); }
  // Stops, and waits until no job runs; throws nothing.
  void Settle();

 private:
  struct Job {
    std::size_t number = 0;
    std::function<void()> work;
  };

  std::size_t TryToStart(std::size_t threads);
  void RunWorker();
  void Close();
  void StopLocked();
  void MarkEnded(std::size_t job);
  [[nodiscard]] bool EndedLocked(std::size_t job) const;
  void ThrowFailure() const;

  std::size_t started_ = 0;
  std::mutex mutex_;
  std::condition_variable job_posted_;
  std::condition_variable job_ended_;
  std::queue<Job> jobs_;
  std::size_t posted_ = 0;
  std::size_t ended_below_ = 0;           // every job numbered below it has ended
  std::set<std::size_t> ended_above_;     // the others that have
  std::size_t running_ = 0;
  std::exception_ptr failure_;
  std::atomic<bool> stopped_{false};
  bool closing_ = false;
  std::vector<std::jthread> workers_;
};

// While it lives, what was made before it may serve pool's jobs: its end
// settles the pool, even when an exception ends the run.
class Settling {
 public:
  explicit Settling(Pool& pool) : pool_(pool) {}
  ~Settling() { pool_.Settle(); }
  Settling(const Settling&) = delete;
  Settling& operator=(const Settling&) = delete;

 private:
  Pool& pool_;
};

}  // namespace velmoro::pairs
