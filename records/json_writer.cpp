#include "velmoro/records/json_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <version>

namespace velmoro::records {

namespace {

// Room for the digits, with ".0" behind them.
constexpr std::size_t kDigitsRoom = kJsonDoubleChars - 2;

// The shortest digits that read back as value, from at; their end. A
// standard library without floating-point to_chars (the web build's, whose
// JSON only JavaScript reads) writes 17 significant digits, which read back
// as value too.
char* ShortestDigits(double value, char* at) {
#if __cpp_lib_to_chars >= 201611L
  return std::to_chars(at, at + kDigitsRoom, value).ptr;
#else
  return at + std::snprintf(at, kDigitsRoom, "%.17g", value);
#endif
}

}  // namespace

char* WriteJsonDouble(double value, char* at) {
  constexpr std::string_view kNull = "null";
  if (!std::isfinite(value)) return std::copy(kNull.begin(), kNull.end(), at);
  char* const end = ShortestDigits(value, at);
  if (std::find_if(at, end, [](char c) { return c == '.' || c == 'e'; }) != end) return end;
  *end = '.';
  *(end + 1) = '0';
  return end + 2;
}

void AppendJsonString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  std::size_t plain = 0;  // the start of the run not yet copied
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte != '"' && byte != '\\') continue;
    out.append(text, plain, i - plain);
    plain = i + 1;
    switch (byte) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        out += "\\u00";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    }
  }
  out.append(text, plain);
  out += '"';
}

void JsonWriter::Key(std::string_view key) {
  Separate();
  out_ += '"';
  out_ += key;
  out_ += "\":";
  afterKey_ = true;
}

void JsonWriter::String(std::string_view utf8) {
  Separate();
  AppendJsonString(out_, utf8);
}

void JsonWriter::Integer(long long value) {
  Separate();
  std::array<char, 24> digits{};
  const auto end = std::to_chars(digits.begin(), digits.end(), value).ptr;
  out_.append(digits.begin(), end);
}

void JsonWriter::Double(double value) {
  Separate();
  std::array<char, kJsonDoubleChars> written{};
  out_.append(written.data(), WriteJsonDouble(value, written.data()));
}

void JsonWriter::Bool(bool value) {
  Separate();
  out_ += value ? "true" : "false";
}

void JsonWriter::Raw(std::string_view json) {
  Separate();
  out_ += json;
}

void JsonWriter::Null() {
  Separate();
  out_ += "null";
}

void JsonWriter::StringOrNull(const std::optional<std::string>& utf8) {
  if (utf8) {
    String(*utf8);
  } else {
    Null();
  }
}

void JsonWriter::IntegerOrNull(const std::optional<int>& value) {
  if (value) {
    Integer(*value);
  } else {
    Null();
  }
}

void JsonWriter::DoubleOrNull(const std::optional<double>& value) {
  if (value) {
    Double(*value);
  } else {
    Null();
  }
}

void JsonWriter::Open(char bracket) {
  Separate();
  out_ += bracket;
  filled_.push_back(false);
}

void JsonWriter::Close(char bracket) {
  out_ += bracket;
  filled_.pop_back();
}

void JsonWriter::Separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (filled_.empty()) return;
  if (filled_.back()) out_ += ',';
  filled_.back() = true;
}

}  // namespace velmoro::records
