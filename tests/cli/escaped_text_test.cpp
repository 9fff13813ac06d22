#include "escaped_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "velmoro/fronts.h"

namespace velmoro::cli {
namespace {

// What a terminal or a JSON record cannot hold as it is comes back as an
// escape, and every result is well-formed UTF-8.
TEST(Escaped, WritesWhatCannotBeShownAsEscapes) {
  struct Row {
    std::string text;
    std::string escaped;
  };
  const std::vector<Row> rows = {
      {"", ""},
      {"red bag", "red bag"},
      {"caf\xC3\xA9 \xF0\x9F\x98\x80", "caf\xC3\xA9 \xF0\x9F\x98\x80"},  // é and an emoji
      {"a\tb\r\n\\", "a\\tb\\r\\n\\\\"},
      {std::string("a\0\x1B\x7F", 4), "a\\x00\\x1B\\x7F"},
      // file names in another encoding: a Latin-1 é, a cut sequence, an
      // encoded surrogate, an overlong slash, a stray continuation byte
      {"bad\xE9name", "bad\\xE9name"},
      {"cut \xE2\x82", "cut \\xE2\\x82"},
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},
      {"\xC0\xAF", "\\xC0\\xAF"},
      {"\x80z", "\\x80z"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.escaped);
    const std::string escaped = Escaped(row.text);
    EXPECT_EQ(escaped, row.escaped);
    EXPECT_EQ(WellFormedPrefix(escaped).length, escaped.size());
  }
}

}  // namespace
}  // namespace velmoro::cli
