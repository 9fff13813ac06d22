#include "batch_line.h"

#include <algorithm>
#include <bit>
#include <new>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text_input.h"

namespace velmoro::cli {

namespace {

constexpr std::string_view kJsonSpace = " \t\r\n";
// The bytes that end a number, true, false or null.
constexpr std::string_view kTokenEnds = " \t\r\n,:[]{}\"";
constexpr std::string_view kNotAPairObject = "not a JSON object with \"text1\" and \"text2\"";
// About the most bytes of the line a message quotes.
constexpr std::size_t kExcerptBytes = 16;

// Where a line stops being JSON, and what stands there.
struct Malformed {
  std::string detail;       // "',' or '}' expected at byte 9, found 'x}'"
  bool not_unicode = false;  // a lone surrogate: JSON in form, but no text
};

// A string of the line: where the bytes between its quotes stand, and
// whether escapes change them.
struct StringSpan {
  std::size_t start = 0;
  std::size_t end = 0;
  bool escaped = false;
};

// The members a pair is made of.
struct PairMembers {
  std::array<std::optional<StringSpan>, 2> texts;
  std::optional<std::size_t> not_string;  // the first text whose value is no string
  std::optional<std::string_view> id;
  bool out_of_memory = false;  // a text's escapes were more than the memory left could decode
};

// About the first most of bytes, cut where a character starts.
std::string_view Head(std::string_view bytes, std::size_t most) {
  std::size_t cut = std::min(most, bytes.size());
  while (cut < bytes.size() && (static_cast<unsigned char>(bytes[cut]) & 0xC0U) == 0x80U) ++cut;
  return bytes.substr(0, cut);
}

// The start of bytes between two marks, "..." marking a cut.
std::string Quote(std::string_view bytes, char mark) {
  const std::string_view head = Head(bytes, kExcerptBytes);
  return mark + std::string(head) + (head.size() < bytes.size() ? "..." : "") + mark;
}

std::string AtByte(std::size_t at) { return " at byte " + std::to_string(at); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsPlainStringByte(char c) {
  return static_cast<unsigned char>(c) >= 0x20 && c != '"' && c != '\\';
}

// The first byte at or behind at that ends a run of plain string bytes: a
// quote, a backslash or a control character; bytes.size() when none does.
std::size_t SkipPlainBytes(std::string_view bytes, std::size_t at) {
#if defined(__SSE2__)
  // Sixteen bytes at a time: a control character is one that its unsigned
  // minimum with 0x1F leaves as it is.
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i lastControl = _mm_set1_epi8(0x1F);
  for (; at + sizeof(__m128i) <= bytes.size(); at += sizeof(__m128i)) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
    const __m128i ends =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, quote), _mm_cmpeq_epi8(chunk, backslash)),
                     _mm_cmpeq_epi8(_mm_min_epu8(chunk, lastControl), chunk));
    if (const auto found = static_cast<unsigned>(_mm_movemask_epi8(ends)); found != 0) {
      return at + static_cast<std::size_t>(std::countr_zero(found));
    }
  }
#endif
  while (at < bytes.size() && IsPlainStringByte(bytes[at])) ++at;
  return at;
}

// Whether token has the form of a JSON number, whatever its size.
bool IsNumber(std::string_view token) {
  std::size_t at = 0;
  const auto next = [&](std::string_view any) {
    if (at == token.size() || any.find(token[at]) == std::string_view::npos) return false;
    ++at;
    return true;
  };
  const auto digits = [&] {
    const std::size_t from = at;
    while (at < token.size() && IsDigit(token[at])) ++at;
    return at > from;
  };
  next("-");
  if (!next("0") && !digits()) return false;
  if (next(".") && !digits()) return false;
  if (next("eE")) {
    next("+-");
    if (!digits()) return false;
  }
  return at == token.size();
}

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
    return;
  }
  const unsigned tail = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
  constexpr std::array<char32_t, 4> kLead = {0, 0xC0, 0xE0, 0xF0};
  out += static_cast<char>(kLead[tail] | (code >> (6 * tail)));
  for (unsigned i = tail; i > 0; --i) {
    out += static_cast<char>(0x80U | ((code >> (6 * (i - 1))) & 0x3FU));
  }
}

