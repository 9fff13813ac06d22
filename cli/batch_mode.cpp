#include "batch_mode.h"

#include <simdjson.h>

#include <array>
#include <optional>
#include <string>

#include "escaped_text.h"
#include "line_source.h"
#include "pair_run.h"
#include "size_limits.h"

namespace velmoro::cli {

namespace {

constexpr std::string_view kJsonSpace = " \t\r\n";

std::string JsonProblem(simdjson::error_code error) {
  if (error == simdjson::MEMALLOC) return std::string(kOutOfMemory);
  return std::string("not a JSON object with \"text1\" and \"text2\": ") +
         simdjson::error_message(error);
}

// A value's JSON text as the line wrote it, without the space after it.
simdjson::error_code RawValue(simdjson::ondemand::value value, std::string_view& raw) {
  simdjson::ondemand::json_type type{};
  if (const auto error = value.type().get(type)) return error;
  simdjson::error_code error = simdjson::SUCCESS;
  if (type == simdjson::ondemand::json_type::array) {
    simdjson::ondemand::array array;
    error = value.get_array().get(array);
    if (!error) error = array.raw_json().get(raw);
  } else if (type == simdjson::ondemand::json_type::object) {
    simdjson::ondemand::object object;
    error = value.get_object().get(object);
    if (!error) error = object.raw_json().get(raw);
  } else {
    raw = value.raw_json_token();
  }
  raw = raw.substr(0, raw.find_last_not_of(kJsonSpace) + 1);
  return error;
}

// The fields of a batch line's object: text1, text2 and id are read, the
// others only skipped, so that a number no double holds there does no harm.
simdjson::error_code ReadFields(simdjson::ondemand::object object, PairLine& pair) {
  std::array<std::optional<std::string_view>, 2> texts;
  for (auto field : object) {
    std::string_view key;
    if (const auto error = field.unescaped_key().get(key)) return error;
    if (key == "id") {
      std::string_view raw;
      if (const auto error = RawValue(field.value(), raw)) return error;
      pair.id = raw;
    } else if (key == "text1" || key == "text2") {
      std::string_view text;
      if (field.value().get_string().get(text) == simdjson::SUCCESS) {
        texts[key == "text1" ? 0 : 1] = text;
      } else if (!pair.problem) {
        pair.problem = key == "text1" ? "\"text1\" is not a string" : "\"text2\" is not a string";
      }
    }
  }
  if (pair.problem) return simdjson::SUCCESS;
  if (!texts[0] || !texts[1]) {
    pair.problem = texts[0] ? "\"text2\" is missing" : "\"text1\" is missing";
    return simdjson::SUCCESS;
  }
  pair.text1 = *texts[0];
  pair.text2 = *texts[1];
  return simdjson::SUCCESS;
}

// Skipping the one value a line may hold finds what follows it; the document
// is then read again from its start.
simdjson::error_code RefuseTrailingContent(simdjson::ondemand::document& document,
                                           std::string_view line) {
  std::string_view value;
  if (const auto error = document.raw_json().get(value)) return error;
  const std::string_view after = line.substr(
      static_cast<std::size_t>(value.data() - line.data()) + value.size());
  if (after.find_first_not_of(kJsonSpace) != std::string_view::npos) {
    return simdjson::TRAILING_CONTENT;
  }
  document.rewind();
  return simdjson::SUCCESS;
}

// Reads the object of one batch line into pair. The texts and the id stay
// views into the line and parser's buffers until parser reads another line.
// The line is followed by padding, which the parser may read past its end.
void ReadBatchLine(simdjson::ondemand::parser& parser, std::string_view line, PairLine& pair) {
  const simdjson::padded_string_view padded(line.data(), line.size(),
                                            line.size() + simdjson::SIMDJSON_PADDING);
  simdjson::ondemand::document document;
  simdjson::ondemand::object object;
  simdjson::error_code error = parser.iterate(padded).get(document);
  if (!error) error = RefuseTrailingContent(document, line);
  if (!error) error = document.get_object().get(object);
  if (!error) error = ReadFields(object, pair);
  if (error) {
    pair.id.reset();
    pair.problem = JsonProblem(error);
  }
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(kJsonSpace) == std::string_view::npos;
}

ChunkResult WorkOnBatch(const LineChunk& chunk, const PairWork& work, bool resultsKept) {
  // One parser a thread: it keeps its buffers from line to line.
  thread_local simdjson::ondemand::parser parser(kLongestBatchLine);
  ChunkResult result(resultsKept);
  result.out.reserve(chunk.bytes.size() * 2);
  for (const Line& line : chunk.lines) {
    PairLine pair;
    pair.line = line.number;
    if (line.tooLong) {
      pair.problem = "the line is longer than two texts of " + TextLimitText() + " can make it";
    } else if (IsBlank(chunk.TextOf(line))) {
      ++result.lines;
      result.summary.AddBlankLine();
      continue;
    } else {
      ReadBatchLine(parser, chunk.TextOf(line), pair);
    }
    work.CompareInto(result, std::move(pair));
  }
  return result;
}

// The lines of a batch, a chunk at a time.
class BatchSource {
 public:
  explicit BatchSource(const std::string& path)
      : lines_(path, path == kStandardInputPath ? std::string("standard input") : Quoted(path),
               LineEnds::LineFeed, kLongestBatchLine, simdjson::SIMDJSON_PADDING) {}

  bool Next(LineChunk& chunk) { return lines_.Next(chunk, kChunkBytes); }
  [[nodiscard]] bool WouldWait() const { return lines_.WouldWait(); }

 private:
  LineSource lines_;
};

}  // namespace

Outcome RunBatch(const Command& command, const RecordWriter& writer, Output& output) {
  BatchSource source(command.batchPath);
  const PairWork work(writer, command.explain, Utf8Checked::Yes);
  return RunChunks<LineChunk>(command, output, source, work,
                              [&work](const LineChunk& chunk, bool resultsKept) {
                                return WorkOnBatch(chunk, work, resultsKept);
                              });
}

}  // namespace velmoro::cli
