#include <new>
#include <span>
#include <string>
#include <string_view>

#include "batch_mode.h"
#include "command.h"
#include "compare_mode.h"
#include "complaint.h"
#include "exit_status.h"
#include "input_file.h"
#include "lines_mode.h"
#include "output.h"
#include "record_writer.h"

namespace {

using velmoro::cli::Command;
using velmoro::cli::Mode;
using velmoro::cli::Outcome;
using velmoro::cli::Output;
using velmoro::cli::RecordWriter;

Outcome Run(const Command& command, Output& output) {
  const auto writer = velmoro::cli::MakeRecordWriter(command.form);
  switch (command.mode) {
    case Mode::ShowHelp:
    case Mode::ShowVersion:
      output.Write(command.text);
      output.Flush();
      return Outcome::Done;
    case Mode::Batch:
      return velmoro::cli::RunBatch(command, *writer, output);
    case Mode::Lines:
      return velmoro::cli::RunLines(command, *writer, output);
    case Mode::Compare:
      break;
  }
  return velmoro::cli::RunCompare(command, *writer, output);
}

// An error of the command line or the input, on standard error, and as a
// record on standard output where JSON was asked for.
Outcome RefuseInput(std::string_view message, bool json, Output& output) {
  velmoro::cli::Complain(message);
  const auto writer =
      velmoro::cli::MakeRecordWriter(json ? velmoro::cli::RecordForm::Json
                                          : velmoro::cli::RecordForm::Rows);
  try {
    writer->WriteInputError(output.buffer(), {}, message);
    output.Flush();
  } catch (const velmoro::cli::OutputError& error) {
    velmoro::cli::Complain(error.what());
    return Outcome::OutputError;
  }
  return Outcome::BadInput;
}

Outcome ParseAndRun(std::span<const char* const> args, Output& output) {
  const bool json = velmoro::cli::AsksForJson(args);
  try {
    return Run(velmoro::cli::ResolveCommand(velmoro::cli::ParseCommandLine(args)), output);
  } catch (const velmoro::cli::UsageError& error) {
    return RefuseInput(std::string(error.what()) +
                           "\nTry 'velmoro-cli --help' for more information.",
                       json, output);
  } catch (const velmoro::cli::InputError& error) {
    return RefuseInput(error.what(), json, output);
  } catch (const velmoro::cli::OutputError& error) {
    velmoro::cli::Complain(error.what());
    return Outcome::OutputError;
  } catch (const std::bad_alloc&) {
    return RefuseInput("not enough memory for this input", json, output);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  Output output;
  const std::span<const char* const> args(argv, static_cast<std::size_t>(argc));
  return velmoro::cli::ExitStatus(ParseAndRun(args, output));
}
