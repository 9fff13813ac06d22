#include "input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>

#include "command_line.h"

namespace velmoro::cli {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

[[noreturn]] void FailToRead(const std::string& description, int error) {
  throw InputError("cannot read " + description + ": " + std::generic_category().message(error));
}

bool StatOf(const std::string& path, struct stat& status) {
  return path == kStandardInputPath ? ::fstat(STDIN_FILENO, &status) == 0
                                    : ::stat(path.c_str(), &status) == 0;
}

}  // namespace

InputFile::InputFile(const std::string& path, std::string description)
    : fd_(STDIN_FILENO), ownsFd_(path != kStandardInputPath), description_(std::move(description)) {
  if (!ownsFd_) return;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) FailToRead(description_, errno);
}

InputFile::~InputFile() {
  if (ownsFd_) ::close(fd_);
}

std::size_t InputFile::ReadSome(char* buffer, std::size_t size) {
  while (true) {
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
  while (count < kUtf8Mark.size() && count < size) {
    const std::size_t read = ReadSome(buffer + count, size - count);
    if (read == 0) break;
    count += read;
  }
  const std::string_view start(buffer, count);
  if (start.starts_with(kUtf16LittleMark) || start.starts_with(kUtf16BigMark)) {
    throw InputError(description_ + " looks like UTF-16: convert it to UTF-8");
  }
  if (!start.starts_with(kUtf8Mark)) return count;
  std::memmove(buffer, buffer + kUtf8Mark.size(), count - kUtf8Mark.size());
  return count - kUtf8Mark.size() + (count == kUtf8Mark.size() ? Read(buffer, size) : 0);
}

bool SameStream(const std::string& path1, const std::string& path2) {
  struct stat status1 {};
  struct stat status2 {};
  if (!StatOf(path1, status1) || !StatOf(path2, status2)) return false;
  return status1.st_dev == status2.st_dev && status1.st_ino == status2.st_ino &&
         !S_ISREG(status1.st_mode);
}

}  // namespace velmoro::cli
