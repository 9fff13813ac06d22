// How velmoro-cli --batch and --lines run: on the threads the system gives.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

#include "cli_runner.h"
#include "sample_pair.h"

namespace {

using Json = nlohmann::json;
using velmoro::fixtures::kSamplePair;
using velmoro::test_support::CliRun;
using velmoro::test_support::CliRunner;

// Lines of --batch, count of them, each the sample pair.
std::string SamplePairs(int count) {
  const std::string line =
      Json{{"text1", kSamplePair.text1}, {"text2", kSamplePair.text2}}.dump() + '\n';
  std::string pairs;
  for (int i = 0; i < count; ++i) pairs += line;
  return pairs;
}

class RunControl : public testing::Test {
 protected:
  CliRunner cli_{VELMORO_CLI_PATH};
};

// --- threads

#if defined(VELMORO_SANITIZED)
#define VELMORO_SKIP_UNDER_SANITIZERS() \
  GTEST_SKIP() << "a sanitizer reserves more address space than the limit"
#else
#define VELMORO_SKIP_UNDER_SANITIZERS() static_cast<void>(0)
#endif

// Each thread's stack takes the stack limit of address space: under an
// address-space limit the system starts some of the threads asked for, or
// none; the run goes on with those it has, the calling thread at least.
TEST_F(RunControl, RunsOnTheThreadsItCouldStart) {
  VELMORO_SKIP_UNDER_SANITIZERS();
  struct Row {
    int stackKilobytes;
    int addressKilobytes;
    const char* jobs;
  };
  const Row kRows[] = {
      {8192, 1000000, "128"},  // some
      {1 << 20, 300000, "4"},  // none
  };
  const std::string pairs = cli_.WriteFile("pairs.jsonl", SamplePairs(300));
  const CliRun alone = cli_.Run({"--batch", pairs, "-j", "1"});
  ASSERT_EQ(alone.status, 0) << alone.err;
  for (const Row& row : kRows) {
    SCOPED_TRACE(std::string("-j ") + row.jobs + ", stack " + std::to_string(row.stackKilobytes));
    const CliRun run = CliRunner("/bin/sh").Run(
        {"-c",
         "ulimit -s " + std::to_string(row.stackKilobytes) + " && ulimit -v " +
             std::to_string(row.addressKilobytes) + " && exec \"$0\" --batch \"$1\" -j \"$2\"",
         VELMORO_CLI_PATH, pairs, row.jobs});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out == alone.out) << run.out.size() << " bytes, not " << alone.out.size();
    EXPECT_NE(run.err.find("threads asked for could be started"), std::string::npos) << run.err;
  }
}

}  // namespace
