// How velmoro-cli --batch and --lines run and end: on the threads the system
// gives, stopped by a signal while they wait for input, and failing when the
// summary cannot be written.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "cli_process.h"
#include "cli_runner.h"
#include "skip_under_sanitizers.h"
#include "exit_status.h"
#include "sample_pair.h"

namespace {

using Json = nlohmann::json;
using velmoro::cli::ExitStatus;
using velmoro::cli::Outcome;
using velmoro::fixtures::kSamplePair;
using velmoro::test_support::CliProcess;
using velmoro::test_support::CliRun;
using velmoro::test_support::CliRunner;

// How long a test waits for what should come at once.
constexpr std::chrono::seconds kBound{10};

// Lines of --batch, count of them, each the sample pair.
std::string SamplePairs(int count) {
  const std::string line =
      Json{{"text1", kSamplePair.text1}, {"text2", kSamplePair.text2}}.dump() + '\n';
  std::string pairs;
  for (int i = 0; i < count; ++i) pairs += line;
  return pairs;
}

std::size_t LineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The writing end of the named pipe at path, once its reader has opened it;
// -1 when none has within kBound.
int OpenWriter(const std::string& path) {
  const auto deadline = std::chrono::steady_clock::now() + kBound;
  while (std::chrono::steady_clock::now() < deadline) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
      return fd;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return -1;
}

class RunControl : public testing::Test {
 protected:
  std::string Fifo(const std::string& name) const {
    const std::string path = (cli_.folder() / name).string();
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
  }

  CliProcess Start(std::vector<std::string> args) const {
    return CliProcess(VELMORO_CLI_PATH, std::move(args), ErrPath());
  }

  // Reads until out holds lines lines, within kBound.
  static void ReadLines(const CliProcess& cli, std::string& out, std::size_t lines) {
    const auto deadline = std::chrono::steady_clock::now() + kBound;
    while (LineCount(out) < lines && std::chrono::steady_clock::now() < deadline) {
      out += cli.Read(std::chrono::milliseconds(100), 1);
    }
  }

  std::string ErrPath() const { return (cli_.folder() / "process-stderr").string(); }
  std::string Err() const { return CliRunner("/bin/cat").Run({ErrPath()}).out; }

  CliRunner cli_{VELMORO_CLI_PATH};
};

// --- threads

// Each thread's stack takes the stack limit of address space: under an
// address-space limit the system starts some of the threads asked for, or
// none; the run goes on with those it has, the calling thread at least.
TEST_F(RunControl, RunsOnTheThreadsItCouldStart) {
  VELMORO_SKIP_UNDER_SANITIZERS();
  struct Row {
    int stack_kilobytes;
    int address_kilobytes;
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
    SCOPED_TRACE(std::string("-j ") + row.jobs + ", stack " + std::to_string(row.stack_kilobytes));
    const CliRun run = CliRunner("/bin/sh").Run(
        {"-c",
         "ulimit -s " + std::to_string(row.stack_kilobytes) + " && ulimit -v " +
             std::to_string(row.address_kilobytes) + " && exec \"$0\" --batch \"$1\" -j \"$2\"",
         VELMORO_CLI_PATH, pairs, row.jobs});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out == alone.out) << run.out.size() << " bytes, not " << alone.out.size();
    EXPECT_NE(run.err.find("threads asked for could be started"), std::string::npos) << run.err;
  }
}

// --- signals

// Two named pipes whose writers are there but write nothing: a signal ends
// the wait for the first, and the second is not waited for.
TEST_F(RunControl, StopsLinesWaitingForIdlePipes) {
  for (const int signal : {SIGINT, SIGTERM}) {
    for (const char* jobs : {"1", "2"}) {
      SCOPED_TRACE(std::string(strsignal(signal)) + ", -j " + jobs);
      const std::string fifo1 = Fifo(std::string("idle1-") + jobs + std::to_string(signal));
      const std::string fifo2 = Fifo(std::string("idle2-") + jobs + std::to_string(signal));
      CliProcess cli = Start({"--lines", fifo1, fifo2, "-j", jobs});
      const int writer1 = OpenWriter(fifo1);
      const int writer2 = OpenWriter(fifo2);
      ASSERT_GE(writer1, 0);
      ASSERT_GE(writer2, 0);
      // The header comes out once the run waits for the first line.
      std::string out;
      ReadLines(cli, out, 1);
      ASSERT_EQ(LineCount(out), 1U) << out;
      ASSERT_TRUE(cli.AwaitSleep(kBound));
      cli.Signal(signal);
      const Outcome stop = signal == SIGINT ? Outcome::Interrupted : Outcome::Terminated;
      EXPECT_EQ(cli.Wait(kBound), ExitStatus(stop));
      EXPECT_NE(Err().find(std::string("stopped by ") + (signal == SIGINT ? "SIGINT" : "SIGTERM") +
                           ": no record was written"),
                std::string::npos)
          << Err();
      ::close(writer1);
      ::close(writer2);
    }
  }
}

// A file of three lines against a pipe that gives one and stalls: the stop
// is a stop, not files of unequal line counts.
TEST_F(RunControl, StopsLinesWaitingForAStalledPipe) {
  const std::string fifo = Fifo("stalled");
  const std::string file = cli_.WriteFile("three.txt", "a b\nc d\ne f\n");
  CliProcess cli = Start({"--lines", fifo, file});
  const int writer = OpenWriter(fifo);
  ASSERT_GE(writer, 0);
  std::string out;
  ReadLines(cli, out, 1);
  ASSERT_TRUE(::write(writer, "a b\n", 4) == 4);
  ReadLines(cli, out, 2);
  ASSERT_EQ(LineCount(out), 2U) << "no row for line 1 before the pipe stalled: " << out;
  ASSERT_TRUE(cli.AwaitSleep(kBound));
  cli.Signal(SIGINT);
  EXPECT_EQ(cli.Wait(kBound), ExitStatus(Outcome::Interrupted));
  EXPECT_NE(Err().find("stopped by SIGINT: the output ends with the record of line 1"),
            std::string::npos)
      << Err();
  ::close(writer);
}

// Blank lines after the last pair make no record, and do not hide it.
TEST_F(RunControl, NamesTheLastRecordWrittenWhenBlankLinesFollowIt) {
  CliProcess cli = Start({"--batch", "-j", "2"});
  ASSERT_TRUE(cli.Write(SamplePairs(5)));
  std::string out;
  ReadLines(cli, out, 5);
  ASSERT_EQ(LineCount(out), 5U) << out;
  ASSERT_TRUE(cli.Write("\n\n"));
  // Time for the blank lines to be read, after which the run waits again;
  // the note must not depend on it.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_TRUE(cli.AwaitSleep(kBound));
  cli.Signal(SIGTERM);
  EXPECT_EQ(cli.Wait(kBound), ExitStatus(Outcome::Terminated));
  EXPECT_NE(Err().find("stopped by SIGTERM: the output ends with the record of line 5"),
            std::string::npos)
      << Err();
}

// --- the summary

TEST_F(RunControl, FailsWhenTheSummaryCannotBeWritten) {
  const std::string pairs = cli_.WriteFile("pairs.jsonl", SamplePairs(3));
  const std::string written = cli_.Run({"--batch", pairs}).out;
  const CliRun run = CliRunner("/bin/sh").Run(
      {"-c", "exec \"$0\" --batch \"$1\" --stats 2>/dev/full", VELMORO_CLI_PATH, pairs});
  EXPECT_EQ(run.status, ExitStatus(Outcome::OutputError));
  EXPECT_TRUE(run.out == written) << run.out.size() << " bytes, not " << written.size();
}

}  // namespace
