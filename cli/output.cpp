#include "output.h"

#include "stop_signals.h"

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
    if (StopSignal() != 0) FinishLine(written);
  }
  buffer_.clear();
}

// What was asked to stop writes its line to the end and no more, so that the
// output ends with a whole record.
// The buffer starts with a whole record.
void Output::FinishLine(std::size_t written) {
  if (written == 0 || buffer_[written - 1] == '\n') {
    buffer_.resize(written);
    return;
  }
  const std::size_t end = buffer_.find('\n', written);
  if (end != std::string::npos) buffer_.resize(end + 1);
}

}  // namespace velmoro::cli
