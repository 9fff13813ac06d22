#include "text_conversion.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>

namespace velmoro {

namespace {

bool IsLineBreak(QChar unit) {
  return unit == u'\n' || unit == QChar::ParagraphSeparator || unit == QChar::LineSeparator;
}

}  // namespace

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString RawTextOfBox(const QPlainTextEdit& box) {
  // The raw text keeps no-break spaces, which toPlainText turns into spaces.
  return box.document()->toRawText();
}

QString FrontText(QString rawText) {
  for (QChar& unit : rawText) {
    if (IsLineBreak(unit)) unit = u'\n';
  }
  return rawText;
}

std::u16string_view Units(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

CodePointPlaces::CodePointPlaces(const QString& text) {
  std::size_t place = 0;
  for (qsizetype i = 0; i < text.size(); ++i, ++place) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      pairs_.push_back(place);
      ++i;
    }
  }
}

int CodePointPlaces::PositionOf(std::size_t place) const {
  const auto pairsBefore = std::lower_bound(pairs_.begin(), pairs_.end(), place) - pairs_.begin();
  return static_cast<int>(place + static_cast<std::size_t>(pairsBefore));
}

}  // namespace velmoro
