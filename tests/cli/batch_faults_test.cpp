// velmoro-cli --batch and --lines under faults: a signal while it writes into
// a slow reader, a producer that is slow, streams that never end a line, and
// a pair that exhausts memory.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <string>
#include <vector>

#include "cli_process.h"
#include "cli_runner.h"
#include "exit_status.h"
#include "skip_under_sanitizers.h"

namespace {

using Json = nlohmann::json;
using velmoro::test_support::CliRun;

using velmoro::cli::ExitStatus;
using velmoro::cli::Outcome;
constexpr int kExitBadInput = ExitStatus(Outcome::BadInput);

std::string PairLine(const std::string& text1, const std::string& text2, int id) {
  return Json{{"text1", text1}, {"text2", text2}, {"id", id}}.dump() + '\n';
}

// Every line of out is a whole JSON record.
void ExpectWholeRecords(const std::string& out) {
  ASSERT_TRUE(out.empty() || out.ends_with('\n')) << out.substr(out.size() - 200);
  std::size_t start = 0;
  for (std::size_t end = out.find('\n'); end != std::string::npos;
       start = end + 1, end = out.find('\n', start)) {
    ASSERT_TRUE(Json::accept(out.substr(start, end - start))) << out.substr(start, 200);
  }
}

using velmoro::test_support::CliProcess;

// The bound on a piped run's end.
constexpr std::chrono::seconds kEndBound(60);

class BatchFaults : public testing::Test {
 protected:
  std::string ErrPath() const { return (cli_.folder() / "piped-stderr").string(); }
  std::string Err() const {
    const CliRun cat = velmoro::test_support::CliRunner("/bin/cat").Run({ErrPath()});
    return cat.out;
  }

