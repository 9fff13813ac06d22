#pragma once

// The one writer of records that a run uses, chosen once from its form:
// plain rows, JSON objects or tab-separated rows. The modes hand it what they
// compared, or why a pair could not be read, and never ask for the form.

#include <memory>
#include <string>
#include <string_view>

#include "command.h"
#include "explanation_report.h"
#include "velmoro/records/json_record.h"

namespace velmoro::cli {

using records::RecordPlace;

class RecordWriter {
 public:
  virtual ~RecordWriter() = default;

  // What comes before the first record, if anything.
  virtual void WriteHeader(std::string& /*out*/) const {}

  // The record of a Compare, with its explanation when walked is given;
  // drain is called while a long explanation is written.
  virtual void WriteComparison(std::string& out, const RecordPlace& place,
                               const Comparison& comparison, const WalkedTexts* walked,
                               const Drain& drain) const = 0;

  // The record of a Compare without an explanation, written from its numbers
  // alone: false, and nothing written, for a form that writes only whole
  // Comparisons (WriteComparison).
  [[nodiscard]] virtual bool WriteNumbers(std::string& out, const RecordPlace& place,
                                          const CompareNumbers& numbers) const = 0;

  // The record of a pair that could not be read; plain rows have none, as
  // standard error says why.
  virtual void WriteInputError(std::string& out, const RecordPlace& place,
                               std::string_view why) const = 0;
};

[[nodiscard]] std::unique_ptr<const RecordWriter> MakeRecordWriter(RecordForm form);

}  // namespace velmoro::cli
