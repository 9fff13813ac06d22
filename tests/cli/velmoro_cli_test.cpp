// Runs the velmoro-cli program itself and checks what it prints, on which
// stream, and with which exit status.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli_runner.h"
#include "exit_status.h"
#include "sample_pair.h"
#include "velmoro/pairs/pool.h"

namespace {

using Json = nlohmann::json;

using velmoro::fixtures::kSamplePair;
const std::string kSampleText1(kSamplePair.text1);
const std::string kSampleText2(kSamplePair.text2);
const std::string kSampleResult(kSamplePair.result);

// The sample pair's score of direction d, 1 to 4, as text.
std::string SampleScore(int d) {
  return std::to_string(kSamplePair.scores[static_cast<std::size_t>(d - 1)]);
}

// The sample pair's two rows and result line, as velmoro-cli prints them.
std::string SampleRows() {
  std::string rows;
  for (const auto& panels : {kSamplePair.status1, kSamplePair.status2}) {
    rows += std::string(panels[0]) + "  " + std::string(panels[1]) + "  " +
            std::string(panels[2]) + '\n';
  }
  return rows + "Result: " + kSampleResult + '\n';
}

Json JsonOf(const std::array<std::string_view, 3>& panels) {
  return Json::array({std::string(panels[0]), std::string(panels[1]), std::string(panels[2])});
}

using velmoro::cli::ExitStatus;
using velmoro::cli::Outcome;
constexpr int kExitCompareError = ExitStatus(Outcome::CompareError);
constexpr int kExitBadInput = ExitStatus(Outcome::BadInput);
constexpr int kExitOutputError = ExitStatus(Outcome::OutputError);

// The length factor 1 + |l1 - l2| / l1, rounded to single precision, widened.
double LengthFactor(double length1, double length2) {
  return static_cast<double>(static_cast<float>(1.0 + std::abs(length1 - length2) / length1));
}

using velmoro::test_support::CliRun;
using velmoro::test_support::CliStreams;

class VelmoroCli : public testing::Test {
 protected:
  std::string WriteFile(const std::string& name, std::string_view bytes) const {
    return cli_.WriteFile(name, bytes);
  }

  CliRun RunCli(std::vector<std::string> args, std::string_view input = {}) const {
    return cli_.Run(std::move(args), input);
  }

  // Runs velmoro-cli --json with args and parses what it printed.
  Json RunJson(std::vector<std::string> args, std::string_view input = {}) const {
    args.insert(args.begin(), "--json");
    const CliRun run = RunCli(std::move(args), input);
    return Json::parse(run.out);
  }

  velmoro::test_support::CliRunner cli_{VELMORO_CLI_PATH};
};

// --- complete comparisons

TEST_F(VelmoroCli, PrintsTheRowsAndResultOfSamplePairA) {
  const CliRun run = RunCli({kSampleText1, kSampleText2});
  EXPECT_EQ(run.out, SampleRows());
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.status, EXIT_SUCCESS);
}

TEST_F(VelmoroCli, PrintsSamplePairAAsJson) {
  const CliRun run = RunCli({"--json", kSampleText1, kSampleText2});
  EXPECT_EQ(run.status, EXIT_SUCCESS);
  const Json report = Json::parse(run.out);
  std::set<std::string> keys;
  for (const auto& [key, value] : report.items()) keys.insert(key);
  EXPECT_EQ(keys, (std::set<std::string>{"scores", "length_factor", "status1", "status2",
                                         "result", "distance", "error", "message"}));
  EXPECT_EQ(report["scores"], Json(kSamplePair.scores));
  const double lengthFactor = report["length_factor"].get<double>();
  EXPECT_EQ(lengthFactor, LengthFactor(static_cast<double>(kSampleText1.size()),
                                       static_cast<double>(kSampleText2.size())));
  std::array<char, 32> fifteenDigits{};
  std::snprintf(fifteenDigits.data(), fifteenDigits.size(), "%.15g", lengthFactor);
  EXPECT_EQ(std::string_view(fifteenDigits.data()), kSamplePair.length_factor_text);
  EXPECT_EQ(report["status1"], JsonOf(kSamplePair.status1));
  EXPECT_EQ(report["status2"], JsonOf(kSamplePair.status2));
  EXPECT_EQ(report["result"], kSampleResult);
  EXPECT_NEAR(report["distance"].get<double>(), std::stod(kSampleResult), 1e-13);
  EXPECT_TRUE(report["error"].is_null());
}

