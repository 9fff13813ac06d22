#include "status_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>

#include <array>

#include "accessible_texts.h"
#include "text_conversion.h"
#include "velmoro/directions.h"

namespace velmoro::ui {

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

QStatusBar* CreateStatusBar(const QString& name, const StatusBarShape& shape,
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
  SetPanelText(*bar, 1, FromUtf8(shape.label));
  DescribeStatusBar(*bar, shape);
  return bar;
}

void SetPanelText(QStatusBar& bar, int number, const QString& text) {
  if (QLabel* panel = Panel(bar, number)) panel->setText(text);
}

void SetPanelToolTip(QStatusBar& bar, int number, const QString& toolTip) {
  if (QLabel* panel = Panel(bar, number)) panel->setToolTip(toolTip);
}

void DescribeStatusBar(QStatusBar& bar, const StatusBarShape& shape) {
  std::array<QLabel*, kPanelCount> panels{};
  std::array<QString, kPanelCount> texts;
  for (std::size_t index = 0; index < panels.size(); ++index) {
    panels[index] = Panel(bar, static_cast<int>(index) + 1);
    texts[index] = panels[index]->text();
  }
  const std::array<QString, kPanelCount> names = PanelNames(shape, texts);
  for (std::size_t index = 0; index < panels.size(); ++index) {
    QLabel& panel = *panels[index];
    panel.setAccessibleName(names[index]);
    panel.setAccessibleDescription(panel.toolTip().isEmpty()
                                       ? PanelDescription(shape, static_cast<int>(index) + 1)
                                       : panel.toolTip());
  }
  bar.setAccessibleName(StatusBarName(names));
  bar.setAccessibleDescription(StatusBarDescription(shape));
}

}  // namespace velmoro::ui
