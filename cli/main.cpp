#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "arguments.h"
#include "explanation_report.h"
#include "front.h"
#include "json_writer.h"
#include "report.h"
#include "text_input.h"

namespace {

constexpr int kExitCompareError = 1;
constexpr int kExitBadInput = 2;
// Output is written out once this much of it is held.
constexpr std::size_t kOutputChunk = 1 << 16;

void Complain(std::string_view message) { std::cerr << "velmoro-cli: " << message << '\n'; }

void WriteOut(std::string& out) {
  std::cout << out;
  out.clear();
}

std::string Report(const velmoro::cli::Arguments& arguments,
                   const velmoro::Comparison& comparison, const velmoro::Walks& walks,
                   const std::array<velmoro::GivenText, 2>& texts) {
  std::string out;
  const velmoro::cli::Drain drain = [&out] {
    if (out.size() >= kOutputChunk) WriteOut(out);
  };
  if (!arguments.json) {
    out = velmoro::cli::PlainReport(comparison);
    if (arguments.explain) {
      velmoro::cli::WritePlainExplanation(out, walks, texts[0], texts[1], drain);
    }
    return out;
  }
  velmoro::cli::JsonWriter json(out);
  json.BeginObject();
  velmoro::cli::WriteComparisonKeys(json, comparison);
  if (arguments.explain) {
    velmoro::cli::WriteJsonExplanation(json, walks, texts[0], texts[1], drain);
  }
  json.EndObject();
  out += '\n';
  return out;
}

int Compare(const velmoro::cli::Arguments& arguments) {
  const std::array<velmoro::GivenText, 2> texts = velmoro::cli::LoadTexts(arguments.texts);
  velmoro::Walks walks;
  const velmoro::Comparison comparison =
      velmoro::CompareGiven(texts[0], texts[1], arguments.explain ? &walks : nullptr);
  std::string out = Report(arguments, comparison, walks, texts);
  WriteOut(out);
  std::cout << std::flush;
  if (!comparison.error) return EXIT_SUCCESS;
  Complain(comparison.message);
  return kExitCompareError;
}

int Run(const velmoro::cli::Arguments& arguments) {
  switch (arguments.command) {
    case velmoro::cli::Command::ShowHelp:
      std::cout << velmoro::cli::UsageText();
      return EXIT_SUCCESS;
    case velmoro::cli::Command::ShowVersion:
      std::cout << "velmoro-cli " VELMORO_VERSION_TEXT "\n";
      return EXIT_SUCCESS;
    case velmoro::cli::Command::Compare:
      break;
  }
  return Compare(arguments);
}

}  // namespace

int main(int argc, char* argv[]) {
  try {
    return Run(velmoro::cli::ParseArguments({argv, static_cast<std::size_t>(argc)}));
  } catch (const velmoro::cli::UsageError& error) {
    Complain(std::string(error.what()) + "\nTry 'velmoro-cli --help' for more information.");
  } catch (const velmoro::cli::InputError& error) {
    Complain(error.what());
  }
  return kExitBadInput;
}
