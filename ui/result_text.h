#pragma once

// The result as the window writes it: the engine's digits with the user's
// decimal separator, and, where the whole text is wider than the label,
// rounded to as many decimals as fit.

#include <QString>

#include <functional>

class QLocale;

namespace velmoro::ui {

// distance, a Compare's result, written by the engine with locale's decimal
// separator: "6.6973953762657", "-1,5E-05".
[[nodiscard]] QString LocalResultText(double distance, const QLocale& locale);

// text, a result text as LocalResultText gives it, rounded half away from zero
// to fractionDigits digits behind its decimal separator, keeping its sign and
// exponent: "6.6973953762657" to 3 gives "6.697", "9.96E-05" to 1 "10.0E-05".
// A text with fractionDigits digits or fewer comes back as it is. The text
// is rounded, not the number, so that the label agrees with the whole text in
// its tooltip: the double nearest 2.675, shown whole as "2.675", lies below
// it, and would round to 2.67.
[[nodiscard]] QString RoundedResultText(const QString& text, int fractionDigits);

// text rounded to the most decimals for which fits holds; with none at all
// when even that does not fit.
[[nodiscard]] QString FittingResultText(const QString& text,
                                        const std::function<bool(const QString&)>& fits);

}  // namespace velmoro::ui
