#include "compare_mode.h"

#include "complaint.h"
#include "text_input.h"

namespace velmoro::cli {

Outcome RunCompare(const Command& command, const RecordWriter& writer, Output& output) {
  const std::array<GivenText, 2> texts = LoadTexts(command.texts);
  WalkRecord walks;
  const Comparison comparison =
      CompareGivenTexts(texts[0], texts[1], command.explain ? &walks : nullptr);
  const WalkedTexts walked{walks, texts[0], texts[1]};
  writer.WriteComparison(output.buffer(), {}, comparison, command.explain ? &walked : nullptr,
                         [&output] { output.Drain(); });
  output.Flush();
  if (!comparison.error) return Outcome::Done;
  Complain(comparison.message);
  return Outcome::CompareError;
}

}  // namespace velmoro::cli