  velmoro::test_support::CliRunner cli_{VELMORO_CLI_PATH};
};

// Into a reader slower than the writer, SIGTERM lands while a write waits.
TEST_F(BatchFaults, StopsOnSigtermAtTheEndOfARecord) {
  std::string input;
  for (int i = 1; i <= 20000; ++i) input += PairLine("the red bag " + std::to_string(i), "a red bag", i);
  const std::string pairs = cli_.WriteFile("pairs.jsonl", input);
  for (const char* jobs : {"1", "2"}) {
    SCOPED_TRACE(std::string("-j ") + jobs);
    CliProcess cli(VELMORO_CLI_PATH, {"--batch", pairs, "-j", jobs}, ErrPath());
    std::string out = cli.Read(std::chrono::seconds(5), 100000);
    cli.Signal(SIGTERM);
    out += cli.Read(std::chrono::seconds(5));
    EXPECT_EQ(cli.Wait(kEndBound), ExitStatus(Outcome::Terminated));
    ExpectWholeRecords(out);
    const std::string lastLine = std::to_string(std::count(out.begin(), out.end(), '\n'));
    EXPECT_NE(Err().find("stopped by SIGTERM: the output ends with the record of line " + lastLine),
              std::string::npos)
        << Err();
  }
}

// On a terminal that standard error shares, the progress line is cleared
// before records are written over it.
TEST_F(BatchFaults, KeepsProgressOutOfRecordsOnASharedTerminal) {
  std::string input;
  for (int i = 1; i <= 40000; ++i) input += PairLine("the red bag " + std::to_string(i), "a red bag", i);
  const std::string pairs = cli_.WriteFile("pairs.jsonl", input);
  const CliRun run = velmoro::test_support::CliRunner("/usr/bin/script").Run(
      {"-qec", std::string(VELMORO_CLI_PATH) + " --batch " + pairs + " -j 1 --progress always",
       "/dev/null"});
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_NE(run.out.find("\rvelmoro-cli: "), std::string::npos) << "no progress shown";
  std::size_t records = 0;
  for (std::size_t at = run.out.find("{\"line\":"); at != std::string::npos;
       at = run.out.find("{\"line\":", at + 1), ++records) {
    const bool lineStart = at == 0 || run.out[at - 1] == '\n';
    ASSERT_TRUE(lineStart || run.out.compare(at - 3, 3, "\x1B[K") == 0)
        << run.out.substr(at < 80 ? 0 : at - 80, 100);
  }
  EXPECT_EQ(records, 40000U);
}

// What is done is written while the reader waits for the next line.
TEST_F(BatchFaults, WritesEachRecordWhileTheProducerIsSlow) {
  CliProcess cli(VELMORO_CLI_PATH, {"--batch", "-j", "2"}, ErrPath());
  for (int i = 1; i <= 2; ++i) {
    ASSERT_TRUE(cli.Write(PairLine("the red bag", "a red bag", i)));
    const std::string record = cli.Read(std::chrono::seconds(10), 1);
    ASSERT_FALSE(record.empty()) << "no record of line " << i << " before the input ended";
  }
  cli.CloseInput();
  EXPECT_EQ(cli.Wait(kEndBound), 0);
}

// The records of a run, each checked to be whole JSON.
std::vector<Json> Records(const std::string& out) {
  std::vector<Json> records;
  std::size_t start = 0;
  for (std::size_t end = out.find('\n'); end != std::string::npos;
       start = end + 1, end = out.find('\n', start)) {
    records.push_back(Json::parse(out.substr(start, end - start)));
  }
  return records;
}

// A line that holds a NUL byte gets a record that says so, and the lines
// around it keep theirs, however the chunks of work fall.
TEST_F(BatchFaults, AnswersTheLinesAroundALineWithANulByte) {
  constexpr int kNulLine = 1001;
  constexpr int kLines = 1011;
  std::string input;
  for (int i = 1; i <= kLines; ++i) {
    input += i == kNulLine ? std::string(R"({"text1": "a)") + '\0' + R"(b", "text2": "a"})" + '\n'
                           : PairLine("the red bag", "a red bag", i);
  }
  const std::string pairs = cli_.WriteFile("pairs.jsonl", input);
  for (const char* jobs : {"1", "2"}) {
    SCOPED_TRACE(std::string("-j ") + jobs);
    const CliRun run = cli_.Run({"--batch", pairs, "-j", jobs});
    EXPECT_EQ(run.status, kExitBadInput);
    const std::vector<Json> records = Records(run.out);
    ASSERT_EQ(records.size(), static_cast<std::size_t>(kLines)) << run.err;
    for (int i = 1; i <= kLines; ++i) {
      const Json& record = records[static_cast<std::size_t>(i - 1)];
      ASSERT_EQ(record["line"], i);
      if (i != kNulLine) {
        EXPECT_EQ(record["id"], i);
        continue;
      }
      EXPECT_EQ(record["input_error"],
                "the line holds a NUL byte at byte 12: it looks like a binary file, not a text");
    }
  }
}

// A stream without line breaks ends at its first line, which holds a NUL
// byte.
TEST_F(BatchFaults, EndsAStreamOfNulBytesAtItsFirstLine) {
  const std::string file = cli_.WriteFile("one", "a\n");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--batch", "/dev/zero"}, {"--lines", "/dev/zero", file}, {"--lines", file, "/dev/zero"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    const CliRun run = cli_.Run(args);
    EXPECT_EQ(run.status, kExitBadInput);
    EXPECT_NE(run.out.find("holds a NUL byte at byte 0: it looks like a binary file, not a text; "
                           "no line break ends it, so nothing after it is read"),
              std::string::npos)
        << run.out << run.err;
  }
}

// "a a a ..." of words words.
std::string OneLetterWords(int words) {
  std::string text;
  for (int i = 0; i < words; ++i) text += "a ";
  return text;
}

// velmoro-cli --batch over pairs with args, its address space limited to
// kilobytes.
CliRun RunLimited(const std::string& pairs, const std::string& args, int kilobytes) {
  return velmoro::test_support::CliRunner("/bin/sh").Run(
      {"-c", "ulimit -v " + std::to_string(kilobytes) + " && exec \"$0\" --batch \"$1\" " + args,
       VELMORO_CLI_PATH, pairs});
}

// Under an address-space limit, the pair that needs more than it gives fails
// alone, and the batch goes on.
TEST_F(BatchFaults, ReportsAPairThatRunsOutOfMemoryAndGoesOn) {
  VELMORO_SKIP_UNDER_SANITIZERS();
  const std::string pairs =
      cli_.WriteFile("pairs.jsonl", PairLine("a b", "a b", 1) +
                                        PairLine(OneLetterWords((8 << 20) - 8), "a b c d e", 2) +
                                        PairLine("a b", "a c", 3));
  const CliRun run = RunLimited(pairs, "-j 1", 250000);
  EXPECT_EQ(run.status, kExitBadInput) << run.err;
  const std::vector<std::string> expected = {
      R"({"line":1,"id":1,"scores")",
      R"({"line":2,"id":2,"input_error":"not enough memory for this pair"})",
      R"({"line":3,"id":3,"scores")"};
  std::size_t start = 0;
  for (const std::string& record : expected) {
    EXPECT_EQ(run.out.compare(start, record.size(), record), 0) << run.out.substr(start, 200);
    start = run.out.find('\n', start) + 1;
  }
}

// Under an address-space limit, a line longer than the memory left can hold
// gets a record that says so, and the lines around it keep theirs; a long
// line that fits is read, and its record keeps its id.
TEST_F(BatchFaults, ReportsALineTooLongForTheMemoryAndGoesOn) {
  VELMORO_SKIP_UNDER_SANITIZERS();
  constexpr int kTooLong = 101;
  constexpr int kLong = 202;
  constexpr int kLines = 302;
  std::string input;
  for (int i = 1; i <= kLines; ++i) {
    const std::size_t size = i == kTooLong ? std::size_t{80} << 20 : std::size_t{20} << 20;
    input += i == kTooLong || i == kLong
                 ? R"({"text1": ")" + std::string(size, 'a') + R"(", "text2": "a", "id": )" +
                       std::to_string(i) + "}\n"
                 : PairLine("a b", "a c", i);
  }
  const std::string pairs = cli_.WriteFile("pairs.jsonl", input);
  const CliRun run = RunLimited(pairs, "-j 1", 150000);
  EXPECT_EQ(run.status, kExitBadInput) << run.err;
  const std::vector<Json> records = Records(run.out);
  ASSERT_EQ(records.size(), static_cast<std::size_t>(kLines)) << run.err;
  for (int i = 1; i <= kLines; ++i) {
    SCOPED_TRACE(i);
    const Json& record = records[static_cast<std::size_t>(i - 1)];
    EXPECT_EQ(record["line"], i);
    EXPECT_EQ(record.value("id", Json()), i == kTooLong ? Json() : Json(i));
    if (i == kTooLong) {
      EXPECT_EQ(record["input_error"], "the line is too long for the memory available");
    } else if (i == kLong) {
      EXPECT_EQ(record.value("input_error", "").rfind("text 1 is larger than", 0), 0U) << record;
    } else {
      EXPECT_TRUE(record.contains("scores")) << record;
    }
  }
}

// The explanation of a million words takes about 100 MB as a whole record;
// streamed, it fits in far less. One job: every thread's allocator reserves
// address space of its own.
TEST_F(BatchFaults, StreamsALongExplanationInBoundedMemory) {
  VELMORO_SKIP_UNDER_SANITIZERS();
  const std::string text1 = OneLetterWords(1 << 20);
  const std::string pairs =
      cli_.WriteFile("pairs.jsonl", PairLine(text1, "a b", 1) + PairLine("a b", "a c", 2));
  const CliRun run = RunLimited(pairs, "--explain -j 1", 150000);
  EXPECT_EQ(run.status, 0) << run.err;
  // The record is the object --json --explain prints for the pair, with line
  // and id.
  const std::string single =
      cli_.Run({"--json", "--explain", "--file1", cli_.WriteFile("text1", text1), "a b"}).out;
  const std::string first = R"({"line":1,"id":1,)" + single.substr(1);
  EXPECT_TRUE(run.out.starts_with(first)) << run.out.substr(0, 200);
  EXPECT_EQ(run.out.compare(first.size(), 20, R"({"line":2,"id":2,"sc)"), 0);
}

}  // namespace
