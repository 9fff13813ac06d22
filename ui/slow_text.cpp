#include "slow_text.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace velmoro::ui {

int BusySeconds(qsizetype units) {
  const double mebibytes = static_cast<double>(units) / static_cast<double>(qsizetype{1} << 20);
  return std::max(1, static_cast<int>(std::lround(mebibytes * kBusySecondsPerMiB)));
}

bool HasLongParagraph(const QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.length() > kSlowTextUnits) return true;
  }
  return false;
}

}  // namespace velmoro::ui
