// The command-line front against the engine: velmoro-cli itself, given the
// two texts as UTF-8 files, must print in its JSON report the scores, length
// factor, result and error that the engine's Compare action produces on the
// same texts with their line breaks as carriage return and line feed.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli_runner.h"
#include "compare_action.h"
#include "property_support.h"

namespace velmoro::properties {

using internal::CompareOutcome;
using internal::DisplayOf;
using internal::RunCompareAction;

namespace {

using Json = nlohmann::json;

constexpr int kCliPairs = VELMORO_CLI_PAIRS;
constexpr int kLargeCliPairs = kCliPairs / 20;
constexpr std::uint32_t kCliSeed = 3;

// text with every line break, a lone carriage return or line feed as well as
// the pair, as a carriage return and a line feed: how every front hands texts
// to the engine.
Text WithCrLf(TextView text) {
  Text out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') {
      out += text[i];
      continue;
    }
    out += u"\r\n";
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
  }
  return out;
}

// Lone surrogates cannot be written as UTF-8, and velmoro-cli refuses a text
// holding NUL as binary.
bool WritableAsUtf8Text(const TextPair& pair) {
  return !HasLoneSurrogate(pair.text1) && !HasLoneSurrogate(pair.text2) &&
         pair.text1.find(u'\0') == Text::npos && pair.text2.find(u'\0') == Text::npos;
}

template <typename Value, typename Convert>
Json ValueOrNull(const std::optional<Value>& value, Convert convert) {
  return value ? Json(convert(*value)) : Json(nullptr);
}

class CliAgreement : public testing::Test {
 protected:
  // The exit status of velmoro-cli --json on the two texts, and its report.
  // Each text goes to a file as UTF-8 followed by a line terminator, which the
  // command-line front drops; "\r\n" keeps a final carriage return of the
  // text itself.
  [[nodiscard]] std::pair<int, Json> RunCli(const TextPair& pair) const {
    const test_support::CliRun run = cli_.Run(
        {"--json", "--file1", cli_.WriteFile("text1.txt", Utf8(pair.text1) + "\r\n"),
         "--file2", cli_.WriteFile("text2.txt", Utf8(pair.text2) + "\r\n")});
    return {run.status, Json::parse(run.out, nullptr, false)};
  }

  void ExpectAgreement(const TextPair& pair) const {
    ComparisonState state;
    const CompareOutcome expected =
        RunCompareAction(WithCrLf(pair.text1), WithCrLf(pair.text2), state);
    const auto [status, report] = RunCli(pair);
    EXPECT_EQ(status, expected.error ? 1 : 0);
    ASSERT_TRUE(report.is_object()) << report;
    for (std::size_t d = 0; d < expected.scores.size(); ++d) {
      EXPECT_EQ(report["scores"][d], ValueOrNull(expected.scores[d], [](Integer s) { return s; }))
          << "direction " << d + 1;
    }
    EXPECT_EQ(report["length_factor"],
              ValueOrNull(expected.length_factor, [](float f) { return static_cast<double>(f); }));
    EXPECT_EQ(report["result"], ValueOrNull(DisplayOf(expected, u'.').result, Utf8));
    EXPECT_EQ(report["error"], ValueOrNull(expected.error, [](ErrorKind kind) {
                return std::string(ErrorKindName(kind));
              }));
  }

  test_support::CliRunner cli_{VELMORO_CLI_PATH};
};

TEST_F(CliAgreement, ReportsWhatTheEngineComputes) {
  PairGenerator generator(kCliSeed);
  int checked = 0;
  while (checked < kCliPairs && !HasFailure()) {
    const TextPair pair = checked < kLargeCliPairs ? generator.LargePair() : generator.SmallPair();
    if (!WritableAsUtf8Text(pair)) continue;
    SCOPED_TRACE(testing::Message() << "pair " << checked << ": " << Described(pair));
    ExpectAgreement(pair);
    ++checked;
  }
}

// A batch record is the object --json --explain prints for the same pair,
// with the line and the id.
TEST_F(CliAgreement, BatchRecordsAreTheSinglePairObjects) {
  constexpr int kBatchPairs = 100;
  PairGenerator generator(kCliSeed);
  std::vector<TextPair> pairs;
  std::string input;
  while (pairs.size() < kBatchPairs) {
    const TextPair pair = generator.SmallPair();
    if (!WritableAsUtf8Text(pair)) continue;
    input += Json{{"text1", Utf8(pair.text1)}, {"text2", Utf8(pair.text2)}, {"id", pairs.size()}}
                 .dump() +
             '\n';
    pairs.push_back(pair);
  }
  const test_support::CliRun batch =
      cli_.Run({"--batch", cli_.WriteFile("pairs.jsonl", input), "--explain", "-j", "2"});
  std::istringstream records(batch.out);
  for (std::size_t i = 0; i < pairs.size() && !HasFailure(); ++i) {
    SCOPED_TRACE(testing::Message() << "pair " << i << ": " << Described(pairs[i]));
    std::string record;
    ASSERT_TRUE(std::getline(records, record));
    const test_support::CliRun single =
        cli_.Run({"--json", "--explain", "--", Utf8(pairs[i].text1), Utf8(pairs[i].text2)});
    Json expected = Json::parse(single.out);
    expected["line"] = i + 1;
    expected["id"] = i;
    EXPECT_EQ(Json::parse(record), expected);
  }
}

}  // namespace
}  // namespace velmoro::properties
