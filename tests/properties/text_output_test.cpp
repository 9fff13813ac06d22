// velmoro-cli's text outputs on generated pairs: the plain report with its
// explanation tables and the rows of --lines must be written for every pair
// and must say what the JSON records say of it: the same words, places,
// points and reasons, the same scores and results.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "escaped_text.h"
#include "explanation_report.h"
#include "property_support.h"
#include "record_writer.h"

namespace velmoro::properties {
namespace {

using Json = nlohmann::json;
using cli::RecordForm;

constexpr int kWrittenPairs = 3000;
constexpr int kCliPairs = VELMORO_CLI_PAIRS;
constexpr std::uint32_t kSeed = 11;

std::vector<std::string> Tokens(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> tokens;
  for (std::string token; in >> token;) tokens.push_back(token);
  return tokens;
}

std::vector<std::string> Lines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The rows of direction's table in a plain explanation, without its heading.
std::vector<std::string> TableRows(const std::vector<std::string>& lines, int direction) {
  const std::string heading = "Direction " + std::to_string(direction) + ",";
  auto row = std::find_if(lines.begin(), lines.end(),
                          [&](const std::string& line) { return line.starts_with(heading); });
  EXPECT_NE(row, lines.end()) << "no table for direction " << direction;
  if (row == lines.end() || ++row == lines.end()) return {};
  std::vector<std::string> rows;
  while (++row != lines.end() && !row->empty()) rows.push_back(*row);
  return rows;
}

// What the plain table says why a word earned nothing, by its JSON reason.
std::string Reason(const Json& word, int target) {
  if (!word.contains("not_found")) return "";
  ExplainedWord reasoned{};
  reasoned.not_found = word["not_found"] == "absent" ? NotFound::Absent : NotFound::Used;
  return cli::WhyNothing(reasoned, std::nullopt, target);
}

// A row of the plain table against the JSON word it stands for. A place used
// up may name, after its reason, the earlier word shown that used it.
void ExpectRowSays(const std::string& row, const Json& word, int target,
                   const std::vector<std::string>& earlier) {
  const std::string text = word["word"];
  const std::string shown = text.empty() ? "(empty word)" : cli::Escaped(text);
  std::vector<std::string> expected = Tokens(shown);
  const auto place = [](const Json& span) {
    return std::to_string(span[0].get<long>()) + '-' + std::to_string(span[1].get<long>());
  };
  expected.push_back(place(word["source"]));
  expected.push_back(word["target"].is_null() ? "-" : place(word["target"]));
  expected.push_back(std::to_string(word["points"].get<int>()));
  for (const char* run : {"following", "preceding"}) {
    if (!word[run].is_null()) expected.push_back(std::to_string(word[run].get<int>()));
  }
  for (const std::string& token : Tokens(Reason(word, target))) expected.push_back(token);

  std::vector<std::string> actual = Tokens(row);
  ASSERT_GE(actual.size(), expected.size()) << row;
  std::string& targetPlace = actual[Tokens(shown).size() + 1];
  if (targetPlace.ends_with('*')) targetPlace.pop_back();
  const std::vector<std::string> named(actual.begin() + static_cast<long>(expected.size()),
                                       actual.end());
  actual.resize(expected.size());
  EXPECT_EQ(actual, expected) << row;
  if (named.empty()) return;
  EXPECT_EQ(word["not_found"], "used") << row;
  std::string usedBy;
  for (std::size_t i = 1; i < named.size(); ++i) usedBy += (i > 1 ? " " : "") + named[i];
  EXPECT_EQ(named[0], "by") << row;
  EXPECT_NE(std::find(earlier.begin(), earlier.end(), usedBy), earlier.end()) << row;
}

// The plain report's tables say what the JSON record's "explain" says.
void ExpectPlainSaysWhatJsonSays(const std::string& plain, const Json& record) {
  const std::vector<std::string> lines = Lines(plain);
  for (const Json& direction : record["explain"]) {
    if (direction.is_null()) continue;
    const int number = direction["direction"];
    const int target = direction["target"] == "text1" ? 1 : 2;
    const std::vector<std::string> rows = TableRows(lines, number);
    ASSERT_EQ(rows.size(), direction["words"].size()) << plain;
    std::vector<std::string> earlier;
    for (std::size_t i = 0; i < rows.size() && !testing::Test::HasFailure(); ++i) {
      ExpectRowSays(rows[i], direction["words"][i], target, earlier);
      const std::string text = direction["words"][i]["word"];
      earlier.push_back(text.empty() ? "(empty word)" : cli::Escaped(text));
    }
  }
}

// Pairs velmoro-cli can be given as arguments or lines of a file.
bool WritableOnOneLine(const TextPair& pair) {
  for (const Text& text : {pair.text1, pair.text2}) {
    if (HasLoneSurrogate(text) || text.find_first_of(u"\r\n") != Text::npos ||
        text.find(u'\0') != Text::npos) {
      return false;
    }
  }
  return true;
}

// The plain and JSON records of a pair with its explanation, as velmoro-cli's
// writers write them.
TEST(TextOutput, PlainExplanationsSayWhatTheJsonSays) {
  PairGenerator generator(kSeed);
  std::vector<TextPair> pairs = TinyVocabularyPairs();
  while (pairs.size() < kWrittenPairs) pairs.push_back(generator.SmallPair());
  const auto plainWriter = cli::MakeRecordWriter(RecordForm::Rows);
  const auto jsonWriter = cli::MakeRecordWriter(RecordForm::Json);
  for (std::size_t i = 0; i < pairs.size() && !testing::Test::HasFailure(); ++i) {
    SCOPED_TRACE(testing::Message() << "pair " << i << ": " << Described(pairs[i]));
    const GivenText text1 = GivenText::FromUtf16(pairs[i].text1);
    const GivenText text2 = GivenText::FromUtf16(pairs[i].text2);
    WalkRecord walks;
    const Comparison comparison = CompareGivenTexts(text1, text2, &walks);
    const cli::WalkedTexts walked{walks, text1, text2};
    std::string plain;
    std::string json;
    plainWriter->WriteComparison(plain, {}, comparison, &walked, [] {});
    jsonWriter->WriteComparison(json, {}, comparison, &walked, [] {});
    ExpectPlainSaysWhatJsonSays(plain, Json::parse(json));
  }
}

class CliTextOutput : public testing::Test {
 protected:
  // Generated pairs that velmoro-cli can be given on the command line.
  static std::vector<TextPair> Pairs(std::size_t count) {
    PairGenerator generator(kSeed);
    std::vector<TextPair> pairs;
    while (pairs.size() < count) {
      TextPair pair = generator.SmallPair();
      if (WritableOnOneLine(pair)) pairs.push_back(std::move(pair));
    }
    return pairs;
  }

