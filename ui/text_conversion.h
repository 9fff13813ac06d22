#pragma once

// The one place where texts cross between the window's widgets and the engine.
// The engine counts 16-bit units, and a line break in a text box counts as the
// pair carriage return, line feed on every platform, so that a text gives the
// same scores and result wherever it is typed.

#include <QString>

#include "text_primitives.h"

class QLocale;
class QPlainTextEdit;

namespace velmoro {

// The text of box as the engine reads it: each line break, whether a paragraph
// break or a line separator (Shift+Enter), becomes "\r\n"; every other unit is
// kept as it is, a no-break space included. An empty box gives an empty text.
[[nodiscard]] Text EngineText(const QPlainTextEdit& box);

// text unit for unit, for showing in a widget.
[[nodiscard]] QString DisplayText(TextView text);

// The first unit of locale's decimal separator; "." if it has none.
[[nodiscard]] char16_t DecimalSeparator(const QLocale& locale);

}  // namespace velmoro
