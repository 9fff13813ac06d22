#pragma once

// velmoro-cli --batch: JSON Lines of pairs in, one record a line out, in
// input order whatever the threads. A line that cannot be read gets a record
// that says why and the run goes on; a blank line is skipped.

#include "command.h"
#include "exit_status.h"
#include "output.h"
#include "record_writer.h"

namespace velmoro::cli {

// Runs command's batch into output. Done, BadInput when a line could not be
// read, or a stop asked for by a signal. Throws InputError when the input
// cannot be read, and OutputError.
[[nodiscard]] Outcome RunBatch(const Command& command, const RecordWriter& writer,
                               Output& output);

}  // namespace velmoro::cli
