#include "velmoro/pairs/pool.h"

#include <malloc.h>
#include <sys/mman.h>
#include <sys/resource.h>

#include <algorithm>
#include <climits>
#include <new>
#include <system_error>
#include <utility>

namespace velmoro::pairs {

namespace {

// The address space glibc reserves for each allocator arena it adds, one a
// thread up to eight a core; twice as much while it makes one.
constexpr rlim_t kArenaBytes = rlim_t{64} << 20;

// The address space a thread takes: its stack (8 MiB by default) and the
// heap glibc reserves for its first allocation (64 MiB).
constexpr std::size_t kThreadRoom = std::size_t{72} << 20;

// Whether the address space has room for another thread. Where it has not,
// glibc may start the thread and then abort the process when the thread
// cannot allocate its thread-local data, rather than fail to start it.
bool RoomForAnotherThread() {
  void* room = ::mmap(nullptr, kThreadRoom, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE,
                      -1, 0);
  if (room == MAP_FAILED) return false;
  ::munmap(room, kThreadRoom);
  return true;
}

}  // namespace

// Past the arenas a limit holds, each allocation of a thread without one
// maps memory of its own, tens of times slower: a quarter of the limit at
// most goes to arenas, which the threads share.
void FitAllocatorToAddressLimit() {
  rlimit limit{};
  if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return;
  const rlim_t arenas = std::clamp<rlim_t>(limit.rlim_cur / (4 * kArenaBytes), 1, INT_MAX);
  ::mallopt(M_ARENA_MAX, static_cast<int>(arenas));
}

Pool::Pool(unsigned threads) {
  started_ = TryToStart(threads);
  if (started_ == threads) return;
  Close();
  closing_ = false;
  TryToStart((started_ + 1) / 2);
}

Pool::~Pool() { Close(); }

// Starts workers up to threads of them; how many there are.
std::size_t Pool::TryToStart(std::size_t threads) {
  try {
    workers_.reserve(threads);
    while (workers_.size() < threads && RoomForAnotherThread()) {
      workers_.emplace_back([this] { RunWorker(); });
    }
  } catch (const std::system_error&) {
  } catch (const std::bad_alloc&) {
  }
  return workers_.size();
}

// A worker: runs the next job until the pool closes; after a stop, ends the
// jobs without running them.
void Pool::RunWorker() {
  std::unique_lock lock(mutex_);
  while (true) {
    job_posted_.wait(lock, [this] { return !jobs_.empty() || closing_; });
    if (closing_) return;
    Job job = std::move(jobs_.front());
    jobs_.pop();
    if (!stopped()) {
      ++running_;
      lock.unlock();
      std::exception_ptr error;
      try {
        job.work();
      } catch (...) {
        error = std::current_exception();
      }
      lock.lock();
      --running_;
      if (error && !failure_) failure_ = error;
      if (error) StopLocked();
    }
    MarkEnded(job.number);
    job_ended_.notify_all();
  }
}

void Pool::Close() {
  {
    const std::lock_guard lock(mutex_);
    closing_ = true;
  }
  job_posted_.notify_all();
  workers_.clear();
}

std::size_t Pool::Post(std::function<void()> work) {
  std::size_t number = 0;
  {
    const std::lock_guard lock(mutex_);
    number = posted_++;
    jobs_.push({number, std::move(work)});
  }
  job_posted_.notify_one();
  return number;
}

bool Pool::Ended(std::size_t job) {
  const std::lock_guard lock(mutex_);
  ThrowFailure();
  return EndedLocked(job);
}

void Pool::Await(std::size_t job) {
  std::unique_lock lock(mutex_);
  job_ended_.wait(lock, [&] { return failure_ || EndedLocked(job); });
  ThrowFailure();
}

bool Pool::AwaitAll(std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  const bool ended =
      job_ended_.wait_for(lock, wait, [this] { return failure_ || ended_below_ == posted_; });
  ThrowFailure();
  return ended;
}

void Pool::Stop() {
  {
    const std::lock_guard lock(mutex_);
    StopLocked();
  }
  job_ended_.notify_all();
}

void Pool::Fail(std::exception_ptr error) {
  {
    const std::lock_guard lock(mutex_);
    if (!failure_) failure_ = std::move(error);
    StopLocked();
  }
  job_ended_.notify_all();
}

void Pool::Settle() {
  std::unique_lock lock(mutex_);
  StopLocked();
  job_ended_.wait(lock, [this] { return running_ == 0; });
}

// Stops, ending the jobs not begun: a worker would only end them.
void Pool::StopLocked() {
  stopped_.store(true, std::memory_order_relaxed);
  for (; !jobs_.empty(); jobs_.pop()) MarkEnded(jobs_.front().number);
}

void Pool::MarkEnded(std::size_t job) {
  ended_above_.insert(job);
  while (!ended_above_.empty() && *ended_above_.begin() == ended_below_) {
    ended_above_.erase(ended_above_.begin());
    ++ended_below_;
  }
}

bool Pool::EndedLocked(std::size_t job) const {
  return job < ended_below_ || ended_above_.contains(job);
}

void Pool::ThrowFailure() const {
  if (failure_) std::rethrow_exception(failure_);
}

}  // namespace velmoro::pairs