  test_support::CliRunner cli_{VELMORO_CLI_PATH};
};

// velmoro-cli --explain itself, plain and JSON, pair by pair.
TEST_F(CliTextOutput, ExplainPrintsEveryTable) {
  for (const TextPair& pair : Pairs(kCliPairs / 2)) {
    if (HasFailure()) break;
    SCOPED_TRACE(Described(pair));
    const std::string text1 = Utf8(pair.text1);
    const std::string text2 = Utf8(pair.text2);
    const test_support::CliRun plain = cli_.Run({"--explain", "--", text1, text2});
    const test_support::CliRun json = cli_.Run({"--json", "--explain", "--", text1, text2});
    const Json record = Json::parse(json.out);
    EXPECT_EQ(plain.status, record["error"].is_null() ? 0 : 1) << plain.err;
    EXPECT_EQ(plain.status, json.status);
    ExpectPlainSaysWhatJsonSays(plain.out, record);
  }
}

// velmoro-cli --lines: each row gives the record's scores and its result or
// error.
TEST_F(CliTextOutput, LineRowsSayWhatTheRecordsSay) {
  std::string lines1;
  std::string lines2;
  for (const TextPair& pair : Pairs(kWrittenPairs)) {
    lines1 += Utf8(pair.text1) + '\n';
    lines2 += Utf8(pair.text2) + '\n';
  }
  const std::string file1 = cli_.WriteFile("text1.txt", lines1);
  const std::string file2 = cli_.WriteFile("text2.txt", lines2);
  const std::vector<std::string> rows = Lines(cli_.Run({"--lines", file1, file2}).out);
  const std::vector<std::string> records =
      Lines(cli_.Run({"--lines", file1, file2, "--json"}).out);
  ASSERT_EQ(rows.size(), records.size() + 1);  // the header
  for (std::size_t i = 0; i < records.size() && !HasFailure(); ++i) {
    const Json record = Json::parse(records[i]);
    std::vector<std::string> expected = {std::to_string(record["line"].get<int>())};
    for (const Json& score : record["scores"]) {
      expected.push_back(score.is_null() ? "-" : std::to_string(score.get<int>()));
    }
    expected.push_back(record["error"].is_null() ? record["result"] : record["error"]);
    EXPECT_EQ(Tokens(rows[i + 1]), expected) << "line " << i + 1;
  }
}

}  // namespace
}  // namespace velmoro::properties
