#include "batch_line.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>
#include <string>
#include <vector>

namespace velmoro::cli {
namespace {

using Json = nlohmann::json;

// Lines of random pieces, many of them not JSON, each judged as a strict
// JSON parser judges it: a line is read when it is a JSON object whose text1
// and text2 are strings, and then its texts and id are what that parser
// reads.
void ExpectReadAsAStrictParserReads(const std::vector<std::string>& pieces,
                                    const std::string& before, const std::string& after) {
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> count(0, 6);
  std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
  std::size_t accepted = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string line = before;
    for (std::size_t n = count(random); n > 0; --n) line += pieces[piece(random)];
    line += after;
    SCOPED_TRACE(line);
    Json parsed;
    try {
      parsed = Json::parse(line);
    } catch (const Json::out_of_range&) {
      continue;  // a number no double holds, which the parser refuses and Velmoro need not
    } catch (const Json::parse_error&) {
      parsed = Json();
    }
    const bool expected = parsed.is_object() && parsed.value("text1", Json()).is_string() &&
                          parsed.value("text2", Json()).is_string();
    PairLine pair;
    std::array<std::string, 2> decoded;
    ReadBatchLine(line, pair, decoded);
    ASSERT_EQ(!pair.problem, expected) << pair.problem.value_or("");
    if (!expected) continue;
    ++accepted;
    EXPECT_EQ(pair.text1, parsed["text1"].get<std::string>());
    EXPECT_EQ(pair.text2, parsed["text2"].get<std::string>());
    ASSERT_EQ(pair.id.has_value(), parsed.contains("id"));
    if (pair.id) {
      EXPECT_EQ(Json::parse(*pair.id), parsed["id"]);
    }
  }
  EXPECT_GT(accepted, 1000U) << "too few lines of JSON to judge";
}

TEST(ReadBatchLine, ReadsValuesAsAStrictParserReads) {
  ExpectReadAsAStrictParserReads(
      {"{", "}", "[", "]", ",", ":", " ", "\"k\"", "1", "0", "-0", "01", "-", "1.5", "1.", "2E+3",
       "1e", "true", "tru", "null", "\"\\ud800\"", "\"\\x\"", "\"\t\""},
      R"({"text1": "a", "text2": "b", "id": )", "}");
}

TEST(ReadBatchLine, ReadsStringsAsAStrictParserReads) {
  ExpectReadAsAStrictParserReads(
      {"a", "\xC3\xA9", "\xC3", "\\n", "\\\"", "\\\\", "\\/", "\\b", "\\u0041", "\\u00e9",
       "\\uD83D\\uDE00", "\\ud800", "\\udc00", "\\u12", "\\x", "\\", "\t", "\""},
      R"({"text2": "b", "text1": ")", R"("})");
}

}  // namespace
}  // namespace velmoro::cli
