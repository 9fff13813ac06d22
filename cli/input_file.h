#pragma once

// A file, or standard input, that velmoro-cli reads texts from: opened by its
// path ("-" for standard input), read in chunks, its encoding signature
// handled on the way. A UTF-8 byte order mark at its start is dropped; one of
// UTF-16 or UTF-32 is refused.

#include <cstddef>
#include <stdexcept>
#include <string>

namespace velmoro::cli {

// A text that cannot be had: a file that cannot be read, or bytes that are
// not a text. The message names the text and its source and says what to do.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class InputFile {
 public:
  // Opens path; description names what is read from it in messages ("text 2
  // from 'b.txt'"). Throws InputError.
  InputFile(const std::string& path, std::string description);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Reads up to size bytes into buffer; 0 at the end, or once a stop was
  // asked for (StopSignal). Throws InputError.
  [[nodiscard]] std::size_t Read(char* buffer, std::size_t size);

  // True when a read would wait for input, as from a pipe whose writer is
  // slow.
  [[nodiscard]] bool NothingReady() const;

  [[nodiscard]] const std::string& description() const { return description_; }

 private:
  [[nodiscard]] std::size_t ReadSome(char* buffer, std::size_t size);

  int fd_;
  bool owns_fd_;
  std::string description_;
  bool started_ = false;
};

// Why bytes with a NUL at offset are refused, as the rest of a sentence that
// names them.
[[nodiscard]] std::string NulByteProblem(std::size_t offset);

// True when path ("-" or a name such as /dev/stdin) is standard input.
[[nodiscard]] bool IsStandardInput(const std::string& path);

// True when the two paths ("-" for standard input) name one stream that can
// be read only once, such as "-" and /dev/stdin.
[[nodiscard]] bool SameStream(const std::string& path1, const std::string& path2);

}  // namespace velmoro::cli