TEST_F(VelmoroCli, FoldsTheCaseOfLettersBeyondAscii) {
  // Equal after case folding and equal in length: self-scores equal the
  // cross-scores. Three words score 4 (2 by context, then one point each),
  // two words 2.
  struct Row {
    std::string text1;
    std::string text2;
    int score;
  };
  const Row kRows[] = {
      {"Ärger über Öl", "ärger über öl", 4},
      {"\U00010400 a", "\U00010428 a", 2},  // Deseret capital and small long I
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.text1);
    const Json report = RunJson({row.text1, row.text2});
    EXPECT_EQ(report["scores"], Json({row.score, row.score, row.score, row.score}));
    EXPECT_EQ(report["length_factor"], 1.0);
    EXPECT_EQ(report["result"], "0");
  }
}

TEST_F(VelmoroCli, MeasuresLengthsInUtf16Units) {
  struct Row {
    std::string text1;
    std::string text2;
    double length_factor;
  };
  const Row kRows[] = {
      {"é", "e", LengthFactor(1, 1)},              // two bytes, one unit
      {"\U0001F600", "a", LengthFactor(2, 1)},     // one code point, two units
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.text1);
    EXPECT_EQ(RunJson({row.text1, row.text2})["length_factor"], row.length_factor);
  }
}

TEST_F(VelmoroCli, TakesTextsBeginningWithADashAfterDoubleDash) {
  // "-- yes" has an empty first word, which is found and consumes "yes".
  const Json report = RunJson({"--", "-- yes", "yes no"});
  EXPECT_EQ(report["scores"][0], 1);
}

// --- explanations

