#include "velmoro/records/json_writer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <limits>
#include <string>

namespace velmoro::records {
namespace {

// nlohmann's parser is the oracle: what the writer writes must read back as
// the value written.
TEST(JsonWriter, WritesStringsThatReadBackAsThemselves) {
  const std::string rows[] = {"", "plain", "quote \" and backslash \\", "tab\tline\nreturn\r",
                              std::string("nul \0 and \x1F", 11), "\xC3\xA4\xF0\x9F\x98\x80",
                              "\x7F"};
  for (const std::string& text : rows) {
    SCOPED_TRACE(testing::PrintToString(text));
    std::string out;
    AppendJsonString(out, text);
    EXPECT_EQ(nlohmann::json::parse(out).get<std::string>(), text);
  }
}

// Numbers read back exactly and as what they are; nesting puts its commas.
TEST(JsonWriter, WritesNumbersAndNestingAsJsonReadsThem) {
  std::string out;
  JsonWriter json(out);
  json.BeginObject();
  json.Key("doubles");
  json.BeginArray();
  for (const double value : {1.0, 0.1, 6.6973953762657, -1e-300, 1e21}) json.Double(value);
  json.Double(std::numeric_limits<double>::quiet_NaN());
  json.EndArray();
  json.Key("more");
  json.BeginArray();
  json.Integer(-3);
  json.IntegerOrNull(std::nullopt);
  json.Bool(true);
  json.Raw("{\"id\":[1,2]}");
  json.EndArray();
  json.EndObject();
  const nlohmann::json read = nlohmann::json::parse(out);
  EXPECT_TRUE(read["doubles"][0].is_number_float()) << out;
  EXPECT_EQ(read["doubles"], nlohmann::json::parse("[1.0, 0.1, 6.6973953762657, -1e-300, 1e21, null]"));
  EXPECT_EQ(read["more"], nlohmann::json::parse(R"([-3, null, true, {"id": [1, 2]}])"));
}

}  // namespace
}  // namespace velmoro::records
