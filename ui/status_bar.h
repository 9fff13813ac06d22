#pragma once

// Status bars made of numbered panels: three sunken panels of 96 pixels side
// by side at the left, the rest of the bar empty, no size grip. Panel n is a
// QLabel named "Panel<n>" that shows plain text.

#include <QString>

class QStatusBar;
class QWidget;

namespace velmoro {

// A new status bar named name, a child of parent, whose panel 1 reads
// firstPanelText and whose panels 2 and 3 are empty.
[[nodiscard]] QStatusBar* CreateStatusBar(const QString& name,
                                          const QString& firstPanelText,
                                          QWidget* parent);

// Sets the text of panel number (1 to 3) of bar. A number outside 1 to 3
// changes nothing.
void SetPanelText(QStatusBar& bar, int number, const QString& text);

// Sets the tooltip of panel number (1 to 3) of bar likewise.
void SetPanelToolTip(QStatusBar& bar, int number, const QString& toolTip);

}  // namespace velmoro
