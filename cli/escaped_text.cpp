#include "escaped_text.h"

namespace velmoro::cli {

std::string Escaped(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(utf8.size());
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F && byte != '\\') {
      escaped += c;
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

std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (const char c : utf8) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return width;
}

}  // namespace velmoro::cli
