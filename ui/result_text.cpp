#include "result_text.h"

#include <QLocale>

#include "text_conversion.h"
#include "velmoro/procedures.h"

namespace velmoro::ui {

namespace {

bool IsDigit(QChar unit) { return unit >= u'0' && unit <= u'9'; }

// A result text's parts: "-" "12" "," "345" "E-05".
struct NumberParts {
  QString sign;
  QString whole;
  QString separator;
  QString fraction;
  QString exponent;
};

NumberParts PartsOf(const QString& text) {
  NumberParts parts;
  qsizetype at = text.startsWith(u'-') ? 1 : 0;
  parts.sign = text.left(at);
  const auto digitsFrom = [&](qsizetype from) {
    qsizetype end = from;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end;
  };
  qsizetype end = digitsFrom(at);
  parts.whole = text.mid(at, end - at);
  at = end;
  const qsizetype exponentAt = text.indexOf(u'E', at);
  const qsizetype mantissaEnd = exponentAt < 0 ? text.size() : exponentAt;
  if (at < mantissaEnd) {
    end = at;
    while (end < mantissaEnd && !IsDigit(text[end])) ++end;
    parts.separator = text.mid(at, end - at);
    parts.fraction = text.mid(end, mantissaEnd - end);
  }
  parts.exponent = text.mid(mantissaEnd);
  return parts;
}

// Adds one to the last digit of digits, carrying leftwards.
QString Incremented(QString digits) {
  for (qsizetype i = digits.size() - 1; i >= 0; --i) {
    if (digits[i] != u'9') {
      digits[i] = QChar(digits[i].unicode() + 1);
      return digits;
    }
    digits[i] = u'0';
  }
  return u'1' + digits;
}

}  // namespace

// Every locale Qt knows has a decimal separator of one unit.
QString LocalResultText(double distance, const QLocale& locale) {
  return FromUnits(DoubleToText(distance, locale.decimalPoint().front().unicode()));
}

QString RoundedResultText(const QString& text, int fractionDigits) {
  const NumberParts parts = PartsOf(text);
  if (fractionDigits >= parts.fraction.size()) return text;
  QString digits = parts.whole + parts.fraction.left(fractionDigits);
  if (parts.fraction[fractionDigits] >= u'5') digits = Incremented(digits);
  const qsizetype wholeSize = digits.size() - fractionDigits;
  QString rounded = parts.sign + digits.left(wholeSize);
  if (fractionDigits > 0) rounded += parts.separator + digits.mid(wholeSize);
  return rounded + parts.exponent;
}

QString FittingResultText(const QString& text, const std::function<bool(const QString&)>& fits) {
  if (fits(text)) return text;
  for (auto digits = static_cast<int>(PartsOf(text).fraction.size()) - 1; digits > 0; --digits) {
    QString rounded = RoundedResultText(text, digits);
    if (fits(rounded)) return rounded;
  }
  return RoundedResultText(text, 0);
}

}  // namespace velmoro::ui
