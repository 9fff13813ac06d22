#include "velmoro/pairs/pool.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <future>
#include <string>

#include "skip_under_sanitizers.h"

namespace velmoro::pairs {
namespace {

TEST(Pool, StartsTheThreadsAskedFor) {
  for (const unsigned threads : {0U, 1U, 5U}) {
    SCOPED_TRACE(testing::Message() << threads << " threads");
    const Pool pool(threads);
    EXPECT_EQ(pool.workers(), threads);
    EXPECT_EQ(pool.started(), threads);
  }
}

TEST(Pool, StopDropsTheJobsNotBegun) {
  Pool pool(1);
  std::promise<void> begun;
  std::promise<void> release;
  std::atomic<int> ran{0};
  pool.Post([&] {
    begun.set_value();
    release.get_future().wait();
    ++ran;
  });
  for (int i = 0; i < 3; ++i) pool.Post([&] { ++ran; });
  begun.get_future().wait();
  pool.Stop();
  EXPECT_TRUE(pool.stopped());
  release.set_value();
  EXPECT_TRUE(pool.AwaitAll(std::chrono::minutes(1)));
  EXPECT_EQ(ran, 1);
}

// The address space the process takes, in bytes.
rlim_t AddressSpaceUsed() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmSize:", 0) == 0) return std::stoull(line.substr(7)) << 10;
  }
  return 0;
}

// In a child whose address space has room for a few threads only, the pool
// keeps half of those the system gave, and they work.
TEST(Pool, KeepsHalfOfTheThreadsWhenTheSystemRefusesOne) {
  VELMORO_SKIP_UNDER_SANITIZERS();
  constexpr unsigned kAsked = 256;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlim_t limit = AddressSpaceUsed() + (rlim_t{256} << 20);
    const rlimit room{limit, limit};
    if (::setrlimit(RLIMIT_AS, &room) != 0) ::_exit(10);
    Pool pool(kAsked);
    if (pool.started() == 0 || pool.started() >= kAsked) ::_exit(11);
    if (pool.workers() != (pool.started() + 1) / 2) ::_exit(12);
    std::atomic<int> ran{0};
    for (int i = 0; i < 100; ++i) pool.Post([&] { ++ran; });
    ::_exit(pool.AwaitAll(std::chrono::minutes(1)) && ran == 100 ? 0 : 13);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace velmoro::pairs
