// velmoro-cli --batch and --lines, run as a script would run them.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "exit_status.h"

namespace {

using Json = nlohmann::json;
using velmoro::test_support::CliRun;

constexpr int kExitBadInput = velmoro::cli::ExitStatus(velmoro::cli::Outcome::BadInput);

std::vector<Json> Records(const std::string& out) {
  std::vector<Json> records;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) records.push_back(Json::parse(line));
  return records;
}

std::string PairLine(const std::string& text1, const std::string& text2, const Json& id) {
  return Json{{"text1", text1}, {"text2", text2}, {"id", id}}.dump() + '\n';
}

class Batch : public testing::Test {
 protected:
  // The plain row of --lines for a pair, from what --json prints for it.
  std::string RowOf(int line, const std::string& text1, const std::string& text2) const {
    const Json single = Json::parse(cli_.Run({"--json", text1, text2}).out);
    std::string row = std::to_string(line);
    for (const Json& score : single["scores"]) row += '\t' + score.dump();
    return row + '\t' +
           (single["error"].is_null() ? single["result"] : single["error"]).get<std::string>() +
           '\n';
  }

  CliRun RunBatch(std::vector<std::string> args, std::string_view input) const {
    args.insert(args.begin(), "--batch");
    return cli_.Run(std::move(args), input);
  }

  velmoro::test_support::CliRunner cli_{VELMORO_CLI_PATH};
};

// Enough lines for several chunks of work, a malformed one among them.
TEST_F(Batch, AnswersEveryLineInOrderWhateverTheJobs) {
  constexpr int kLines = 5000;
  constexpr int kMalformed = 2500;
  std::string input;
  for (int i = 1; i <= kLines; ++i) {
    input += i == kMalformed ? "{\"text1\": \"cut off\n"
                             : PairLine("the red bag " + std::to_string(i),
                                        "a red bag and " + std::to_string(i % 7), i);
  }
  const CliRun one = RunBatch({"-j", "1"}, input);
  const CliRun eight = RunBatch({"-j", "8"}, input);
  EXPECT_EQ(one.out, eight.out);
  EXPECT_EQ(one.status, kExitBadInput);
  EXPECT_EQ(one.err, "");  // no progress or summary when nobody watches
  const std::vector<Json> records = Records(one.out);
  ASSERT_EQ(records.size(), static_cast<std::size_t>(kLines));
  for (int i = 1; i <= kLines; ++i) {
    const Json& record = records[static_cast<std::size_t>(i - 1)];
    ASSERT_EQ(record["line"], i);
    EXPECT_EQ(record.contains("input_error"), i == kMalformed) << record;
    if (i != kMalformed) {
      EXPECT_EQ(record["id"], i);
    }
  }
  // A record is the object --json prints for the pair, with line and id.
  Json single = Json::parse(cli_.Run({"--json", "the red bag 1", "a red bag and 1"}).out);
  single["line"] = 1;
  single["id"] = 1;
  EXPECT_EQ(records[0], single);
}

// A pair whose Compare ended in an error has the record that --json prints
// for it, with its scores and panels so far, as a completed pair has.
TEST_F(Batch, WritesEachPairsRecordAsASingleCompareDoes) {
  const std::vector<std::pair<std::string, std::string>> pairs = {
      {"the red bag", "no word in common"}, {"", "a"}, {"the red bag", "a red bag"}};
  std::string input;
  for (const auto& [text1, text2] : pairs) input += PairLine(text1, text2, nullptr);
  const std::vector<Json> records = Records(RunBatch({}, input).out);
  ASSERT_EQ(records.size(), pairs.size());
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    SCOPED_TRACE(pairs[i].first + " | " + pairs[i].second);
    Json single = Json::parse(cli_.Run({"--json", pairs[i].first, pairs[i].second}).out);
    single["line"] = i + 1;
    single["id"] = nullptr;
    EXPECT_EQ(records[i], single);
  }
}

// Each line that cannot be read gets a record that says why, naming the
// member at fault, and the run goes on.
TEST_F(Batch, SaysWhyItCouldNotReadALine) {
  struct Row {
    std::string line;
    std::string why;
    Json id;  // null: none could be read
  };
  const std::vector<Row> rows = {
      {"[1, 2]", "not a JSON object with \"text1\" and \"text2\": '{' expected at byte 0", nullptr},
      {"not json", "not a JSON object with \"text1\" and \"text2\": '{' expected at byte 0",
       nullptr},
      {"{\"text1\": \"a\"}", "\"text2\" is missing", nullptr},
      {"{\"text1\": \"a\", \"text2\": 2, \"id\": [\"x\"]}", "\"text2\" is not a string", {"x"}},
      {"{\"text1\": \"a\", \"text2\": \"b\\u0000\", \"id\": 5}", "text 2 holds a NUL byte", 5},
      {"{\"text1\": \"\\ud800\", \"text2\": \"b\", \"id\": 6}",
       "\"text1\" holds a lone surrogate, '\\ud800' at byte 11: it is not valid Unicode", nullptr},
      {"{\"text1\": \"a\tb\", \"text2\": \"b\"}",
       "\"text1\" is not valid JSON: the control character U+0009", nullptr},
      {"{\"text1\": \"\xC0\xAF\", \"text2\": \"b\"}", "the line is not valid UTF-8", nullptr},
      {"{\"text1\": \"a\", \"text2\": \"b\"} {}", "trailing content after the object at byte 29",
       nullptr},
      {"{\"text1\": \"a\", \"text2\": \"b\",}", "a key in double quotes expected at byte 28",
       nullptr},
      // A member read for nothing must still be JSON.
      {"{\"text1\": \"a\", \"text2\": \"b\", \"x\": [1, tru]}",
       "\"x\" is not valid JSON: 'tru' at byte 38", nullptr},
  };
  std::string input;
  for (const Row& row : rows) input += row.line + '\n';
  const CliRun run = RunBatch({}, input + PairLine("a", "a", 1));
  EXPECT_EQ(run.status, kExitBadInput);
  const std::vector<Json> records = Records(run.out);
  ASSERT_EQ(records.size(), rows.size() + 1);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(rows[i].line);
    EXPECT_EQ(records[i]["line"], i + 1);
    const std::string why = records[i].value("input_error", "");
    EXPECT_NE(why.find(rows[i].why), std::string::npos) << why;
    EXPECT_EQ(records[i].value("id", Json()), rows[i].id);
  }
  EXPECT_EQ(records.back()["result"], "0");
}

