#include "input_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>

#include "command_line.h"
#include "stop_signals.h"

namespace velmoro::cli {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";
constexpr std::string_view kUtf32LittleMark{"\xFF\xFE\0\0", 4};
constexpr std::string_view kUtf32BigMark{"\0\0\xFE\xFF", 4};
// The most bytes any of the marks takes.
constexpr std::size_t kLongestMark = 4;

// The encoding that start's signature says, when it is not UTF-8.
const char* ForeignEncoding(std::string_view start) {
  if (start.starts_with(kUtf32LittleMark) || start.starts_with(kUtf32BigMark)) return "UTF-32";
  if (start.starts_with(kUtf16LittleMark) || start.starts_with(kUtf16BigMark)) return "UTF-16";
  return nullptr;
}

[[noreturn]] void FailToRead(const std::string& description, int error) {
  throw InputError("cannot read " + description + ": " + std::generic_category().message(error));
}

bool StatOf(const std::string& path, struct stat& status) {
  return path == kStandardInputPath ? ::fstat(STDIN_FILENO, &status) == 0
                                    : ::stat(path.c_str(), &status) == 0;
}

}  // namespace

InputFile::InputFile(const std::string& path, std::string description)
    : fd_(STDIN_FILENO),
      owns_fd_(path != kStandardInputPath),
      description_(std::move(description)) {
  if (!owns_fd_) return;
  // A named pipe opens at once rather than when a writer comes: the wait is
  // left to the reads, which a stop ends.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) FailToRead(description_, errno);
  ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

InputFile::~InputFile() {
  if (owns_fd_) ::close(fd_);
}

std::size_t InputFile::ReadSome(char* buffer, std::size_t size) {
  while (true) {
    // A run asked to stop reads no more.
    if (!AwaitInput(fd_)) return 0;
    const ssize_t count = ::read(fd_, buffer, size);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) FailToRead(description_, errno);
  }
}

// The first read gathers the few bytes that an encoding signature takes.
std::size_t InputFile::Read(char* buffer, std::size_t size) {
  if (started_) return ReadSome(buffer, size);
  started_ = true;
  std::size_t count = 0;
  while (count < kLongestMark && count < size) {
    const std::size_t read = ReadSome(buffer + count, size - count);
    if (read == 0) break;
    count += read;
  }
  const std::string_view start(buffer, count);
  if (const char* encoding = ForeignEncoding(start)) {
    throw InputError(description_ + " looks like " + encoding + ": convert it to UTF-8");
  }
  if (!start.starts_with(kUtf8Mark)) return count;
  std::memmove(buffer, buffer + kUtf8Mark.size(), count - kUtf8Mark.size());
  return count - kUtf8Mark.size();
}

bool InputFile::NothingReady() const {
  pollfd waiting{fd_, POLLIN, 0};
  return ::poll(&waiting, 1, 0) == 0;
}

std::string NulByteProblem(std::size_t offset) {
  return "holds a NUL byte at byte " + std::to_string(offset) +
         ": it looks like a binary file, not a text";
}

bool IsStandardInput(const std::string& path) {
  struct stat status {};
  struct stat input {};
  return path == kStandardInputPath ||
         (StatOf(path, status) && ::fstat(STDIN_FILENO, &input) == 0 &&
          status.st_dev == input.st_dev && status.st_ino == input.st_ino);
}

bool SameStream(const std::string& path1, const std::string& path2) {
  struct stat status1 {};
  struct stat status2 {};
  if (!StatOf(path1, status1) || !StatOf(path2, status2)) return false;
  return status1.st_dev == status2.st_dev && status1.st_ino == status2.st_ino &&
         !S_ISREG(status1.st_mode);
}

}  // namespace velmoro::cli
