#include "line_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velmoro::cli {
namespace {

struct ReadLine {
  std::size_t number;
  std::string text;
  bool tooLong;
  bool operator==(const ReadLine&) const = default;
};

void PrintTo(const ReadLine& line, std::ostream* os) {
  *os << line.number << ":" << testing::PrintToString(line.text) << (line.tooLong ? " too long" : "");
}

// Every line of bytes, read in chunks of about chunkBytes.
std::vector<ReadLine> LinesOf(const std::string& bytes, std::size_t longest, std::size_t chunkBytes,
                              LineEnds ends = LineEnds::LineFeed) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      (std::string("velmoro-lines-") + testing::UnitTest::GetInstance()->current_test_info()->name());
  std::ofstream(path, std::ios::binary) << bytes;
  LineSource source(path.string(), "the lines", ends, longest);
  std::vector<ReadLine> lines;
  LineChunk chunk;
  while (source.Next(chunk, chunkBytes)) {
    for (const Line& line : chunk.lines) {
      lines.push_back({line.number, std::string(chunk.TextOf(line)), line.tooLong});
    }
  }
  std::filesystem::remove(path);
  return lines;
}

// The same lines whatever the size of the chunks, down to one byte.
TEST(LineSource, SplitsAtLineFeedsWhateverTheChunks) {
  struct Row {
    std::string bytes;
    std::vector<ReadLine> lines;
  };
  const std::string overlong(3 << 20, 'x');  // longer than one read
  const std::vector<Row> rows = {
      {"", {}},
      {"a\n", {{1, "a", false}}},
      {"a\nb\r\nc", {{1, "a", false}, {2, "b", false}, {3, "c", false}}},
      {"\n\n", {{1, "", false}, {2, "", false}}},
      {"\xEF\xBB\xBF" "a\r\n", {{1, "a", false}}},
      {"a\r\rb\n", {{1, "a\r\rb", false}}},
      {"short\n" + overlong + "\nafter", {{1, "short", false}, {2, "", true}, {3, "after", false}}},
      {overlong, {{1, "", true}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.bytes.substr(0, 20)));
    for (const std::size_t chunkBytes : {std::size_t{1}, std::size_t{7}, std::size_t{1} << 20}) {
      EXPECT_EQ(LinesOf(row.bytes, std::size_t{1} << 20, chunkBytes), row.lines)
          << "chunks of " << chunkBytes;
    }
  }
}

// Where any line break ends a line, "\r\n" is one break even when a chunk
// of reading ends between its two bytes.
TEST(LineSource, SplitsAtEveryLineBreakWhereAskedTo) {
  struct Row {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const std::vector<Row> rows = {
      {"a\rb\rc\r", {"a", "b", "c"}},
      {"a\r\nb\nc", {"a", "b", "c"}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\r\n", {"a", ""}},
      {"\r", {""}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.bytes));
    for (const std::size_t chunkBytes : {std::size_t{1}, std::size_t{1} << 20}) {
      std::vector<std::string> texts;
      for (const ReadLine& line : LinesOf(row.bytes, 64, chunkBytes, LineEnds::AnyBreak)) {
        texts.push_back(line.text);
      }
      EXPECT_EQ(texts, row.lines) << "chunks of " << chunkBytes;
    }
  }
}

// A NUL byte is refused as soon as it is read, so that a stream without line
// breaks, such as /dev/zero, ends.
TEST(LineSource, RefusesANulByteAtOnce) {
  LineSource source("/dev/zero", "'/dev/zero'", LineEnds::LineFeed, 1 << 20);
  LineChunk chunk;
  try {
    static_cast<void>(source.Next(chunk, 1 << 16));
    FAIL() << "read a line of /dev/zero";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "'/dev/zero' holds a NUL byte at byte 0: it looks like a binary "
                               "file, not a text");
  }
}

}  // namespace
}  // namespace velmoro::cli