// An id is written back as the line wrote it only when it is valid JSON:
// any other makes its line an input error, which names the id.
TEST_F(Batch, WritesBackOnlyIdsThatAreValidJson) {
  const std::vector<std::string> ids = {
      "tru", "01", "-", "1.", "1e", "0x10", R"("\x")", R"("\u12")", "[1 2]", "[1,]", R"({"a":1,})",
      R"("\udc00")"};
  std::string input;
  for (const std::string& id : ids) {
    input += R"({"text1": "a b", "text2": "a c", "id": )" + id + "}\n";
  }
  const CliRun run = RunBatch({}, input);
  EXPECT_EQ(run.status, kExitBadInput);
  const std::vector<Json> records = Records(run.out);
  ASSERT_EQ(records.size(), ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i) {
    SCOPED_TRACE(ids[i]);
    EXPECT_FALSE(records[i].contains("id"));
    EXPECT_EQ(records[i].value("input_error", "").rfind("\"id\" ", 0), 0U) << records[i];
  }
}

// Only text1, text2 and id are read: numbers no double holds elsewhere do no
// harm, an id comes back as the line wrote it, and blank lines are skipped.
TEST_F(Batch, ReadsOnlyTheFieldsItNeedsAndSkipsBlankLines) {
  const std::vector<std::string> ids = {"18446744073709551616", "1e400", "1e10",
                                        R"({"k" : [1, -0.0]})", R"("\u00e9\ud83d\ude00")",
                                        std::string(3000, '[') + std::string(3000, ']')};
  std::string input = "\n";
  for (const std::string& id : ids) {
    input += R"({"n": 123456789012345678901, "x": 1e999, "text1": "a b", "text2": "a b", "id": )" +
             id + " }\n \r\n";
  }
  const CliRun run = RunBatch({"--stats"}, input);
  EXPECT_EQ(run.status, 0) << run.out;
  std::istringstream lines(run.out);
  std::size_t line = 2;
  for (const std::string& id : ids) {
    SCOPED_TRACE(id);
    std::string record;
    ASSERT_TRUE(std::getline(lines, record));
    EXPECT_EQ(record.rfind("{\"line\":" + std::to_string(line) + ",\"id\":" + id + ",\"scores\"", 0),
              0U)
        << record;
    line += 2;
  }
  EXPECT_EQ(lines.peek(), EOF);
  const std::string pairs = std::to_string(ids.size());
  EXPECT_NE(run.err.find("pairs: " + pairs + ", completed: " + pairs +
                         ", lines not read: 0, blank lines: " + std::to_string(ids.size() + 1)),
            std::string::npos)
      << run.err;
}

TEST_F(Batch, ComparesTheLinesOfTwoFiles) {
  const std::string file1 = cli_.WriteFile("one", "the red bag\r\nx\rsame\n");
  const std::string file2 = cli_.WriteFile("two", "a red bag\ny\nsame");
  const CliRun rows = cli_.Run({"--lines", file1, file2, "--stats"});
  EXPECT_EQ(rows.status, 0);
  EXPECT_EQ(rows.out, "line\t1-2 #\t2-1 #\t1-2 STD\t2-1 STD\tresult\n" +
                          RowOf(1, "the red bag", "a red bag") + RowOf(2, "x", "y") +
                          RowOf(3, "same", "same"));
  EXPECT_NE(rows.err.find("pairs: 3, completed: 2"), std::string::npos) << rows.err;
  const std::vector<Json> records = Records(cli_.Run({"--lines", file1, file2, "--json"}).out);
  ASSERT_EQ(records.size(), 3U);
  EXPECT_EQ(records[2]["line"], 3);
  EXPECT_EQ(records[2]["result"], "0");

  // A row of a line that could not be read has the columns of the others.
  const CliRun bad = cli_.Run({"--lines", cli_.WriteFile("bad", "\xC0\n"), cli_.WriteFile("a", "a")});
  EXPECT_EQ(bad.status, kExitBadInput);
  EXPECT_EQ(bad.out.substr(bad.out.find('\n') + 1, 29), "1\t-\t-\t-\t-\tinput error: text 1")
      << bad.out;

  const CliRun twice = cli_.Run({"--lines", "-", "-"}, "a\n");
  EXPECT_EQ(twice.status, kExitBadInput);
  EXPECT_NE(twice.err.find("'-' and '-' are one stream (standard input)"), std::string::npos)
      << twice.err;

  const CliRun unequal = cli_.Run({"--lines", file1, cli_.WriteFile("short", "a\n")});
  EXPECT_EQ(unequal.status, kExitBadInput);
  EXPECT_EQ(unequal.out, "");
  EXPECT_NE(unequal.err.find("equal line counts"), std::string::npos) << unequal.err;
}

}  // namespace
