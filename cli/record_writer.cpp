#include "record_writer.h"

#include "report.h"

namespace velmoro::cli {

namespace {

class RowsWriter final : public RecordWriter {
 public:
  void WriteComparison(std::string& out, const RecordPlace& /*place*/,
                       const Comparison& comparison, const WalkedTexts* walked,
                       const Drain& drain) const override {
    AppendPlainReport(out, comparison);
    if (walked != nullptr) WritePlainExplanation(out, comparison, *walked, drain);
  }
  // The rows show the status bars as the Compare wrote them.
  bool WriteNumbers(std::string& /*out*/, const RecordPlace& /*place*/,
                    const CompareNumbers& /*numbers*/) const override {
    return false;
  }
  void WriteInputError(std::string& /*out*/, const RecordPlace& /*place*/,
                       std::string_view /*why*/) const override {}
};

class JsonRecordWriter final : public RecordWriter {
 public:
  void WriteComparison(std::string& out, const RecordPlace& place, const Comparison& comparison,
                       const WalkedTexts* walked, const Drain& drain) const override {
    records::AppendJsonRecord(out, place, comparison, walked, drain);
  }
  // An error's record has the texts that the Compare wrote before it.
  bool WriteNumbers(std::string& out, const RecordPlace& place,
                    const CompareNumbers& numbers) const override {
    if (!records::AppendCompletedJsonRecord(out, place, numbers)) {
      records::AppendJsonRecord(out, place, ComparisonOf(numbers), nullptr, [] {});
    }
    return true;
  }
  void WriteInputError(std::string& out, const RecordPlace& place,
                       std::string_view why) const override {
    records::AppendJsonInputError(out, place, why);
  }
};

// --lines takes --explain only with --json, so a row never has one.
class TsvWriter final : public RecordWriter {
 public:
  void WriteHeader(std::string& out) const override { AppendTsvHeader(out); }
  void WriteComparison(std::string& out, const RecordPlace& place, const Comparison& comparison,
                       const WalkedTexts* /*walked*/, const Drain& /*drain*/) const override {
    AppendTsvRow(out, place.line.value_or(0), comparison.scores, comparison.distance,
                 comparison.error);
  }
  bool WriteNumbers(std::string& out, const RecordPlace& place,
                    const CompareNumbers& numbers) const override {
    AppendTsvRow(out, place.line.value_or(0), numbers.scores, numbers.distance, numbers.error);
    return true;
  }
  void WriteInputError(std::string& out, const RecordPlace& place,
                       std::string_view why) const override {
    AppendTsvInputError(out, place.line.value_or(0), why);
  }
};

}  // namespace

std::unique_ptr<const RecordWriter> MakeRecordWriter(RecordForm form) {
  switch (form) {
    case RecordForm::Json:
      return std::make_unique<JsonRecordWriter>();
    case RecordForm::Tsv:
      return std::make_unique<TsvWriter>();
    case RecordForm::Rows:
      break;
  }
  return std::make_unique<RowsWriter>();
}

}  // namespace velmoro::cli
