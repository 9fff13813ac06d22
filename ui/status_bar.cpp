#include "status_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>

namespace velmoro {

namespace {

constexpr int kPanelCount = 3;
constexpr int kPanelWidth = 96;  // 1440 twips

QString PanelName(int number) { return QStringLiteral("Panel%1").arg(number); }

// Panel number of bar; nullptr for a number outside 1 to 3.
QLabel* Panel(QStatusBar& bar, int number) { return bar.findChild<QLabel*>(PanelName(number)); }

QLabel* CreatePanel(int number, QWidget* parent) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(PanelName(number));
  panel->setTextFormat(Qt::PlainText);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setFixedWidth(kPanelWidth);
  return panel;
}

}  // namespace

QStatusBar* CreateStatusBar(const QString& name, const QString& firstPanelText,
                            QWidget* parent) {
  auto* bar = new QStatusBar(parent);
  bar->setObjectName(name);
  bar->setSizeGripEnabled(false);
  // The bar spaces its own items apart; grouped, the panels stay side by side
  // and together take the left half of a bar of 580 pixels.
  auto* panels = new QWidget(bar);
  auto* row = new QHBoxLayout(panels);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  for (int number = 1; number <= kPanelCount; ++number) {
    row->addWidget(CreatePanel(number, panels));
  }
  bar->addWidget(panels);
  SetPanelText(*bar, 1, firstPanelText);
  return bar;
}

void SetPanelText(QStatusBar& bar, int number, const QString& text) {
  if (QLabel* panel = Panel(bar, number)) panel->setText(text);
}

void SetPanelToolTip(QStatusBar& bar, int number, const QString& toolTip) {
  if (QLabel* panel = Panel(bar, number)) panel->setToolTip(toolTip);
}

}  // namespace velmoro
