#include "long_paragraph.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace velmoro {

bool HasLongParagraph(const QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.length() > kLongParagraph) return true;
  }
  return false;
}

qsizetype LongestLine(const QString& text) {
  qsizetype longest = 0;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != u'\n' && text[i] != u'\r' &&
        text[i] != QChar::ParagraphSeparator && text[i] != QChar::LineSeparator) {
      continue;
    }
    longest = std::max(longest, i - start);
    start = i + 1;
  }
  return longest;
}

}  // namespace velmoro
