#include "output.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace velmoro::cli {

namespace {

// Output is written out once this much of it is held.
constexpr std::size_t kChunk = std::size_t{1} << 16;

}  // namespace

void Output::Write(std::string_view text) {
  buffer_ += text;
  Drain();
}

void Output::Drain() {
  if (buffer_.size() >= kChunk) Flush();
}

void Output::Flush() {
  std::size_t written = 0;
  while (written < buffer_.size()) {
    const ssize_t count = ::write(fd_, buffer_.data() + written, buffer_.size() - written);
    if (count == 0 || (count < 0 && errno != EINTR)) {
      const int error = count < 0 ? errno : EIO;
      buffer_.clear();
      throw OutputError("cannot write to standard output: " +
                        std::generic_category().message(error));
    }
    if (count > 0) written += static_cast<std::size_t>(count);
  }
  buffer_.clear();
}

}  // namespace velmoro::cli
