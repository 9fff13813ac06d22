#pragma once

// The lines of a file, or of standard input, read a chunk at a time so that
// memory stays bounded whatever the input's size. A line ends at "\n" (a
// "\r" before it belongs to the terminator), or, where any line break counts,
// at "\r\n", "\n" or a lone "\r"; a last line without one counts. A line that
// cannot be kept (too long, holding a NUL byte, or larger than the memory
// left) is marked with why, and skipped; the lines around it are read as
// usual.

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input_file.h"

namespace velmoro::cli {

// Why a line was not kept.
enum class LineFault {
  None,
  TooLong,      // longer than the longest line kept
  NulByte,      // holds a NUL byte, which no line of text holds
  Binary,       // holds a NUL byte and runs on past the longest line: the
                // input is binary, and nothing after the line is read
  OutOfMemory,  // longer than the memory left could hold
};

struct Line {
  std::size_t number = 0;  // from 1
  std::size_t start = 0;   // where its text stands in its chunk's bytes
  std::size_t length = 0;  // without its terminator; 0 when not kept
  LineFault fault = LineFault::None;
  std::size_t nul_byte = 0;  // with a NUL byte: where the first stands in the line
};

// Why line, of a fault other than None and TooLong (whose limit each reader
// words its own way), was not kept, as the rest of a sentence that names
// the line ("holds a NUL byte at byte 3: ...").
[[nodiscard]] std::string LineFaultProblem(const Line& line);

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

 private:
  // A line's end in pending_, and where the next line starts.
  struct Break {
    std::size_t end = 0;
    std::size_t next = 0;
  };

  [[nodiscard]] std::optional<Break> FindBreak(std::size_t start) const;
  [[nodiscard]] std::size_t FirstBreakFrom(std::size_t start) const;
  void CheckUnbrokenLine();
  void DropUnbrokenLine();
  void AddLine(LineChunk& chunk, std::string_view text);
  [[nodiscard]] bool Fill();

  InputFile file_;
  LineEnds ends_;
  std::size_t longest_line_;
  std::string pending_;  // read, not handed out yet
  std::size_t line_number_ = 0;
  bool ended_ = false;
  // The line being read, while its break is still to come.
  LineFault fault_ = LineFault::None;
  std::optional<std::size_t> nul_byte_;
  std::size_t dropped_ = 0;  // its bytes dropped, as it is not kept
  std::size_t scanned_ = 0;  // its bytes in pending_ known to hold no NUL
};

}  // namespace velmoro::cli
