#pragma once

// Looks at the main window the way a user does: controls found by their
// names, panel texts, typing, pressing Compare and waiting for its result.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QTest>

#include "main_window.h"
#include "result_label.h"

// The window's own classes, as the window tests name them.
using velmoro::ui::MainWindow;
using velmoro::ui::ResultLabel;

// The control named name, of type Widget; ends the test run if there is none.
template <typename Widget>
Widget* Control(const QWidget& window, const QString& name) {
  auto* widget = window.findChild<Widget*>(name);
  if (widget == nullptr) qFatal("no control named %s", qPrintable(name));
  return widget;
}

// The texts of panels 1 to 3 of the status bar named bar.
inline QStringList PanelTexts(const QWidget& window, const QString& bar) {
  QStringList texts;
  for (int number = 1; number <= 3; ++number) {
    texts << Control<QLabel>(*Control<QStatusBar>(window, bar),
                             QStringLiteral("Panel%1").arg(number))
                 ->text();
  }
  return texts;
}

// The whole result text, as a copy takes it.
inline QString ResultText(const QWidget& window) {
  return Control<ResultLabel>(window, QStringLiteral("Label2"))->result();
}

// Whether Command1 shows that a Compare is running or waiting.
inline bool ShowsBusy(const QWidget& window) {
  return Control<QPushButton>(window, QStringLiteral("Command1"))->text() !=
         QStringLiteral("Compare");
}

// Waits until no Compare runs or waits.
inline void WaitForCompare(const QWidget& window) {
  QTRY_VERIFY_WITH_TIMEOUT(!ShowsBusy(window), 60'000);
}

// Replaces the text of the box named name by typing text.
inline void TypeText(const QWidget& window, const QString& name,
                     const QString& text) {
  auto* box = Control<QPlainTextEdit>(window, name);
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClicks(box, text);
}

// Presses Compare and waits for its result.
inline void ClickCompare(const QWidget& window) {
  QTest::mouseClick(Control<QPushButton>(window, QStringLiteral("Command1")),
                    Qt::LeftButton);
  WaitForCompare(window);
}
