#pragma once

// velmoro-cli --lines: line i of one file against line i of another, for
// files of equal line counts; any line break ends a line. One record a line,
// in input order whatever the threads.

#include "command.h"
#include "exit_status.h"
#include "output.h"
#include "record_writer.h"

namespace velmoro::cli {

// Runs command's line-aligned comparison into output. Done, BadInput when a
// line could not be read, or a stop asked for by a signal. Throws InputError
// when a file cannot be read or the files differ in line count, UsageError
// for one stream named twice, and OutputError.
[[nodiscard]] Outcome RunLines(const Command& command, const RecordWriter& writer,
                               Output& output);

}  // namespace velmoro::cli
