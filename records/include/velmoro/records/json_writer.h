#pragma once

// A small, fast JSON writer that appends to a string: objects, arrays, keys,
// strings, numbers, booleans and null, with the commas between them. Strings
// are UTF-8 and written as they are, but for the quotation mark, the
// backslash and control characters, which are escaped.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmoro::records {

class JsonWriter {
 public:
  // out must outlive the writer.
  explicit JsonWriter(std::string& out) : out_(out) {}

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }

  // The key of the next value in an object: a name that needs no escape.
  void Key(std::string_view key);

  void String(std::string_view utf8);
  void Integer(long long value);
  // The shortest digits that read back as value, with ".0" where they would
  // otherwise read as an integer; null for a value that is not finite.
  void Double(double value);
  void Bool(bool value);
  void Null();
  // A value already written as JSON, taken as it is.
  void Raw(std::string_view json);

  // The value, or null when there is none.
  void StringOrNull(const std::optional<std::string>& utf8);
  void IntegerOrNull(const std::optional<int>& value);
  void DoubleOrNull(const std::optional<double>& value);

 private:
  void Open(char bracket);
  void Close(char bracket);
  // A comma when a value came before in the same object or array.
  void Separate();

  std::string& out_;
  std::vector<bool> filled_;  // per open object or array: holds a value yet
  bool afterKey_ = false;
};

// text as a JSON string literal, quotes included.
void AppendJsonString(std::string& out, std::string_view text);

// The most characters WriteJsonDouble writes.
inline constexpr std::size_t kJsonDoubleChars = 32;

// value as JsonWriter::Double writes it, into at, which has room for
// kJsonDoubleChars; returns the end of what it wrote.
char* WriteJsonDouble(double value, char* at);

}  // namespace velmoro::records
