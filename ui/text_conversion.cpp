#include "text_conversion.h"

#include <QLocale>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace velmoro {

namespace {

bool IsLineBreak(QChar unit) {
  return unit == u'\n' || unit == QChar::ParagraphSeparator ||
         unit == QChar::LineSeparator;
}

}  // namespace

Text EngineText(const QPlainTextEdit& box) {
  // The raw text keeps no-break spaces, which toPlainText turns into spaces.
  const QString raw = box.document()->toRawText();
  Text text;
  text.reserve(static_cast<std::size_t>(raw.size()));
  for (const QChar unit : raw) {
    if (IsLineBreak(unit)) {
      text += u"\r\n";
    } else {
      text += unit.unicode();
    }
  }
  return text;
}

QString DisplayText(TextView text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

char16_t DecimalSeparator(const QLocale& locale) {
  const QString separator = locale.decimalPoint();
  return separator.isEmpty() ? u'.' : separator.front().unicode();
}

}  // namespace velmoro
