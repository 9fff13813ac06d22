#include "slow_text.h"

#include <QTextBlock>
#include <QTextDocument>

namespace velmoro {

bool HasLongParagraph(const QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.length() > kSlowTextUnits) return true;
  }
  return false;
}

}  // namespace velmoro
