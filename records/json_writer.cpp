#include "velmoro/records/json_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <version>

namespace velmoro::records {

namespace {

// The shortest digits that read back as value, into digits; their number.
// A standard library without floating-point to_chars (the web build's, whose
// JSON only JavaScript reads) writes 17 significant digits, which read back
// as value too.
std::size_t ShortestDigits(double value, std::array<char, 32>& digits) {
#if __cpp_lib_to_chars >= 201611L
  return static_cast<std::size_t>(std::to_chars(digits.begin(), digits.end(), value).ptr -
                                  digits.begin());
#else
  return static_cast<std::size_t>(std::snprintf(digits.data(), digits.size(), "%.17g", value));
#endif
}

}  // namespace

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
  if (!std::isfinite(value)) {
    Null();
    return;
  }
  Separate();
  std::array<char, 32> digits{};
  const std::string_view written(digits.data(), ShortestDigits(value, digits));
  out_ += written;
  if (written.find_first_of(".e") == std::string_view::npos) out_ += ".0";
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
