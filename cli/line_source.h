#pragma once

// The lines of a file, or of standard input, read a chunk at a time so that
// memory stays bounded whatever the input's size. A line ends at "\n" (a
// "\r" before it belongs to the terminator), or, where any line break counts,
// at "\r\n", "\n" or a lone "\r"; a last line without one counts. A line
// longer than a limit is not kept: it is marked, and skipped. A NUL byte ends
// the reading with an InputError.

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input_file.h"

namespace velmoro::cli {

struct Line {
  std::size_t number = 0;  // from 1
  std::size_t start = 0;   // where its text stands in its chunk's bytes
  std::size_t length = 0;  // without its terminator; 0 when too long
  bool tooLong = false;
};

// Whole lines, their texts one after another in bytes.
struct LineChunk {
  std::string bytes;
  std::vector<Line> lines;

  [[nodiscard]] std::string_view TextOf(const Line& line) const {
    return std::string_view(bytes).substr(line.start, line.length);
  }
};

// What ends a line: a line feed alone, as in JSON Lines, or any line break.
enum class LineEnds { LineFeed, AnyBreak };

class LineSource {
 public:
  // Reads path ("-": standard input); see InputFile. longestLine is the most a
  // kept line may hold.
  LineSource(const std::string& path, std::string description, LineEnds ends,
             std::size_t longestLine);

  // The next lines, about chunkBytes of them but at least one and at most
  // mostLines; false when none is left. Unless mostLines is given, the lines
  // read so far end the chunk when more would wait for input. Throws
  // InputError.
  bool Next(LineChunk& chunk, std::size_t chunkBytes,
            std::size_t mostLines = std::numeric_limits<std::size_t>::max());

  // True when the next line is not read yet and reading it would wait.
  [[nodiscard]] bool WouldWait() const;

  [[nodiscard]] const std::string& description() const { return file_.description(); }

 private:
  // A line's end in pending_, and where the next line starts.
  struct Break {
    std::size_t end = 0;
    std::size_t next = 0;
  };

  [[nodiscard]] std::optional<Break> FindBreak(std::size_t start) const;
  [[nodiscard]] std::size_t FirstBreakFrom(std::size_t start) const;
  [[nodiscard]] bool Fill();

  InputFile file_;
  LineEnds ends_;
  std::size_t longestLine_;
  std::string pending_;     // read, not handed out yet
  std::size_t lineNumber_ = 0;
  std::size_t bytesRead_ = 0;
  bool skipping_ = false;   // within a line too long to keep
  bool ended_ = false;
};

}  // namespace velmoro::cli
