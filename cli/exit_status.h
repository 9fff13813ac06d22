#pragma once

// How velmoro-cli ends: every outcome of a run and its exit status, in one
// table that main and --help both read.

#include <array>
#include <csignal>
#include <cstddef>
#include <string_view>

namespace velmoro::cli {

enum class Outcome {
  Done,
  CompareError,  // the comparison ended in an error
  BadInput,      // bad usage, or input that could not be read
  OutputError,   // the output could not be written
  Interrupted,   // stopped by SIGINT at a record's end
  Terminated,    // stopped by SIGTERM at a record's end
};

struct ExitStatusRow {
  Outcome outcome;
  int status;
  std::string_view meaning;  // as --help says it, wrapped to its column
};

// A run stopped by a signal exits with 128 and the signal's number, as shells
// report it.
inline constexpr int kSignalStatusBase = 128;

// The rows stand in the order of Outcome.
inline constexpr std::array<ExitStatusRow, 6> kExitStatuses{{
    {Outcome::Done, 0, "done"},
    {Outcome::CompareError, 1,
     "the comparison ended in an error (its message is on standard error; a\n"
     "     batch reports such errors in its records)"},
    {Outcome::BadInput, 2, "bad usage, or input that could not be read (in a batch: any line)"},
    {Outcome::OutputError, 3, "the output could not be written"},
    {Outcome::Interrupted, kSignalStatusBase + SIGINT,
     "stopped by SIGINT (Ctrl+C) after a whole record; standard error says\n"
     "       which line was the last one written"},
    {Outcome::Terminated, kSignalStatusBase + SIGTERM, "stopped by SIGTERM, likewise"},
}};

[[nodiscard]] constexpr int ExitStatus(Outcome outcome) {
  return kExitStatuses[static_cast<std::size_t>(outcome)].status;
}

}  // namespace velmoro::cli
