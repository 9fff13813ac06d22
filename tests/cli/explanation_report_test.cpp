#include "explanation_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "escaped_text.h"
#include "velmoro/records/json_record.h"

namespace velmoro::cli {
namespace {

// Why a word earned nothing, in JSON and in words, for words made here as
// the engine gives them.
TEST(ExplanationReport, SaysWhyAWordEarnedNothing) {
  struct Row {
    std::optional<NotFound> not_found;
    std::optional<std::string_view> used_by;
    std::string json;  // what follows "preceding":null
    std::string words;
  };
  const std::vector<Row> rows = {
      {std::nullopt, std::nullopt, "}", ""},
      {NotFound::Absent, std::nullopt, R"(,"not_found":"absent"})", "not in text 1"},
      {NotFound::Used, std::nullopt, R"(,"not_found":"used"})", "its places in text 1 were used"},
      {NotFound::Used, "a", R"(,"not_found":"used"})", "its places in text 1 were used by a"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.words);
    ExplainedWord word{};
    word.word = "bag";
    word.source = {8, 11};
    word.not_found = row.not_found;
    if (row.used_by) word.used_by = 0;
    std::string out;
    records::JsonWriter json(out);
    records::WriteJsonWord(json, word);
    EXPECT_EQ(out, R"({"word":"bag","source":[8,11],"target":null,"points":0,"following":null,)"
                   R"("preceding":null)" + row.json);
    EXPECT_EQ(WhyNothing(word, row.used_by, 1), row.words);
  }
}

TEST(DisplayWidth, CountsTheColumnsATerminalGives) {
  struct Row {
    std::string text;
    std::size_t width;
  };
  const std::vector<Row> rows = {
      {"", 0},
      {"bag", 3},
      {"caf\xC3\xA9", 4},           // é as one code point
      {"cafe\xCC\x81", 4},          // e and a combining acute accent
      {"\xE6\x97\xA5\xE6\x9C\xAC", 4},  // two wide CJK characters
      {"\xF0\x9F\x98\x80", 2},      // an emoji
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(DisplayWidth(row.text), row.width);
  }
}

}  // namespace
}  // namespace velmoro::cli
