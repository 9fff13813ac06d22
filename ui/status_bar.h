#pragma once

// Status bars made of numbered panels: three sunken panels of 96 pixels side
// by side at the left, the rest of the bar empty, no size grip. Panel n is a
// QLabel named "Panel<n>" that shows plain text. A bar of scores is named for
// screen readers, and so are its panels, in words after what they show.

#include <QString>

class QStatusBar;
class QWidget;

namespace velmoro {
struct StatusBarShape;
}  // namespace velmoro

namespace velmoro::ui {

// A new status bar of shape named name, a child of parent, whose panel 1
// reads the shape's label and whose panels 2 and 3 are empty, described as
// DescribeStatusBar does.
[[nodiscard]] QStatusBar* CreateStatusBar(const QString& name, const StatusBarShape& shape,
                                          QWidget* parent);

// Sets the text of panel number (1 to 3) of bar. A number outside 1 to 3
// changes nothing.
void SetPanelText(QStatusBar& bar, int number, const QString& text);

// Sets the tooltip of panel number (1 to 3) of bar likewise.
void SetPanelToolTip(QStatusBar& bar, int number, const QString& toolTip);

// Names bar, the status bar of shape, and its panels for screen readers after
// what they show now; a panel's tooltip, where it has one, describes it. Each
// name set tells them that it changed, also when it stays the same, so that
// the scores of every Compare are announced.
void DescribeStatusBar(QStatusBar& bar, const StatusBarShape& shape);

}  // namespace velmoro::ui
