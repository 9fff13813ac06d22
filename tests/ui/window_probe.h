#pragma once

// Looks at the main window the way a user does: controls found by their
// names, panel texts, typing and pressing Compare.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QTest>
#include <QTextEdit>

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

inline QString ResultText(const QWidget& window) {
  return Control<QTextEdit>(window, QStringLiteral("Label2"))->toPlainText();
}

// Replaces the text of the box named name by typing text.
inline void TypeText(const QWidget& window, const QString& name,
                     const QString& text) {
  auto* box = Control<QPlainTextEdit>(window, name);
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClicks(box, text);
}

inline void ClickCompare(const QWidget& window) {
  QTest::mouseClick(Control<QPushButton>(window, QStringLiteral("Command1")),
                    Qt::LeftButton);
}
