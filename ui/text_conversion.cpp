#include "text_conversion.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace velmoro::ui {

namespace {

bool IsLineBreak(QChar unit) {
  return unit == u'\n' || unit == QChar::ParagraphSeparator || unit == QChar::LineSeparator;
}

}  // namespace

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromUnits(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
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

}  // namespace velmoro::ui