TEST_F(VelmoroCli, ExplainsSamplePairAInAlignedTables) {
  const CliRun run = RunCli({"--explain", kSampleText1, kSampleText2});
  EXPECT_EQ(run.status, EXIT_SUCCESS);
  const std::string head = SampleRows() + "\nDirection 1, text 1 against text 2: score " +
                           SampleScore(1) +
                           "\n"
                           "  word   source  target  points  following  preceding  why\n"
                           "  anna   0-4     0-4          2          2          0\n";
  EXPECT_EQ(run.out.rfind(head, 0), 0U) << run.out;
  // The second "the" is found at the start of "then", marked as inside a
  // longer word; "red" is not found, as text 2 has no "red".
  EXPECT_NE(run.out.find("\n  the    37-40   25-28*       1          1          0\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("\n  red    15-18   -            0                        not in text 2\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("\nDirection 4, text 2 against itself: score " + SampleScore(4) + '\n'),
            std::string::npos);
  // The result from the length factor and the four scores, after a legend.
  EXPECT_TRUE(run.out.ends_with("\nResult: the fourth root of the length factor " +
                                std::string(kSamplePair.length_factor_text) + ", times (" +
                                SampleScore(3) + " + " + SampleScore(4) + ") / (" +
                                SampleScore(1) + " + " + SampleScore(2) + "), minus 1 = " +
                                kSampleResult + '\n'))
      << run.out;
}

TEST_F(VelmoroCli, ExplainsInJsonWithEveryOtherKeyAsItWas) {
  const Json plain = RunJson({kSampleText1, kSampleText2});
  Json explained = RunJson({"--explain", kSampleText1, kSampleText2});
  const Json explain = explained["explain"];
  explained.erase("explain");
  EXPECT_EQ(explained, plain);
  ASSERT_EQ(explain.size(), 4U);
  const Json& first = explain[0];
  EXPECT_EQ(first["direction"], 1);
  EXPECT_EQ(first["source"], "text1");
  EXPECT_EQ(first["target"], "text2");
  EXPECT_EQ(first["complete"], true);
  EXPECT_EQ(first["score"], kSamplePair.scores[0]);
  ASSERT_EQ(first["words"].size(), 14U);
  EXPECT_EQ(first["words"][0], Json::parse(R"({"word": "anna", "source": [0, 4], "target": [0, 4],
                                               "points": 2, "following": 2, "preceding": 0})"));
  EXPECT_EQ(first["words"][3], Json::parse(R"({"word": "red", "source": [15, 18], "target": null,
                                               "points": 0, "following": null, "preceding": null,
                                               "not_found": "absent"})"));
  EXPECT_EQ(first["words"][8]["target"], Json({25, 28}));
}

TEST_F(VelmoroCli, ExplainsTheDirectionsAnErrorLeftUnfinished) {
  std::string words;
  for (int i = 0; i < 300; ++i) words.append(1, 'w').append(std::to_string(i)).append(1, ' ');
  const Json explain = RunJson({"--explain", words, "w1"})["explain"];
  EXPECT_EQ(explain[0]["complete"], true);
  EXPECT_EQ(explain[2]["complete"], false);
  EXPECT_TRUE(explain[3].is_null());
}

// --- comparisons that end in an error

TEST_F(VelmoroCli, ShowsThePanelsWrittenBeforeADivisionByZero) {
  const CliRun run = RunCli({"x", "y"});
  EXPECT_EQ(run.out, "1-2  STD: 1  #: 0\n2-1  STD: 1  #: 0\n");
  EXPECT_EQ(run.err.rfind("velmoro-cli: No word in common: ", 0), 0U) << run.err;
  EXPECT_EQ(run.status, kExitCompareError);

  const Json report = RunJson({"x", "y"});
  EXPECT_EQ(report["scores"], Json({0, 0, 1, 1}));
  EXPECT_EQ(report["status1"], Json({"1-2", "STD: 1", "#: 0"}));
  EXPECT_EQ(report["status2"], Json({"2-1", "STD: 1", "#: 0"}));
  EXPECT_TRUE(report["result"].is_null());
  EXPECT_EQ(report["error"], "FPException");
}

TEST_F(VelmoroCli, StopsBeforeAnyPanelForAnEmptyText1) {
  const CliRun run = RunCli({"", "abc"});
  EXPECT_EQ(run.out, "1-2\n2-1\n");
  EXPECT_NE(run.err.find("FPException"), std::string::npos) << run.err;
  EXPECT_EQ(run.status, kExitCompareError);

  const Json report = RunJson({"", "abc"});
  EXPECT_EQ(report["scores"], Json({nullptr, nullptr, nullptr, nullptr}));
  EXPECT_TRUE(report["length_factor"].is_null());
  EXPECT_EQ(report["status1"], Json({"1-2", "", ""}));
  EXPECT_EQ(report["status2"], Json({"2-1", "", ""}));
  EXPECT_EQ(report["error"], "FPException");
}

TEST_F(VelmoroCli, NamesAnOverflowThatEndsTheFirstDirection) {
  // "a" lies at position 40002 of the target of direction 1.
  const std::string text2 = std::string(40000, 'x') + " a";
  const CliRun run = RunCli({"a", text2});
  EXPECT_EQ(run.out, "1-2\n2-1\n");
  EXPECT_EQ(run.err.rfind("velmoro-cli: A word of text 1 is found more than 32767 characters "
                          "into text 2", 0), 0U) << run.err;
  EXPECT_TRUE(run.err.ends_with(" (Overflow)\n")) << run.err;
  EXPECT_EQ(run.status, kExitCompareError);

  const Json report = RunJson({"a", text2});
  EXPECT_EQ(report["scores"], Json({nullptr, nullptr, nullptr, nullptr}));
  EXPECT_EQ(report["length_factor"], LengthFactor(1, 40002));
  EXPECT_EQ(report["error"], "Overflow");
  EXPECT_EQ(report["message"].get<std::string>() + '\n', run.err.substr(run.err.find(' ') + 1));
}

// --- files and standard input

TEST_F(VelmoroCli, DropsExactlyOneFinalLineTerminatorOfAFile) {
  struct Row {
    std::string_view file1;
    double length_factor;  // against the three units of "abc"
  };
  const Row kRows[] = {
      {"abc\n", LengthFactor(3, 3)},
      {"abc\r\n", LengthFactor(3, 3)},
      {"abc\n\n", LengthFactor(5, 3)},          // "abc\n", compared as "abc\r\n"
      {"abc\r\n\r\n", LengthFactor(5, 3)},      // "abc\r\n"
      {"abc\n\r\n", LengthFactor(5, 3)},        // "abc\n"
      {"abc\r", LengthFactor(3, 3)},            // a lone "\r" ends a line too
      {"abc\r\r", LengthFactor(5, 3)},          // "abc\r"
      {"a\r\nb\n", LengthFactor(4, 3)},         // "a\r\nb"
  };
  const std::string file2 = WriteFile("text2", "abc");
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::PrintToString(row.file1));
    const std::string file1 = WriteFile("text1", row.file1);
    EXPECT_EQ(RunJson({"--file1", file1, "--file2", file2})["length_factor"], row.length_factor);
  }
}