// Reads one line as the object of a pair, strictly; each fault throws
// Malformed.
class LineReader {
 public:
  // The texts that escapes change are decoded into decoded as they are read.
  LineReader(std::string_view line, std::array<std::string, 2>& decoded)
      : line_(line), decoded_(decoded) {}

  void ReadObject(PairMembers& members);

  // The text of text (0 or 1) as read: a view into the line, or into decoded.
  [[nodiscard]] std::string_view TextOf(const StringSpan& span, std::size_t text) const {
    return TextOf(span, decoded_[text]);
  }

  // What fault makes of the line, naming the member that it stands in.
  [[nodiscard]] std::string Problem(const Malformed& fault) const;

 private:
  [[nodiscard]] std::string_view TextOf(const StringSpan& span, const std::string& buffer) const;
  void ReadMember(PairMembers& members);
  StringSpan ReadKey(std::string* decoded);
  StringSpan ReadText(std::size_t text, PairMembers& members);
  void SkipValue();
  bool EndItem();
  void SkipToken();
  StringSpan ReadString(std::string* decoded);
  void ReadEscape(std::string* decoded);
  void ReadUnicodeEscape(std::size_t escape, std::string* decoded);
  char32_t ReadHexUnit(std::size_t escape);
  void SkipSpace();
  [[nodiscard]] bool At(char c) const { return at_ < line_.size() && line_[at_] == c; }
  [[nodiscard]] Malformed Expected(std::string_view what) const;
  [[nodiscard]] Malformed LoneSurrogate(std::size_t escape) const;

  std::string_view line_;
  std::array<std::string, 2>& decoded_;
  std::size_t at_ = 0;
  std::string open_;  // the closing brackets of the containers a skipped value is in
  std::optional<std::string_view> member_;  // the key of the member read, as written
  std::string key_;   // a key that escapes change, decoded
};

void LineReader::ReadObject(PairMembers& members) {
  SkipSpace();
  if (!At('{')) throw Expected("'{'");
  ++at_;
  SkipSpace();
  if (!At('}')) {
    while (true) {
      ReadMember(members);
      SkipSpace();
      if (At('}')) break;
      if (!At(',')) throw Expected("',' or '}'");
      ++at_;
      SkipSpace();
    }
  }
  ++at_;
  SkipSpace();
  if (at_ < line_.size()) {
    throw Malformed{"trailing content after the object" + AtByte(at_) + ": " +
                    Quote(line_.substr(at_), '\'')};
  }
}

void LineReader::ReadMember(PairMembers& members) {
  const StringSpan keySpan = ReadKey(&key_);
  member_ = line_.substr(keySpan.start, keySpan.end - keySpan.start);
  const std::string_view key = TextOf(keySpan, key_);
  const std::optional<std::size_t> text =
      key == "text1" ? std::optional<std::size_t>(0)
                     : key == "text2" ? std::optional<std::size_t>(1) : std::nullopt;
  SkipSpace();
  const std::size_t value = at_;
  if (text && At('"')) {
    members.texts[*text] = ReadText(*text, members);
  } else {
    SkipValue();
    if (text && !members.not_string) members.not_string = text;
  }
  if (key == "id") members.id = line_.substr(value, at_ - value);
  member_.reset();
}

// The string of text (0 or 1), decoded where escapes change it. When the
// memory left cannot hold it decoded, it is read again only to be checked, so
// that the rest of the line is still read.
StringSpan LineReader::ReadText(std::size_t text, PairMembers& members) {
  const std::size_t open = at_;
  try {
    return ReadString(&decoded_[text]);
  } catch (const std::bad_alloc&) {
    std::string().swap(decoded_[text]);
    members.out_of_memory = true;
    at_ = open;
    return ReadString(nullptr);
  }
}

