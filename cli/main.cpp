#include <cstdlib>
#include <iostream>
#include <string_view>

#include "arguments.h"
#include "compare_action.h"
#include "report.h"
#include "text_input.h"

namespace {

constexpr int kExitCompareError = 1;
constexpr int kExitBadInput = 2;

void Complain(std::string_view message) { std::cerr << "velmoro-cli: " << message << '\n'; }

int Compare(const velmoro::cli::Arguments& arguments) {
  const auto [text1, text2] = velmoro::cli::LoadTexts(arguments.texts);
  velmoro::ComparisonState state;
  const velmoro::CompareOutcome outcome = velmoro::RunCompareAction(text1, text2, state, u'.');
  std::cout << (arguments.json ? velmoro::cli::JsonReport(outcome)
                               : velmoro::cli::PlainReport(outcome))
            << std::flush;
  if (!outcome.error) return EXIT_SUCCESS;
  Complain(velmoro::cli::ErrorReport(*outcome.error));
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
