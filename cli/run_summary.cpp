#include "run_summary.h"

#include <algorithm>
#include <cstdio>

namespace velmoro::cli {

namespace {

constexpr auto kShowEvery = std::chrono::milliseconds(250);

std::string Number(double value) {
  std::array<char, 32> digits{};
  std::snprintf(digits.data(), digits.size(), "%.15g", value);
  return digits.data();
}

}  // namespace

void RunSummary::AddComparison(const std::optional<ErrorKind>& error,
                               const std::optional<double>& distance) {
  ++pairs_;
  if (error) {
    ++errors_[static_cast<std::size_t>(*error)];
    return;
  }
  ++completed_;
  sum_ += *distance;
  if (results_kept_) results_.push_back(*distance);
}

void RunSummary::Add(const RunSummary& other) {
  pairs_ += other.pairs_;
  completed_ += other.completed_;
  input_errors_ += other.input_errors_;
  blank_lines_ += other.blank_lines_;
  for (std::size_t kind = 0; kind < errors_.size(); ++kind) errors_[kind] += other.errors_[kind];
  sum_ += other.sum_;
  results_.insert(results_.end(), other.results_.begin(), other.results_.end());
}

std::string RunSummary::Text(double seconds) {
  std::string text = "pairs: " + std::to_string(pairs()) + ", completed: " +
                     std::to_string(completed_) + ", lines not read: " +
                     std::to_string(input_errors_) + ", blank lines: " +
                     std::to_string(blank_lines_) + "\nerrors:";
  for (const ErrorKind kind : kErrorKinds) {
    text += ' ' + std::string(ErrorKindName(kind)) + ' ' +
            std::to_string(errors_[static_cast<std::size_t>(kind)]);
  }
  text += "\nresult: ";
  if (completed_ == 0) {
    text += "none";
  } else {
    text += "mean " + Number(sum_ / static_cast<double>(completed_));
    if (results_kept_) {
      const auto middle = results_.begin() + static_cast<std::ptrdiff_t>(results_.size() / 2);
      std::nth_element(results_.begin(), middle, results_.end());
      double median = *middle;
      if (results_.size() % 2 == 0) median = (median + *std::max_element(results_.begin(), middle)) / 2;
      text += ", median " + Number(median);
    }
  }
  const double rate = seconds > 0 ? static_cast<double>(pairs()) / seconds : 0;
  text += "\npairs per second: " + std::to_string(static_cast<long long>(rate)) + " (" +
          Number(seconds) + " s)\n";
  return text;
}

void ProgressLine::Update(std::size_t lines) {
  if (!shown_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_shown_ < kShowEvery) return;
  last_shown_ = now;
  Show(lines);
}

void ProgressLine::Clear() {
  if (!visible_ || !shares_output_) return;
  std::fputs("\r\x1B[K", stderr);
  std::fflush(stderr);
  visible_ = false;
}

void ProgressLine::Finish(std::size_t lines) {
  if (!shown_) return;
  Show(lines);
  std::fputc('\n', stderr);
  visible_ = false;
}

double ProgressLine::Seconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void ProgressLine::Show(std::size_t lines) {
  const double seconds = Seconds();
  const double rate = seconds > 0 ? static_cast<double>(lines) / seconds : 0;
  std::fprintf(stderr, "\rvelmoro-cli: %zu lines, %.0f pairs per second, %.1f s", lines, rate,
               seconds);
  std::fflush(stderr);
  visible_ = true;
}

}  // namespace velmoro::cli
