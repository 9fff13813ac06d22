#pragma once

// What a screen reader reads of the window: each control's accessible name,
// which says what it is and what it holds, and its description, which says
// what it is for. A status bar's panels are named in words ("self-score 150")
// where the bar shows abbreviations ("STD: 150"), and a text box's
// description tells in words what its tints mean.

#include <QString>

#include <array>

#include "velmoro/directions.h"

namespace velmoro::ui {

// The name of the box that holds text (1 or 2): "Text 1".
[[nodiscard]] QString TextBoxName(int text);

// What the box of text holds and what its tints mean.
[[nodiscard]] QString TextBoxDescription(int text);

// What Compare does, and how it is reached from the keyboard.
[[nodiscard]] QString CompareDescription();

// What the caption "Result" stands over.
[[nodiscard]] QString ResultCaptionDescription();

// The name of the result label holding result, a whole result text:
// "Result: 6.6973953762657"; "Result: none" for an empty result.
[[nodiscard]] QString ResultName(const QString& result);

// What the result number means.
[[nodiscard]] QString ResultDescription();

// The names of the panels of the status bar of shape that show panelTexts,
// for example "1-2", "STD: 150" and "#: 15": "1-2", "self-score 150" and
// "against text 2: 15". A score panel left empty is "no self-score" or "no
// score against text 2".
[[nodiscard]] std::array<QString, 3> PanelNames(const StatusBarShape& shape,
                                                const std::array<QString, 3>& panelTexts);

// The name of a status bar whose panels have panelNames: the names in a row,
// "1-2, self-score 150, against text 2: 15".
[[nodiscard]] QString StatusBarName(const std::array<QString, 3>& panelNames);

// What the status bar of shape shows, its abbreviations spelt out.
[[nodiscard]] QString StatusBarDescription(const StatusBarShape& shape);

// What panel number (1 to 3) of the status bar of shape shows, for a panel
// that has no tooltip of its own to say it; empty for another number.
[[nodiscard]] QString PanelDescription(const StatusBarShape& shape, int number);

}  // namespace velmoro::ui
