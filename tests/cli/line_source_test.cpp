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
  LineFault fault = LineFault::None;
  std::size_t nul_byte = 0;
  bool operator==(const ReadLine&) const = default;
};

void PrintTo(const ReadLine& line, std::ostream* os) {
  *os << line.number << ":" << testing::PrintToString(line.text) << " fault "
      << static_cast<int>(line.fault) << " at " << line.nul_byte;
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
      lines.push_back({line.number, std::string(chunk.TextOf(line)), line.fault, line.nul_byte});
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
  const std::string nulBytes(3 << 20, '\0');
  // The line after it starts in one read and ends in the next.
  const std::string nearlyARead((1 << 20) - 100, 'y');
  constexpr LineFault kTooLong = LineFault::TooLong;
  constexpr LineFault kNul = LineFault::NulByte;
  const std::vector<Row> rows = {
      {"", {}},
      {"a\n", {{1, "a"}}},
      {"a\nb\r\nc", {{1, "a"}, {2, "b"}, {3, "c"}}},
      {"\n\n", {{1, ""}, {2, ""}}},
      {"\xEF\xBB\xBF" "a\r\n", {{1, "a"}}},
      {"a\r\rb\n", {{1, "a\r\rb"}}},
      {"short\n" + overlong + "\nafter", {{1, "short"}, {2, "", kTooLong}, {3, "after"}}},
      {overlong, {{1, "", kTooLong}}},
      // A NUL byte spoils its line alone, wherever the reads cut it.
      {std::string("a\nb\0c\r\nd", 8), {{1, "a"}, {2, "", kNul, 1}, {3, "d"}}},
      {"a\n" + overlong + '\0' + "\nb", {{1, "a"}, {2, "", kTooLong}, {3, "b"}}},
      {nearlyARead + "\nbc" + '\0' + std::string(200, 'z') + "\nd",
       {{1, nearlyARead}, {2, "", kNul, 2}, {3, "d"}}},
      {nearlyARead + "\nbc" + std::string(200, 'z') + '\0' + "\nd",
       {{1, nearlyARead}, {2, "", kNul, 202}, {3, "d"}}},
      // Without a line break, a line of NUL bytes past the longest line is
      // binary input: nothing after it is read.
      {"a\nbc" + nulBytes + "\nd", {{1, "a"}, {2, "", LineFault::Binary, 2}}},
      {"a\n" + overlong + nulBytes + "\nd", {{1, "a"}, {2, "", LineFault::Binary, 3 << 20}}},
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
      // A line that is not kept keeps a "\r" that the end of a read cuts off.
      {std::string((1 << 20) - 1, '\0') + "\rb", {"", "b"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.bytes));
    for (const std::size_t chunkBytes : {std::size_t{1}, std::size_t{1} << 20}) {
      std::vector<std::string> texts;
      for (const ReadLine& line : LinesOf(row.bytes, 2 << 20, chunkBytes, LineEnds::AnyBreak)) {
        texts.push_back(line.text);
      }
      EXPECT_EQ(texts, row.lines) << "chunks of " << chunkBytes;
    }
  }
}

// A stream of NUL bytes, such as /dev/zero, ends with its first line.
TEST(LineSource, EndsAStreamOfNulBytes) {
  LineSource source("/dev/zero", "'/dev/zero'", LineEnds::LineFeed, 1 << 20);
  LineChunk chunk;
  ASSERT_TRUE(source.Next(chunk, 1 << 16));
  ASSERT_EQ(chunk.lines.size(), 1U);
  EXPECT_EQ(chunk.lines[0].fault, LineFault::Binary);
  EXPECT_EQ(LineFaultProblem(chunk.lines[0]),
            "holds a NUL byte at byte 0: it looks like a binary file, not a text; no line break "
            "ends it, so nothing after it is read");
  EXPECT_FALSE(source.Next(chunk, 1 << 16));
}

}  // namespace
}  // namespace velmoro::cli
