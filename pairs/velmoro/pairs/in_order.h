#pragma once

// Work on a sequence of chunks of pairs by a pool's workers, with every
// result handed on in the order of its chunk, so that the output is the same
// for any number of threads. The calling thread reads the chunks in and
// hands the results on; at most twice as many chunks as workers are read
// ahead, so memory is bounded by the workers and the size of a chunk.

#include <cstddef>
#include <deque>
#include <optional>
#include <utility>

#include "velmoro/pairs/pool.h"

namespace velmoro::pairs {

// Calls next(chunk) for each chunk until it returns false, work(chunk) for
// each on one of pool's workers (on the calling thread when it has none),
// and emit(result) for each result on the calling thread, in chunk order.
// When waits() says that next would wait for input, everything read so far
// is emitted first and idle() called. An exception of work ends the run and
// is thrown again here; pool is settled when the run ends.
template <typename Chunk, typename Next, typename Work, typename Emit, typename Waits,
          typename Idle>
void RunInOrder(Pool& pool, Next next, Work work, Emit emit, Waits waits, Idle idle) {
  using Result = decltype(work(std::declval<Chunk&>()));
  if (pool.workers() == 0) {
    Chunk chunk;
    while (true) {
      if (waits()) idle();
      if (!next(chunk)) return;
      Result result = work(chunk);
      emit(result);
    }
  }
  struct Slot {
    Chunk chunk;
    std::optional<Result> result;
    std::size_t job = 0;
  };
  std::deque<Slot> posted;  // in chunk order, up to the first not emitted
  const Settling settling(pool);
  // Emits the results that are next in order; with untilRoom, waits until
  // the read-ahead has room for another chunk.
  const auto emitReady = [&](bool untilRoom) {
    while (!posted.empty()) {
      if (!pool.Ended(posted.front().job)) {
        if (!untilRoom || posted.size() < 2 * pool.workers()) return;
        pool.Await(posted.front().job);
      }
      emit(*posted.front().result);
      posted.pop_front();
    }
  };
  const auto emitAll = [&] {
    while (!posted.empty()) {
      pool.Await(posted.front().job);
      emitReady(/*untilRoom=*/false);
    }
  };
  while (true) {
    if (waits()) {
      emitAll();
      idle();
    }
    Chunk chunk;
    if (!next(chunk)) break;
    emitReady(/*untilRoom=*/true);
    Slot& slot = posted.emplace_back();
    slot.chunk = std::move(chunk);
    slot.job = pool.Post([&work, &slot] { slot.result.emplace(work(slot.chunk)); });
  }
  emitAll();
}

}  // namespace velmoro::pairs