TEST_F(VelmoroCli, ReadsOneTextFromStandardInput) {
  // "scar" against "car", whichever of them comes from standard input.
  const std::string scar = WriteFile("scar", "scar");
  const std::string car = WriteFile("car", "car\r\n");
  const Json fromInput1 = RunJson({"--file1", "-", "--file2", car}, "scar\n");
  const Json fromInput2 = RunJson({"--file2", "-", "--file1", scar}, "car\r\n");
  const Json fromArgument = RunJson({"--file2", car, "scar"});
  for (const Json& report : {fromInput1, fromInput2, fromArgument}) {
    EXPECT_EQ(report["scores"], Json({0, 1, 1, 1}));
    EXPECT_EQ(report["length_factor"], 1.25);
    EXPECT_EQ(report["result"], "1.11474252688113");
  }
}

// --- rejected input

TEST_F(VelmoroCli, RejectsInvalidUtf8) {
  const std::string overlong = "\xC0\xAF";
  const std::string surrogate = "ab\xED\xA0\x80";
  const std::vector<std::vector<std::string>> kCommandLines = {
      {"--file1", WriteFile("overlong", overlong), "--file2", WriteFile("ok", "ok")},
      {"--file2", WriteFile("surrogate", surrogate + "\n"), "ok"},
      {"ok", surrogate},
  };
  for (const std::vector<std::string>& args : kCommandLines) {
    SCOPED_TRACE(testing::PrintToString(args));
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, kExitBadInput);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("not valid UTF-8"), std::string::npos) << run.err;
  }
}

TEST_F(VelmoroCli, RejectsAFileThatCannotBeRead) {
  const std::string missing = (cli_.folder() / "missing").string();
  for (const std::string& path : {missing, cli_.folder().string()}) {
    SCOPED_TRACE(path);
    const CliRun run = RunCli({"--file2", path, "text"});
    EXPECT_EQ(run.status, kExitBadInput);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("cannot read text 2 from '" + path + "'"), std::string::npos)
        << run.err;
  }
}

TEST_F(VelmoroCli, RejectsBadUsage) {
  const std::vector<std::vector<std::string>> kCommandLines = {
      {},
      {"one"},
      {"one", "two", "three"},
      {"--bogus", "one", "two"},
      {"-x", "two"},
      {"one", "two", "--file1"},
      {"--file1", "a", "one", "two"},
      {"--file2", "a", "--file2", "b", "one"},
      {"--file1", "-", "--file2", "-"},
  };
  for (const std::vector<std::string>& args : kCommandLines) {
    SCOPED_TRACE(testing::PrintToString(args));
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, kExitBadInput);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
  }
}

