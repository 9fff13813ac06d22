#pragma once

// What velmoro-cli writes to standard output, through one buffer, and the
// summary it writes to standard error. A write that fails (a full disk, a
// closed descriptor) is an error, not lost output.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmoro::cli {

class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes to standard output.
class Output {
 public:
  // What is written next goes here; Drain or Flush writes it out.
  [[nodiscard]] std::string& buffer() { return buffer_; }

  void Write(std::string_view text);

  // Writes the buffer out once it holds a chunk or more.
  void Drain();

  // Writes everything buffered, whole, though a signal interrupts a write.
  // Throws OutputError.
  void Flush();

 private:
  std::string buffer_;
};

// Writes text whole to standard error, though a signal interrupts a write.
// Throws OutputError.
void WriteToStandardError(std::string_view text);

}  // namespace velmoro::cli
