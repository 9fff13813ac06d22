#pragma once

// velmoro-cli's one pair: Text1 against Text2, from arguments or files.

#include "command.h"
#include "exit_status.h"
#include "output.h"
#include "record_writer.h"

namespace velmoro::cli {

// Compares command's two texts and writes their record, with the explanation
// when asked for. Done, or CompareError with the message on standard error.
// Throws InputError, UsageError and OutputError.
[[nodiscard]] Outcome RunCompare(const Command& command, const RecordWriter& writer,
                                 Output& output);

}  // namespace velmoro::cli