// What is wrong with a command line is told in words of this program that
// say what to do, never in the parser's.
TEST_F(VelmoroCli, SaysPlainlyWhatIsWrongWithACommandLine) {
  struct Row {
    std::vector<std::string> args;
    std::string message;
  };
  const std::string threads =
      "a number of threads from 1 to " + std::to_string(velmoro::pairs::kMostThreads);
  const std::string pastTheMost = std::to_string(velmoro::pairs::kMostThreads + 1);
  const std::vector<Row> rows = {
      {{"--batch", "a.jsonl", "b.jsonl", "c.jsonl"},
       "--batch reads its pairs from one file, so 'b.jsonl' has no place here (to read several, "
       "join them: cat FILE... | velmoro-cli --batch)"},
      {{"--lines", "a.txt"}, "--lines needs two files right after it, FILE1 and FILE2, but has "
                             "only 'a.txt'"},
      {{"--lines", "a.txt", "b.txt", "c.txt"},
       "--lines compares two files, FILE1 and FILE2, so 'c.txt' has no place here"},
      {{"--batch", "-j", "0"}, "-j/--jobs takes " + threads + ", not '0'"},
      {{"--batch", "-j", pastTheMost},
       "-j/--jobs takes " + threads + ", not '" + pastTheMost + "'"},
      {{"--batch", "--jobs"}, "-j/--jobs needs N, " + threads + ", right after it"},
      {{"--batch", "--progress", "often"}, "--progress takes auto, always or never, not 'often'"},
      {{"one", "--file1"}, "--file1 needs the PATH of text 1 right after it"},
      {{"--file2", "a", "--file2", "b", "one"}, "--file2 is given 2 times: give it once"},
      {{"--json=yes", "one", "two"}, "--json takes no value, but was given 'yes'"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const CliRun run = RunCli(row.args);
    EXPECT_EQ(run.status, kExitBadInput);
    EXPECT_EQ(run.err, "velmoro-cli: " + row.message +
                           "\nTry 'velmoro-cli --help' for more information.\n");
  }
}

TEST_F(VelmoroCli, RefusesWhatIsNotATextBeforeReadingItAll) {
  struct Row {
    std::vector<std::string> args;
    std::string problem;
  };
  const std::string big = WriteFile("big", std::string((16 << 20) + 3, 'a'));
  const std::vector<Row> rows = {
      {{"--file1", "/dev/zero", "b"}, "text 1 from '/dev/zero' holds a NUL byte at byte 0"},
      {{"--file1", "/dev/urandom", "b"}, "text 1 from '/dev/urandom' "},
      {{"--file2", big, "b"}, "is larger than 16 MiB"},
      {{"--file1", WriteFile("utf16", "\xFF\xFEx\0"), "x"}, "looks like UTF-16: convert it to UTF-8"},
      {{"--file1", WriteFile("utf32", std::string_view("\xFF\xFE\0\0x\0\0\0", 8)), "x"},
       "looks like UTF-32: convert it to UTF-8"},
      {{"--file1", WriteFile("bad\nname", std::string_view("x\0", 2)), "x"}, "bad\\nname' holds a NUL byte at byte 1"},
      {{"--file1", (cli_.folder() / "no\x1B[31mfile").string(), "x"}, "no\\x1B[31mfile'"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const CliRun run = RunCli(row.args);
    EXPECT_EQ(run.status, kExitBadInput);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(row.problem), std::string::npos) << run.err;
  }
}

// A stream named for both texts could be read only once.
TEST_F(VelmoroCli, RefusesStandardInputForBothTextsByAnyName) {
  const CliStreams pipe{.input_from_pipe = true};
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--file1", "/dev/stdin", "--file2", "/dev/stdin"},
           {"--file1", "-", "--file2", "/dev/stdin"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    const CliRun run = cli_.Run(args, "text", pipe);
    EXPECT_EQ(run.status, kExitBadInput);
    EXPECT_NE(run.err.find("only one text can come from standard input"), std::string::npos);
  }
}

// A named pipe given for both texts is not standard input.
TEST_F(VelmoroCli, RefusesOneNamedPipeForBothTexts) {
  const std::string fifo = (cli_.folder() / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const CliRun run = RunCli({"--file1", fifo, "--file2", fifo});
  EXPECT_EQ(run.status, kExitBadInput);
  EXPECT_NE(run.err.find("text 1 and text 2 name one stream, '" + fifo + "'"), std::string::npos)
      << run.err;
}

// An encoding signature is not text.
TEST_F(VelmoroCli, DropsAUtf8ByteOrderMark) {
  const std::string marked = "\xEF\xBB\xBFx";
  EXPECT_EQ(RunJson({"--file1", WriteFile("marked", marked), "x"})["result"], "0");
  EXPECT_EQ(RunJson({"--file1", "-", "x"}, marked)["result"], "0");
}

TEST_F(VelmoroCli, ReportsOutputThatCannotBeWritten) {
  const std::vector<std::vector<std::string>> commands = {
      {"a", "a"}, {"--json", "a", "a"}, {"--help"}, {"--version"}};
  for (const CliStreams& streams :
       {CliStreams{.output_path = "/dev/full"}, CliStreams{.output_closed = true}}) {
    for (const std::vector<std::string>& args : commands) {
      SCOPED_TRACE(testing::PrintToString(args) + (streams.output_closed ? " closed" : " full"));
      const CliRun run = cli_.Run(args, {}, streams);
      EXPECT_EQ(run.status, kExitOutputError);
      EXPECT_NE(run.err.find("cannot write to standard output"), std::string::npos) << run.err;
    }
  }
}

TEST_F(VelmoroCli, ReportsInputErrorsAsJsonWhenAskedFor) {
  // A file name in another encoding than UTF-8 is named in valid JSON.
  const std::string latin1Name = (cli_.folder() / "caf\xE9").string();
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--json", "one"},
           {"--json", "--file1", "/dev/zero", "b"},
           {"--json", "--file1", latin1Name, "b"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, kExitBadInput);
    const Json error = Json::parse(run.out);
    ASSERT_TRUE(error.contains("input_error")) << run.out;
    EXPECT_NE(run.err.find(error["input_error"].get<std::string>()), std::string::npos);
  }
}

// --- help and version

TEST_F(VelmoroCli, PrintsHelpAndVersion) {
  const CliRun help = RunCli({"--help"});
  EXPECT_EQ(help.status, EXIT_SUCCESS);
  EXPECT_EQ(help.out.rfind("Usage: velmoro-cli", 0), 0U);
  EXPECT_NE(help.out.find("--json"), std::string::npos);

  const CliRun version = RunCli({"--version"});
  EXPECT_EQ(version.status, EXIT_SUCCESS);
  EXPECT_EQ(version.out, "velmoro-cli 1.00\n");
}

// The command lines under "Examples:" of --help.
std::vector<std::string> HelpExamples(const std::string& help) {
  std::vector<std::string> examples;
  const std::string heading = "\nExamples:\n";
  const std::size_t start = help.find(heading);
  if (start == std::string::npos) return examples;
  std::istringstream lines(help.substr(start + heading.size()));
  constexpr std::string_view kIndent = "  ";
  for (std::string line; std::getline(lines, line) && !line.empty();) {
    if (line.starts_with(std::string(kIndent) + "velmoro-cli ")) {
      examples.push_back(line.substr(kIndent.size()));
    }
  }
  return examples;
}

// Each example of --help runs as typed, in a folder that holds the files it
// names, made up from the sample pair: text 1, then text 2, for its text
// files, and the pair for its JSON Lines.
TEST_F(VelmoroCli, RunsEveryExampleOfItsHelp) {
  const std::vector<std::string> examples = HelpExamples(RunCli({"--help"}).out);
  ASSERT_FALSE(examples.empty());
  const std::string programFolder = std::filesystem::path(VELMORO_CLI_PATH).parent_path().string();
  for (const std::string& example : examples) {
    SCOPED_TRACE(example);
    const velmoro::test_support::CliRunner shell("/bin/sh");
    std::istringstream words(example);
    int texts = 0;
    for (std::string word; words >> word;) {
      if (word.ends_with(".txt")) {
        static_cast<void>(shell.WriteFile(word, texts++ % 2 == 0 ? kSampleText1 : kSampleText2));
      } else if (word.ends_with(".jsonl")) {
        static_cast<void>(shell.WriteFile(
            word, Json{{"text1", kSampleText1}, {"text2", kSampleText2}}.dump() + '\n'));
      }
    }
    const CliRun run = shell.Run({"-c", "cd \"$0\" && PATH=\"$1:$PATH\" && " + example,
                                  shell.folder().string(), programFolder});
    EXPECT_EQ(run.status, EXIT_SUCCESS) << run.err;
  }
}

}  // namespace
