#include "text_input.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "escaped_text.h"
#include "size_limits.h"
#include "velmoro/directions.h"

namespace velmoro::cli {

namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 16;
// One final line terminator may follow the largest text.
constexpr std::size_t kLongestFile = kTextLimitBytes + 2;

std::string TooLarge() {
  return "is larger than " + TextLimitText() + ", the most velmoro-cli reads for one text";
}

std::string IllFormed(std::size_t offset) {
  return "is not valid UTF-8: ill-formed UTF-8 sequence at byte offset " + std::to_string(offset);
}

// "text 1", followed by where a file's text comes from.
std::string Describe(const TextSource& source, std::size_t slot) {
  std::string description = TextName(static_cast<int>(slot) + 1);
  if (source.kind == TextSource::Kind::Argument) return description;
  if (source.value == kStandardInputPath) return description + " from standard input";
  return description + " from " + Quoted(source.value);
}

// The length of the ASCII bytes bytes starts with.
std::size_t AsciiPrefix(std::string_view bytes) {
  std::size_t at = 0;
#if defined(__SSE2__)
  // Sixteen bytes at a time while no byte of them has its top bit set.
  for (; at + sizeof(__m128i) <= bytes.size(); at += sizeof(__m128i)) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
    if (_mm_movemask_epi8(chunk) != 0) break;
  }
#endif
  while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80) ++at;
  return at;
}

std::string_view DropFinalLineTerminator(std::string_view bytes) {
  if (bytes.ends_with("\r\n")) {
    bytes.remove_suffix(2);
  } else if (bytes.ends_with('\n') || bytes.ends_with('\r')) {
    bytes.remove_suffix(1);
  }
  return bytes;
}

// Reads file whole, checking each chunk as it comes.
std::string ReadWhole(InputFile& file) {
  std::string bytes;
  std::size_t checked = 0;  // bytes known to be whole, well-formed sequences
  const auto fail = [&file](const std::string& problem) {
    throw InputError(file.description() + ' ' + problem);
  };
  while (true) {
    const std::size_t before = bytes.size();
    bytes.resize(before + kReadChunk);
    const std::size_t count = file.Read(bytes.data() + before, kReadChunk);
    bytes.resize(before + count);
    if (count == 0) break;
    if (const void* nul = std::memchr(bytes.data() + before, '\0', count)) {
      fail(NulByteProblem(static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data())));
    }
    const Utf8Prefix prefix = WellFormedPrefix(std::string_view(bytes).substr(checked));
    if (prefix.ill_formed) fail(IllFormed(checked + prefix.length));
    checked += prefix.length;
    if (bytes.size() > kLongestFile) fail(TooLarge());
  }
  if (checked < bytes.size()) fail(IllFormed(checked));
  return bytes;
}

GivenText LoadText(const TextSource& source, std::size_t slot) {
  const std::string description = Describe(source, slot);
  std::string bytes;
  if (source.kind == TextSource::Kind::File) {
    InputFile file(source.value, description);
    bytes = ReadWhole(file);
  }
  const std::string_view text = source.kind == TextSource::Kind::File
                                    ? DropFinalLineTerminator(bytes)
                                    : std::string_view(source.value);
  // A file's bytes were checked for UTF-8 as they were read.
  const Utf8Checked checked =
      source.kind == TextSource::Kind::File ? Utf8Checked::Yes : Utf8Checked::No;
  if (const std::optional<std::string> problem = TextProblem(text, checked)) {
    throw InputError(description + ' ' + *problem);
  }
  return GivenText::FromUtf8(text);
}

}  // namespace

std::optional<std::string> TextProblem(std::string_view bytes, Utf8Checked checked) {
  if (bytes.size() > kTextLimitBytes) return TooLarge();
  if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
    return NulByteProblem(nul);
  }
  if (checked == Utf8Checked::Yes) return std::nullopt;
  return Utf8Problem(bytes);
}

std::optional<std::string> Utf8Problem(std::string_view bytes) {
  const std::size_t ascii = AsciiPrefix(bytes);
  const std::size_t wellFormed = ascii + WellFormedPrefix(bytes.substr(ascii)).length;
  if (wellFormed < bytes.size()) return IllFormed(wellFormed);
  return std::nullopt;
}

std::array<GivenText, 2> LoadTexts(const std::array<TextSource, 2>& sources) {
  const bool bothFiles =
      sources[0].kind == TextSource::Kind::File && sources[1].kind == TextSource::Kind::File;
  if (bothFiles && SameStream(sources[0].value, sources[1].value)) {
    throw UsageError(IsStandardInput(sources[0].value)
                         ? "only one text can come from standard input"
                         : "text 1 and text 2 name one stream, " + Quoted(sources[1].value) +
                               ", which can be read only once");
  }
  return {LoadText(sources[0], 0), LoadText(sources[1], 1)};
}

}  // namespace velmoro::cli
