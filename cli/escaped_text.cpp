#include "escaped_text.h"

#include <algorithm>
#include <array>

#include "velmoro/fronts.h"

namespace velmoro::cli {

namespace {

// The length of the UTF-8 sequence that lead byte starts, or 0 when no
// well-formed sequence starts with it.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Whether utf8 holds a well-formed sequence of length at its start.
bool WellFormedAt(std::string_view utf8, std::size_t length) {
  return length > 0 && length <= utf8.size() &&
         WellFormedPrefix(utf8.substr(0, length)).length == length;
}

}  // namespace

std::string Escaped(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte >= 0x80) {
      const std::size_t length = SequenceLength(byte);
      if (WellFormedAt(utf8.substr(i), length)) {
        escaped += utf8.substr(i, length);
        i += length - 1;
        continue;
      }
    } else if (byte >= 0x20 && byte != 0x7F && byte != '\\') {
      escaped += static_cast<char>(byte);
      continue;
    }
    escaped += '\\';
    switch (byte) {
      case '\\': escaped += '\\'; break;
      case '\t': escaped += 't'; break;
      case '\n': escaped += 'n'; break;
      case '\r': escaped += 'r'; break;
      default:
        escaped += 'x';
        escaped += kHex[byte >> 4];
        escaped += kHex[byte & 0xF];
    }
  }
  return escaped;
}

std::string Quoted(std::string_view utf8) { return '\'' + Escaped(utf8) + '\''; }

namespace {

struct CodePointRange {
  char32_t first;
  char32_t last;
};

// Marks that combine with the character before them, and characters of no
// width.
constexpr std::array<CodePointRange, 9> kZeroWidth{{{0x0300, 0x036F},
                                                    {0x0483, 0x0489},
                                                    {0x0591, 0x05BD},
                                                    {0x1AB0, 0x1AFF},
                                                    {0x1DC0, 0x1DFF},
                                                    {0x200B, 0x200F},
                                                    {0x20D0, 0x20FF},
                                                    {0xFE00, 0xFE0F},
                                                    {0xFE20, 0xFE2F}}};

// East Asian wide and fullwidth characters, and emoji, which take two columns.
constexpr std::array<CodePointRange, 11> kDoubleWidth{{{0x1100, 0x115F},
                                                       {0x2E80, 0x303E},
                                                       {0x3041, 0x33FF},
                                                       {0x3400, 0x4DBF},
                                                       {0x4E00, 0x9FFF},
                                                       {0xA000, 0xA4CF},
                                                       {0xAC00, 0xD7A3},
                                                       {0xF900, 0xFAFF},
                                                       {0xFF00, 0xFF60},
                                                       {0x1F300, 0x1FAFF},
                                                       {0x20000, 0x3FFFD}}};

template <std::size_t N>
bool Within(char32_t codePoint, const std::array<CodePointRange, N>& ranges) {
  return std::any_of(ranges.begin(), ranges.end(), [codePoint](const CodePointRange& range) {
    return codePoint >= range.first && codePoint <= range.last;
  });
}

std::size_t ColumnsOf(char32_t codePoint) {
  if (Within(codePoint, kZeroWidth)) return 0;
  return Within(codePoint, kDoubleWidth) ? 2 : 1;
}

}  // namespace

std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    width += ColumnsOf(codePoint);
    i += length;
  }
  return width;
}

}  // namespace velmoro::cli
