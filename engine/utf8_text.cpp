#include "utf8_text.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmoro::internal {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr char16_t kFirstHighSurrogate = 0xD800;
constexpr char16_t kFirstLowSurrogate = 0xDC00;

// The shape of a well-formed sequence by its lead byte (Unicode's table of
// well-formed UTF-8). The narrowed ranges of the second byte are what shut out
// overlong forms, surrogates and code points past U+10FFFF.
struct SequenceForm {
  std::size_t length = 0;  // 0: the byte starts no sequence
  unsigned char second_low = 0x80;
  unsigned char second_high = 0xBF;
};

SequenceForm FormOf(unsigned char lead) {
  if (lead < 0x80) return {1};
  if (lead < 0xC2) return {0};  // a continuation byte or an overlong lead
  if (lead < 0xE0) return {2};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};
  if (lead == 0xED) return {3, 0x80, 0x9F};
  if (lead < 0xF0) return {3};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead < 0xF4) return {4};
  if (lead == 0xF4) return {4, 0x80, 0x8F};
  return {0};
}

// Reads the sequence that starts at bytes[at] into codePoint and moves at
// behind it, unless it is ill-formed or cut off by the end of bytes.
Utf8Sequence ReadSequence(std::string_view bytes, std::size_t& at, char32_t& codePoint) {
  static constexpr std::array<char32_t, 5> kLeadPayload{0, 0x7F, 0x1F, 0x0F, 0x07};
  const auto lead = static_cast<unsigned char>(bytes[at]);
  const SequenceForm form = FormOf(lead);
  if (form.length == 0) return Utf8Sequence::IllFormed;
  codePoint = lead & kLeadPayload[form.length];
  for (std::size_t i = 1; i < form.length; ++i) {
    if (at + i == bytes.size()) return Utf8Sequence::CutOff;
    const auto byte = static_cast<unsigned char>(bytes[at + i]);
    const unsigned char low = i == 1 ? form.second_low : 0x80;
    const unsigned char high = i == 1 ? form.second_high : 0xBF;
    if (byte < low || byte > high) return Utf8Sequence::IllFormed;
    codePoint = (codePoint << 6) | (byte & 0x3FU);
  }
  at += form.length;
  return Utf8Sequence::Whole;
}

// The code point of the sequence that starts at bytes[at]; moves at behind it.
char32_t DecodeAt(std::string_view bytes, std::size_t& at) {
  char32_t codePoint = 0;
  if (ReadSequence(bytes, at, codePoint) != Utf8Sequence::Whole) throw InvalidUtf8(at);
  return codePoint;
}

void AppendUtf16(Text& text, char32_t codePoint) {
  if (codePoint < kFirstSupplementary) {
    text.push_back(static_cast<char16_t>(codePoint));
    return;
  }
  const char32_t offset = codePoint - kFirstSupplementary;
  text.push_back(static_cast<char16_t>(kFirstHighSurrogate + (offset >> 10)));
  text.push_back(static_cast<char16_t>(kFirstLowSurrogate + (offset & 0x3FFU)));
}

// The code point at text[at], a surrogate pair read as one; moves at behind
// it.
char32_t CodePointAt(TextView text, std::size_t& at) {
  const char16_t unit = text[at++];
  if (!IsSurrogate(unit)) return unit;
  if (!IsHighSurrogate(unit) || at == text.size() || !IsLowSurrogate(text[at])) {
    return kReplacementCharacter;
  }
  const char16_t low = text[at++];
  return kFirstSupplementary + ((char32_t{unit} - kFirstHighSurrogate) << 10) +
         (char32_t{low} - kFirstLowSurrogate);
}

char ToByte(char32_t bits) { return static_cast<char>(bits & 0xFFU); }

void AppendUtf8(std::string& bytes, char32_t codePoint) {
  static constexpr std::array<char32_t, 5> kLeadMarker{0, 0, 0xC0, 0xE0, 0xF0};
  if (codePoint < 0x80) {
    bytes.push_back(ToByte(codePoint));
    return;
  }
  const std::size_t length = codePoint < 0x800 ? 2 : codePoint < kFirstSupplementary ? 3 : 4;
  bytes.push_back(ToByte(kLeadMarker[length] | (codePoint >> (6 * (length - 1)))));
  for (std::size_t i = length - 1; i > 0; --i) {
    bytes.push_back(ToByte(0x80U | ((codePoint >> (6 * (i - 1))) & 0x3FU)));
  }
}

}  // namespace

Text FromUtf8(std::string_view bytes) {
  Text text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) AppendUtf16(text, DecodeAt(bytes, at));
  return text;
}

std::string ToUtf8(TextView text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) AppendUtf8(bytes, CodePointAt(text, at));
  return bytes;
}

// Sixteen bytes at a time where the machine can: a byte from 0x80 has its top
// bit set, and so has the comparison's answer for CR and LF.
bool WidenPlainAscii(std::string_view bytes, char16_t* units) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= bytes.size(); i += 16) {
    const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
    const __m128i lineBreaks = _mm_or_si128(_mm_cmpeq_epi8(sixteen, cr), _mm_cmpeq_epi8(sixteen, lf));
    if (_mm_movemask_epi8(_mm_or_si128(sixteen, lineBreaks)) != 0) return false;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(units + i), _mm_unpacklo_epi8(sixteen, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(units + i + 8), _mm_unpackhi_epi8(sixteen, zero));
  }
#endif
  for (; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x80 || byte == '\r' || byte == '\n') return false;
    units[i] = byte;
  }
  return true;
}

}  // namespace velmoro::internal

namespace velmoro {

using internal::ReadSequence;
using internal::Utf8Sequence;

InvalidUtf8::InvalidUtf8(std::size_t offset)
    : std::invalid_argument("ill-formed UTF-8 sequence at byte offset " +
                         std::to_string(offset)),
      offset_(offset) {}

Utf8Prefix WellFormedPrefix(std::string_view bytes) {
  std::size_t at = 0;
  char32_t codePoint = 0;
  while (at < bytes.size()) {
    const Utf8Sequence read = ReadSequence(bytes, at, codePoint);
    if (read != Utf8Sequence::Whole) return {at, read == Utf8Sequence::IllFormed};
  }
  return {at, false};
}

}  // namespace velmoro
