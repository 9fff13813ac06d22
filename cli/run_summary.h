#pragma once

// What a batch or line-aligned run adds up to: pairs, completed comparisons,
// errors by kind, lines that could not be read, the mean and median result,
// and pairs per second; and its progress while it runs.

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "velmoro/velmoro.h"

namespace velmoro::cli {

class RunSummary {
 public:
  // With results kept, the median can be told: it needs every result.
  explicit RunSummary(bool resultsKept) : results_kept_(resultsKept) {}

  // A Compare that ended in error, or completed with distance.
  void AddComparison(const std::optional<ErrorKind>& error, const std::optional<double>& distance);
  void AddInputError() { ++input_errors_; }
  void AddBlankLine() { ++blank_lines_; }
  // Adds what other counted, after what this one counted.
  void Add(const RunSummary& other);

  [[nodiscard]] std::size_t pairs() const { return pairs_ + input_errors_; }
  [[nodiscard]] std::size_t inputErrors() const { return input_errors_; }

  // The summary, a few lines each ending in "\n", for elapsed seconds.
  [[nodiscard]] std::string Text(double seconds);

 private:
  bool results_kept_;
  std::size_t pairs_ = 0;       // compared, with or without an error
  std::size_t completed_ = 0;
  std::size_t input_errors_ = 0;
  std::size_t blank_lines_ = 0;  // skipped, no pairs
  std::array<std::size_t, 4> errors_{};  // by ErrorKind
  double sum_ = 0;
  std::vector<double> results_;
};

// A line on standard error that says how far a run has come, written over
// itself at most a few times a second.
class ProgressLine {
 public:
  // sharesOutput: standard output is the same terminal, so the line is
  // cleared before records are written.
  ProgressLine(bool shown, bool sharesOutput) : shown_(shown), shares_output_(sharesOutput) {}

  // Shows that lines lines are done.
  void Update(std::size_t lines);
  // Takes the line off a terminal that standard output shares, so that
  // records are not written into it.
  void Clear();
  // Ends the line, so that what follows starts on a line of its own.
  void Finish(std::size_t lines);

  [[nodiscard]] double Seconds() const;

 private:
  void Show(std::size_t lines);

  bool shown_;
  bool shares_output_;
  bool visible_ = false;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point last_shown_ = start_;
};

}  // namespace velmoro::cli
