#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

#include "command_line.h"
#include "explanation_report.h"
#include "velmoro/fronts.h"
#include "input_file.h"
#include "output.h"
#include "pair_runs.h"
#include "report.h"
#include "text_input.h"

namespace {

constexpr int kExitCompareError = 1;
constexpr int kExitBadInput = 2;
constexpr int kExitOutputError = 3;

using velmoro::cli::CommandLine;
using velmoro::cli::Output;

void Complain(std::string_view message) {
  std::fprintf(stderr, "velmoro-cli: %.*s\n", static_cast<int>(message.size()), message.data());
}

// Text1 against Text2: the rows or one JSON object, and the explanation.
int ComparePair(const CommandLine& command, Output& output) {
  const std::array<velmoro::GivenText, 2> texts = velmoro::cli::LoadTexts(command.texts);
  velmoro::WalkRecord walks;
  const velmoro::Comparison comparison =
      velmoro::CompareGivenTexts(texts[0], texts[1], command.explain ? &walks : nullptr);
  const velmoro::cli::Drain drain = [&output] { output.Drain(); };
  if (command.json) {
    velmoro::cli::RecordExtras extras;
    if (command.explain) extras = {std::nullopt, std::nullopt, &walks, &texts[0], &texts[1]};
    velmoro::cli::AppendJsonRecord(output.buffer(), comparison, extras, drain);
  } else {
    output.Write(velmoro::cli::PlainReport(comparison));
    if (command.explain) {
      velmoro::cli::WritePlainExplanation(output.buffer(), walks, texts[0], texts[1], drain);
    }
  }
  output.Flush();
  if (!comparison.error) return EXIT_SUCCESS;
  Complain(comparison.message);
  return kExitCompareError;
}

int Run(const CommandLine& command, Output& output) {
  switch (command.mode) {
    case velmoro::cli::Mode::ShowHelp:
    case velmoro::cli::Mode::ShowVersion:
      output.Write(command.text);
      output.Flush();
      return EXIT_SUCCESS;
    case velmoro::cli::Mode::Batch:
    case velmoro::cli::Mode::Lines:
      return velmoro::cli::RunPairs(command, output);
    case velmoro::cli::Mode::Compare:
      break;
  }
  return ComparePair(command, output);
}

// An error of the command line or the input, on standard error, and as a
// JSON object on standard output where JSON was asked for.
int RefuseInput(std::string_view message, bool json, Output& output) {
  Complain(message);
  if (!json) return kExitBadInput;
  try {
    velmoro::cli::AppendInputErrorRecord(output.buffer(), std::nullopt, std::nullopt, message);
    output.Flush();
  } catch (const velmoro::cli::OutputError& error) {
    Complain(error.what());
    return kExitOutputError;
  }
  return kExitBadInput;
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::span<const char* const> args(argv, static_cast<std::size_t>(argc));
  const bool json = velmoro::cli::AsksForJson(args);
  Output output;
  try {
    return Run(velmoro::cli::ParseCommandLine(args), output);
  } catch (const velmoro::cli::UsageError& error) {
    return RefuseInput(std::string(error.what()) +
                           "\nTry 'velmoro-cli --help' for more information.",
                       json, output);
  } catch (const velmoro::cli::InputError& error) {
    return RefuseInput(error.what(), json, output);
  } catch (const velmoro::cli::OutputError& error) {
    Complain(error.what());
    return kExitOutputError;
  } catch (const std::bad_alloc&) {
    return RefuseInput("not enough memory for this input", json, output);
  }
}