// A key and the colon after it; the key decoded into decoded where given.
StringSpan LineReader::ReadKey(std::string* decoded) {
  if (!At('"')) throw Expected("a key in double quotes");
  const StringSpan key = ReadString(decoded);
  SkipSpace();
  if (!At(':')) throw Expected("':'");
  ++at_;
  return key;
}

// Checks the value at at_ and moves past it, however deep it nests: an item
// at a time, with the containers it stands in on open_.
void LineReader::SkipValue() {
  open_.clear();
  while (true) {
    SkipSpace();
    if (At('{') || At('[')) {
      const char close = At('{') ? '}' : ']';
      ++at_;
      SkipSpace();
      if (!At(close)) {
        open_ += close;
        if (close == '}') ReadKey(nullptr);
        continue;
      }
      ++at_;
    } else if (At('"')) {
      ReadString(nullptr);
    } else {
      SkipToken();
    }
    if (!EndItem()) return;
  }
}

// After an item: closes the containers that it ends. True when another item
// follows, at_ then at its value.
bool LineReader::EndItem() {
  while (!open_.empty()) {
    SkipSpace();
    if (At(open_.back())) {
      ++at_;
      open_.pop_back();
      continue;
    }
    if (!At(',')) throw Expected(open_.back() == '}' ? "',' or '}'" : "',' or ']'");
    ++at_;
    if (open_.back() == '}') {
      SkipSpace();
      ReadKey(nullptr);
    }
    return true;
  }
  return false;
}

// A number, true, false or null, read up to the byte that ends it.
void LineReader::SkipToken() {
  const std::size_t start = at_;
  while (at_ < line_.size() && kTokenEnds.find(line_[at_]) == std::string_view::npos) ++at_;
  const std::string_view token = line_.substr(start, at_ - start);
  if (token.empty()) throw Expected("a value");
  if (token == "true" || token == "false" || token == "null" || IsNumber(token)) return;
  throw Malformed{Quote(token, '\'') + AtByte(start) + " is not a JSON value"};
}

// Reads the string whose opening quote stands at at_ and moves past it. Where
// decoded is given and escapes change the string, its text is decoded there.
StringSpan LineReader::ReadString(std::string* decoded) {
  const std::size_t open = at_++;
  StringSpan span{at_, 0, false};
  std::size_t plain = at_;  // the start of the bytes not appended yet
  if (decoded != nullptr) decoded->clear();
  while (true) {
    at_ = SkipPlainBytes(line_, at_);
    if (at_ == line_.size()) {
      throw Malformed{"the string" + AtByte(open) + " has no closing quote"};
    }
    const auto byte = static_cast<unsigned char>(line_[at_]);
    if (byte == '"') break;
    if (byte < 0x20) {
      constexpr std::string_view kHex = "0123456789ABCDEF";
      throw Malformed{std::string("the control character U+00") + kHex[byte >> 4U] +
                      kHex[byte & 0xFU] + AtByte(at_) + " is not escaped"};
    }
    if (decoded != nullptr) decoded->append(line_.substr(plain, at_ - plain));
    ReadEscape(decoded);
    span.escaped = true;
    plain = at_;
  }
  if (decoded != nullptr && span.escaped) decoded->append(line_.substr(plain, at_ - plain));
  span.end = at_++;
  return span;
}

void LineReader::ReadEscape(std::string* decoded) {
  constexpr std::string_view kNames = "\"\\/bfnrt";
  constexpr std::string_view kMeanings = "\"\\/\b\f\n\r\t";
  const std::size_t escape = at_++;
  if (At('u')) {
    ReadUnicodeEscape(escape, decoded);
    return;
  }
  const std::size_t which =
      at_ < line_.size() ? kNames.find(line_[at_]) : std::string_view::npos;
  if (which == std::string_view::npos) {
    throw Malformed{"an unknown escape '" + std::string(Head(line_.substr(escape), 2)) + "'" +
                    AtByte(escape)};
  }
  ++at_;
  if (decoded != nullptr) *decoded += kMeanings[which];
}

