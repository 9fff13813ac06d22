#pragma once

// What velmoro-cli is to do, with every policy settled once from the command
// line and the terminals it runs on: the mode, the form of the records, the
// threads, and what standard error shows. Nothing downstream asks again.

#include <array>
#include <string>

#include "command_line.h"

namespace velmoro::cli {

// How records are written: the rows and result line of one pair, JSON
// objects, or the tab-separated rows of --lines.
enum class RecordForm { Rows, Json, Tsv };

struct Command {
  Mode mode = Mode::Compare;
  RecordForm form = RecordForm::Rows;
  bool explain = false;
  std::array<TextSource, 2> texts;        // Compare: Text1 and Text2
  std::string batch_path;                  // Batch: a path or "-"
  std::array<std::string, 2> lines_paths;  // Lines
  unsigned jobs = 1;                      // Batch and Lines: at least 1
  bool progress_shown = false;             // Batch and Lines
  bool summary_shown = false;              // Batch and Lines
  // Standard error and standard output are one terminal: the progress line
  // is cleared before records are written over it.
  bool progress_shares_output = false;
  std::string text;  // ShowHelp and ShowVersion: what to print
};

// Settles what line leaves open, asking the terminals once.
[[nodiscard]] Command ResolveCommand(CommandLine line);

}  // namespace velmoro::cli
