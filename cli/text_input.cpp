#include "text_input.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#include "utf8_text.h"

namespace velmoro::cli {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// "text 1", followed by where a file's text comes from.
std::string Describe(const TextSource& source, std::size_t slot) {
  std::string description = TextName(slot);
  if (source.kind == TextSource::Kind::Argument) return description;
  if (source.value == kStandardInputPath) return description + " from standard input";
  return description + " from '" + source.value + "'";
}

[[noreturn]] void FailToRead(const std::string& description, int error) {
  throw InputError("cannot read " + description + ": " +
                   std::generic_category().message(error));
}

std::string ReadAll(std::FILE* file, const std::string& description) {
  std::string bytes;
  std::array<char, 1 << 16> buffer{};
  std::size_t count = 0;
  while ((count = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
    bytes.append(buffer.data(), count);
  }
  if (std::ferror(file)) FailToRead(description, errno);
  return bytes;
}

std::string ReadFile(const std::string& path, const std::string& description) {
  if (path == kStandardInputPath) return ReadAll(stdin, description);
  const File file(std::fopen(path.c_str(), "rb"));
  if (!file) FailToRead(description, errno);
  return ReadAll(file.get(), description);
}

std::string_view DropFinalLineTerminator(std::string_view bytes) {
  if (bytes.ends_with("\r\n")) {
    bytes.remove_suffix(2);
  } else if (bytes.ends_with('\n')) {
    bytes.remove_suffix(1);
  }
  return bytes;
}

GivenText Decode(std::string_view bytes, const std::string& description) {
  try {
    return GivenText::FromUtf8(bytes);
  } catch (const InvalidUtf8& error) {
    throw InputError(description + " is not valid UTF-8: " + error.what());
  }
}

GivenText LoadText(const TextSource& source, std::size_t slot) {
  const std::string description = Describe(source, slot);
  if (source.kind == TextSource::Kind::Argument) return Decode(source.value, description);
  const std::string bytes = ReadFile(source.value, description);
  return Decode(DropFinalLineTerminator(bytes), description);
}

}  // namespace

std::array<GivenText, 2> LoadTexts(const std::array<TextSource, 2>& sources) {
  return {LoadText(sources[0], 0), LoadText(sources[1], 1)};
}

}  // namespace velmoro::cli
