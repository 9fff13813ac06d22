#include "ordered_work.h"

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <climits>

namespace velmoro::cli {

namespace {

// The address space glibc reserves for each allocator arena it adds, one a
// thread up to eight a core; twice as much while it makes one.
constexpr rlim_t kArenaBytes = rlim_t{64} << 20;

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

}  // namespace velmoro::cli