// \uXXXX, or a surrogate pair \uXXXX\uXXXX, at_ on the first "u".
void LineReader::ReadUnicodeEscape(std::size_t escape, std::string* decoded) {
  char32_t code = ReadHexUnit(escape);
  const auto isLow = [](char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
  if (isLow(code)) throw LoneSurrogate(escape);
  if (code >= 0xD800 && code <= 0xDBFF) {
    const std::size_t second = at_;
    if (line_.substr(second, 2) != "\\u") throw LoneSurrogate(escape);
    ++at_;
    const char32_t low = ReadHexUnit(second);
    if (!isLow(low)) throw LoneSurrogate(escape);
    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
  }
  if (decoded != nullptr) AppendUtf8(*decoded, code);
}

// The four hex digits after the "u" at at_, which moves past them.
char32_t LineReader::ReadHexUnit(std::size_t escape) {
  ++at_;
  char32_t unit = 0;
  for (int digit = 0; digit < 4; ++digit, ++at_) {
    const int value = at_ < line_.size() ? HexDigit(line_[at_]) : -1;
    if (value < 0) {
      throw Malformed{"the escape '" + std::string(Head(line_.substr(escape), 6)) + "'" +
                      AtByte(escape) + " has no four hex digits"};
    }
    unit = unit * 16 + static_cast<char32_t>(value);
  }
  return unit;
}

void LineReader::SkipSpace() {
  while (at_ < line_.size() && kJsonSpace.find(line_[at_]) != std::string_view::npos) ++at_;
}

Malformed LineReader::Expected(std::string_view what) const {
  const std::string found =
      at_ < line_.size() ? Quote(line_.substr(at_), '\'') : std::string("the end of the line");
  return {std::string(what) + " expected" + AtByte(at_) + ", found " + found};
}

Malformed LineReader::LoneSurrogate(std::size_t escape) const {
  return {"a lone surrogate, '" + std::string(line_.substr(escape, 6)) + "'" + AtByte(escape),
          true};
}

std::string_view LineReader::TextOf(const StringSpan& span, const std::string& buffer) const {
  return span.escaped ? std::string_view(buffer) : line_.substr(span.start, span.end - span.start);
}

std::string LineReader::Problem(const Malformed& fault) const {
  if (!member_) {
    return std::string(kNotAPairObject) + ": " +
           (fault.not_unicode ? "a key holds " + fault.detail + ", which is not valid Unicode"
                             : fault.detail);
  }
  const std::string name = Quote(*member_, '"');
  if (fault.not_unicode) return name + " holds " + fault.detail + ": it is not valid Unicode";
  return name + " is not valid JSON: " + fault.detail;
}

}  // namespace

bool IsBlankLine(std::string_view line) {
  return line.find_first_not_of(kJsonSpace) == std::string_view::npos;
}

void ReadBatchLine(std::string_view line, PairLine& pair, std::array<std::string, 2>& decoded) {
  if (const std::optional<std::string> problem = Utf8Problem(line)) {
    pair.problem = "the line " + *problem;
    return;
  }
  LineReader reader(line, decoded);
  PairMembers members;
  try {
    reader.ReadObject(members);
    pair.id = members.id;
    if (members.not_string) {
      pair.problem = *members.not_string == 0 ? "\"text1\" is not a string"
                                             : "\"text2\" is not a string";
    } else if (!members.texts[0] || !members.texts[1]) {
      pair.problem = members.texts[0] ? "\"text2\" is missing" : "\"text1\" is missing";
    } else if (members.out_of_memory) {
      pair.problem = std::string(kOutOfMemory);
    } else {
      pair.text1 = reader.TextOf(*members.texts[0], 0);
      pair.text2 = reader.TextOf(*members.texts[1], 1);
    }
  } catch (const Malformed& fault) {
    pair.problem = reader.Problem(fault);
  } catch (const std::bad_alloc&) {
    pair.problem = std::string(kOutOfMemory);
  }
}

}  // namespace velmoro::cli
