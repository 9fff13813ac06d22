#include "velmoro/records/record_keys.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "sample_pair.h"
#include "velmoro/fronts.h"
#include "velmoro/records/json_record.h"

namespace velmoro::records {
namespace {

using Json = nlohmann::ordered_json;
using Names = std::vector<std::string>;

template <std::size_t N>
Names NamesOf(const std::array<std::string_view, N>& names) {
  return {names.begin(), names.end()};
}

Names KeysOf(const Json& object) {
  Names keys;
  for (const auto& [key, value] : object.items()) keys.push_back(key);
  return keys;
}

Names ErrorKindNames() {
  Names names;
  for (const ErrorKind kind : kErrorKinds) names.emplace_back(ErrorKindName(kind));
  return names;
}

std::string SourceFile(const std::string& path) {
  std::ifstream file(std::string(VELMORO_SOURCE_DIR) + '/' + path);
  EXPECT_TRUE(file) << path;
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// "str, str" for word str twice.
std::string Repeated(const std::string& word, std::size_t times) {
  std::string list;
  for (std::size_t i = 0; i < times; ++i) list += (i == 0 ? "" : ", ") + word;
  return list;
}

// The first match of pattern in text, which outlives it.
std::smatch Search(const std::string& text, const char* pattern) {
  std::smatch match;
  EXPECT_TRUE(std::regex_search(text, match, std::regex(pattern))) << pattern;
  return match;
}

// The quoted words of text, in order: 'text1' | 'text2' gives text1, text2.
Names Quoted(const std::string& text) {
  static const std::regex kQuoted(R"(['"](\w+)['"])");
  Names words;
  for (auto match = std::sregex_iterator(text.begin(), text.end(), kQuoted);
       match != std::sregex_iterator(); ++match) {
    words.push_back((*match)[1]);
  }
  return words;
}

// The fields of a declared type, in order, each with the text of its type:
// the indented lines "name: type" (or "name?: type") after the line that
// opens the type, comments left out.
struct Fields {
  Names names;
  std::map<std::string, std::string, std::less<>> types;

  // The type of the field named, or "" where there is none.
  [[nodiscard]] std::string TypeOf(std::string_view name) const {
    const auto found = types.find(name);
    return found == types.end() ? "" : found->second;
  }
};

Fields FieldsOf(const std::string& source, const std::string& opening) {
  Fields fields;
  const std::size_t start = source.find(opening);
  EXPECT_NE(start, std::string::npos) << opening;
  if (start == std::string::npos) return fields;
  std::istringstream lines(source.substr(start + opening.size()));
  static const std::regex kField(R"(^\s+(\w+)\??:\s*([^;/#]*?)\s*;?\s*(//.*|#.*)?$)");
  for (std::string line; std::getline(lines, line) && line.starts_with(' ');) {
    std::smatch field;
    if (!std::regex_match(line, field, kField)) continue;
    fields.names.push_back(field[1]);
    fields.types[field[1]] = field[2];
  }
  return fields;
}

// The record of the sample pair with its explanation, at line 1 with an id.
Json SampleRecord() {
  const GivenText text1 = GivenText::FromUtf8(fixtures::kSamplePair.text1);
  const GivenText text2 = GivenText::FromUtf8(fixtures::kSamplePair.text2);
  WalkRecord walks;
  const Comparison comparison = CompareGivenTexts(text1, text2, &walks);
  const WalkedTexts walked{walks, text1, text2};
  std::string out;
  AppendJsonRecord(out, {1, "7"}, comparison, &walked, [] {});
  return Json::parse(out);
}

// What the writer writes follows the table, which the checks below hold the
// other fronts' declarations to.
TEST(RecordKeys, ARecordHasTheKeysOfTheTableInItsOrder) {
  const Json record = SampleRecord();
  Names top = NamesOf(kPlaceKeys);
  for (const std::string_view key : kComparisonKeys) top.emplace_back(key);
  top.emplace_back(key::kExplain);
  EXPECT_EQ(KeysOf(record), top);
  bool sawNotFound = false;
  for (const Json& direction : record[key::kExplain]) {
    EXPECT_EQ(KeysOf(direction), NamesOf(kDirectionKeys));
    for (const Json& word : direction[key::kWords]) {
      Names keys = NamesOf(kWordKeys);
      if (word.contains(key::kNotFound)) {
        sawNotFound = true;
      } else {
        keys.pop_back();
      }
      EXPECT_EQ(KeysOf(word), keys);
    }
  }
  EXPECT_TRUE(sawNotFound) << "the sample pair has words that earned nothing";

  std::string inputError;
  AppendJsonInputError(inputError, {1, "7"}, "why");
  Names errorKeys = NamesOf(kPlaceKeys);
  errorKeys.emplace_back(key::kInputError);
  EXPECT_EQ(KeysOf(Json::parse(inputError)), errorKeys);
}

// velmoro.d.ts declares what the browser module's functions return.
TEST(RecordKeys, TheBrowserModulesTypesAreTheTables) {
  const std::string types = SourceFile("web/velmoro.d.ts");
  const Fields comparison = FieldsOf(types, "export interface Comparison {\n");
  EXPECT_EQ(comparison.names, NamesOf(kComparisonKeys));
  const Fields direction = FieldsOf(types, "export interface DirectionExplanation {\n");
  EXPECT_EQ(direction.names, NamesOf(kDirectionKeys));
  EXPECT_EQ(Quoted(direction.TypeOf(key::kSource)), NamesOf(kTextNames));
  EXPECT_EQ(Quoted(direction.TypeOf(key::kTarget)), NamesOf(kTextNames));
  const Fields word = FieldsOf(types, "export interface ExplainedWord {\n");
  EXPECT_EQ(word.names, NamesOf(kWordKeys));
  EXPECT_EQ(Quoted(word.TypeOf(key::kNotFound)), NamesOf(kNotFoundNames));

  const std::smatch kinds = Search(types, R"(export type ErrorKind = ([^;]*);)");
  EXPECT_EQ(Quoted(kinds[1]), ErrorKindNames());
  EXPECT_NE(types.find("Comparison & { " + std::string(key::kExplain) + ": Explanation }"),
            std::string::npos);
}

// The package's stub declares explain's dicts, and explain's docstring names
// their keys and values.
TEST(RecordKeys, ThePythonModulesTypesAndDocstringAreTheTables) {
  const std::string stub = SourceFile("python/velmoro/__init__.pyi");
  const Fields direction = FieldsOf(stub, "class DirectionExplanation(TypedDict):\n");
  EXPECT_EQ(direction.names, NamesOf(kDirectionKeys));
  const Fields word = FieldsOf(stub, "class ExplainedWord(TypedDict):\n");
  EXPECT_EQ(word.names, NamesOf(kWordKeys));
  EXPECT_EQ(Quoted(word.TypeOf(key::kNotFound)), NamesOf(kNotFoundNames));
  const std::smatch kinds = Search(stub, R"(ERROR_KINDS: tuple\[([^\]]*)\])");
  EXPECT_EQ(std::string(kinds[1]), Repeated("str", kErrorKinds.size()));

  const std::string package = SourceFile("python/velmoro/__init__.py");
  const std::size_t explain = package.find("def explain(");
  ASSERT_NE(explain, std::string::npos);
  const std::size_t opening = package.find("\"\"\"", explain) + 3;
  const std::string docstring = package.substr(opening, package.find("\"\"\"", opening) - opening);
  Names named;
  for (const auto& names : {NamesOf(kDirectionKeys), NamesOf(kWordKeys), NamesOf(kTextNames),
                            NamesOf(kNotFoundNames)}) {
    named.insert(named.end(), names.begin(), names.end());
  }
  for (const std::string& name : named) {
    EXPECT_TRUE(docstring.find('"' + name + '"') != std::string::npos ||
                docstring.find('\'' + name + '\'') != std::string::npos)
        << name << " in " << docstring;
  }
}

}  // namespace
}  // namespace velmoro::records
