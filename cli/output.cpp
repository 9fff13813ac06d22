#include "output.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace velmoro::cli {

namespace {

// Output is written out once this much of it is held.
constexpr std::size_t kChunk = std::size_t{1} << 16;

// Writes text whole, though a signal interrupts a write: 0, or why it failed.
int WriteWhole(int fd, std::string_view text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = ::write(fd, text.data() + written, text.size() - written);
    if (count == 0) return EIO;
    if (count < 0 && errno != EINTR) return errno;
    if (count > 0) written += static_cast<std::size_t>(count);
  }
  return 0;
}

void FailOnError(int error, std::string_view stream) {
  if (error == 0) return;
  throw OutputError("cannot write to " + std::string(stream) + ": " +
                    std::generic_category().message(error));
}

}  // namespace

void Output::Write(std::string_view text) {
  buffer_ += text;
  Drain();
}

void Output::Drain() {
  if (buffer_.size() >= kChunk) Flush();
}

void Output::Flush() {
  const int error = WriteWhole(STDOUT_FILENO, buffer_);
  buffer_.clear();
  FailOnError(error, "standard output");
}

void WriteToStandardError(std::string_view text) {
  FailOnError(WriteWhole(STDERR_FILENO, text), "standard error");
}

}  // namespace velmoro::cli
