#pragma once

// velmoro-cli's runs over many pairs, on as many threads as asked, with the
// output in input order and the same for any number of threads:
//   --batch  JSON Lines of pairs in, one JSON record a line out;
//   --lines  line i of one file against line i of another.
// A line that cannot be read gets a record that says why, and the run goes on.

#include "command_line.h"
#include "output.h"

namespace velmoro::cli {

// Runs command's batch or line-aligned comparison into output. Returns the
// exit status: 0 when every line was read, 2 when one was not. Throws
// InputError when the input cannot be read or the files of --lines differ in
// length, and OutputError.
[[nodiscard]] int RunPairs(const CommandLine& command, Output& output);

}  // namespace velmoro::cli
