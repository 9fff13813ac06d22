// What assistive tools get of the window through Qt's accessibility
// interfaces: each control's role, name and description, before and after a
// Compare of the sample pair; the announcements of each Compare's result and
// scores; the tints' contrast with the text over them; and the tooltips that
// say in words what the tints show. The announcements reach tools only where
// Qt's accessibility is active, as in scripts/xvfb_session.sh, which runs
// this test.

#include <QAccessible>
#include <QApplication>
#include <QLocale>
#include <QPalette>
#include <QTest>

#include <cmath>
#include <string_view>

#include "main_window.h"
#include "sample_pair_texts.h"
#include "window_probe.h"
#include "word_highlights.h"

using velmoro::ui::MainWindow;
using velmoro::ui::WordHighlights;

namespace {

using velmoro::fixtures::kSamplePair;

// The score after a panel's label: "150" of "STD: 150".
QString ScoreOf(std::string_view panelText) { return FromView(panelText).section(u' ', 1); }

QAccessibleInterface* Accessible(const QWidget& window, const QString& name) {
  return QAccessible::queryAccessibleInterface(Control<QWidget>(window, name));
}

QString NameOf(const QWidget& window, const QString& name) {
  return Accessible(window, name)->text(QAccessible::Name);
}

// The status bars' names after the sample pair's Compare.
QString Bar1Name() {
  return QStringLiteral("%1, self-score %2, against text 2: %3")
      .arg(FromView(kSamplePair.status1[0]), ScoreOf(kSamplePair.status1[1]),
           ScoreOf(kSamplePair.status1[2]));
}
QString Bar2Name() {
  return QStringLiteral("%1, self-score %2, against text 1: %3")
      .arg(FromView(kSamplePair.status2[0]), ScoreOf(kSamplePair.status2[1]),
           ScoreOf(kSamplePair.status2[2]));
}

// "Label2: Result: 6.6973953762657" for each name change announced of the
// result label and the status bars.
QStringList g_announced;

void RecordAnnouncement(QAccessibleEvent* event) {
  const QString name = event->object()->objectName();
  if (event->type() != QAccessible::NameChanged ||
      !QStringList({"Label2", "StatusBar1", "StatusBar2"}).contains(name)) {
    return;
  }
  g_announced << name + QStringLiteral(": ") +
                     event->accessibleInterface()->text(QAccessible::Name);
}

// Relative luminance and contrast ratio as WCAG 2 defines them.
double Luminance(const QColor& colour) {
  const auto linear = [](double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& first, const QColor& second) {
  const double a = Luminance(first);
  const double b = Luminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// tint laid over background, as the box paints it.
QColor Over(const QColor& tint, const QColor& background) {
  const double alpha = tint.alphaF();
  const auto mix = [alpha](double top, double bottom) {
    return alpha * top + (1 - alpha) * bottom;
  };
  return QColor::fromRgbF(static_cast<float>(mix(tint.redF(), background.redF())),
                          static_cast<float>(mix(tint.greenF(), background.greenF())),
                          static_cast<float>(mix(tint.blueF(), background.blueF())));
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    g_announced.clear();
    window_ = std::make_unique<MainWindow>(
        [](std::optional<velmoro::ErrorKind>, const QString&) {});
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() {
    QAccessible::installUpdateHandler(nullptr);
    window_.reset();
  }

  // names before any Compare
  void controlsAtStart_data() {
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");
    QTest::newRow("Text1") << QAccessible::EditableText << "Text 1";
    QTest::newRow("Text2") << QAccessible::EditableText << "Text 2";
    QTest::newRow("Command1") << QAccessible::Button << "Compare";
    QTest::newRow("Label1") << QAccessible::StaticText << "Result";
    QTest::newRow("Label2") << QAccessible::StaticText << "Result: none";
    QTest::newRow("StatusBar1") << QAccessible::StatusBar
                                << QStringLiteral("%1, no self-score, no score against text 2")
                                       .arg(FromView(kSamplePair.status1[0]));
    QTest::newRow("StatusBar2") << QAccessible::StatusBar
                                << QStringLiteral("%1, no self-score, no score against text 1")
                                       .arg(FromView(kSamplePair.status2[0]));
  }
  void controlsAtStart() {
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    const QAccessibleInterface* control = Accessible(*window_, QTest::currentDataTag());
    QCOMPARE(control->role(), role);
    QCOMPARE(control->text(QAccessible::Name), name);
    QVERIFY(!control->text(QAccessible::Description).isEmpty());
  }

  void windowIsAWindow() {
    const QAccessibleInterface* window = QAccessible::queryAccessibleInterface(window_.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Velmoro"));
  }

  // Every label, text box, button and status bar, the panels included, is in
  // the window's accessible tree with a name and a description.
  void everyControlIsNamedAndDescribed() {
    const QAccessibleInterface* window = QAccessible::queryAccessibleInterface(window_.get());
    int controls = 0;
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
      if (!widget->inherits("QLabel") && !widget->inherits("QPlainTextEdit") &&
          !widget->inherits("QPushButton") && !widget->inherits("QStatusBar")) {
        continue;
      }
      ++controls;
      const QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
      QVERIFY2(!control->text(QAccessible::Name).isEmpty() &&
                   !control->text(QAccessible::Description).isEmpty(),
               qPrintable(widget->objectName()));
      const QAccessibleInterface* above = control->parent();
      while (above != nullptr && above != window) above = above->parent();
      QVERIFY2(above == window, qPrintable(widget->objectName()));
    }
    QCOMPARE(controls, 13);  // 7 controls and 3 panels in each status bar
  }

  // what a screen reader reads after a Compare: the result whole, the scores
  // in words, each score panel described by what its number counts, and the
  // texts as they stand
  void afterCompareOfSamplePair() {
    auto* text1 = Control<QPlainTextEdit>(*window_, "Text1");
    auto* text2 = Control<QPlainTextEdit>(*window_, "Text2");
    text1->setPlainText(FromView(kSamplePair.text1));
    text2->setPlainText(FromView(kSamplePair.text2));
    ClickCompare(*window_);

    QCOMPARE(NameOf(*window_, "Label2"), QStringLiteral("Result: ") + FromView(kSamplePair.result));
    QCOMPARE(NameOf(*window_, "StatusBar1"), Bar1Name());
    QCOMPARE(NameOf(*window_, "StatusBar2"), Bar2Name());
    for (const char* bar : {"StatusBar1", "StatusBar2"}) {
      for (const char* number : {"Panel2", "Panel3"}) {
        auto* panel = Control<QLabel>(*Control<QStatusBar>(*window_, bar), number);
        QCOMPARE(QAccessible::queryAccessibleInterface(panel)->text(QAccessible::Description),
                 panel->toolTip());
      }
    }
    QCOMPARE(Accessible(*window_, "Text1")->text(QAccessible::Value),
             FromView(kSamplePair.text1));
    QCOMPARE(Accessible(*window_, "Text2")->text(QAccessible::Value),
             FromView(kSamplePair.text2));
    QCOMPARE(NameOf(*window_, "Command1"), QStringLiteral("Compare"));
  }

  // While a Compare runs, the button's description says how to cancel it.
  void busyButtonTellsHowToCancel() {
    const QAccessibleInterface* button = Accessible(*window_, "Command1");
    const QString idle = button->text(QAccessible::Description);
    Control<QPlainTextEdit>(*window_, "Text1")->setPlainText("x");
    Control<QPlainTextEdit>(*window_, "Text2")->setPlainText("y");
    QTest::mouseClick(Control<QPushButton>(*window_, "Command1"), Qt::LeftButton);
    QVERIFY(ShowsBusy(*window_));
    QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Comparing…"));
    QCOMPARE(button->text(QAccessible::Description), QStringLiteral("Press Escape to cancel"));
    WaitForCompare(*window_);
    QCOMPARE(button->text(QAccessible::Description), idle);
  }

  // Each Compare announces the result and the scores, also a second one that
  // shows the same values again.
  void eachCompareIsAnnounced() {
    QVERIFY2(QAccessible::isActive(),
             "Qt's accessibility is off: run this test in scripts/xvfb_session.sh");
    QAccessible::installUpdateHandler(RecordAnnouncement);
    Control<QPlainTextEdit>(*window_, "Text1")->setPlainText(FromView(kSamplePair.text1));
    Control<QPlainTextEdit>(*window_, "Text2")->setPlainText(FromView(kSamplePair.text2));
    const QStringList expected = {
        QStringLiteral("Label2: Result: ") + FromView(kSamplePair.result),
        QStringLiteral("StatusBar1: ") + Bar1Name(), QStringLiteral("StatusBar2: ") + Bar2Name()};
    for (int click = 1; click <= 2; ++click) {
      g_announced.clear();
      ClickCompare(*window_);
      for (const QString& announcement : expected) {
        QVERIFY2(g_announced.contains(announcement), qPrintable(g_announced.join(u'\n')));
      }
    }
  }

  // The text over each tint at its strongest, in a light and in a dark
  // palette, keeps a contrast of 4.5:1 (WCAG AA).
  void tintsKeepContrast_data() {
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("tint");
    const QPalette light = QApplication::palette();
    const QList<std::pair<const char*, std::pair<QColor, QColor>>> palettes = {
        {"light", {light.color(QPalette::Base), light.color(QPalette::Text)}},
        {"dark", {QColor(0x2d, 0x2d, 0x2d), QColor(Qt::white)}}};
    for (const auto& [palette, colours] : palettes) {
      for (int points = 1; points <= 5; ++points) {
        QTest::addRow("%s, context, points %d", palette, points)
            << colours.first << colours.second << WordHighlights::ContextTint(points);
      }
      QTest::addRow("%s, single point", palette)
          << colours.first << colours.second << WordHighlights::SinglePointTint();
    }
  }
  void tintsKeepContrast() {
    QFETCH(QColor, base);
    QFETCH(QColor, text);
    QFETCH(QColor, tint);
    const QColor shown = Over(tint, base);
    const double contrast = Contrast(text, shown);
    qInfo("text %s over %s: %.2f:1", qPrintable(text.name()), qPrintable(shown.name()), contrast);
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
  }

  // A tint is never the only carrier of its meaning: each tinted word's
  // tooltip says in words how many points it earned, whether by its context
  // or as a single point, and whether its match is only part of a longer
  // word.
  void tooltipsSayWhatTintsShow_data() {
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QStringList>("credits");  // the kinds of tint it must show
    QTest::newRow("sample pair") << FromView(kSamplePair.text1) << FromView(kSamplePair.text2)
                                 << QStringList{"context"};
    QTest::newRow("single point") << "a b" << "b a" << QStringList{"single"};
  }
  void tooltipsSayWhatTintsShow() {
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(QStringList, credits);
    Control<QPlainTextEdit>(*window_, "Text1")->setPlainText(text1);
    Control<QPlainTextEdit>(*window_, "Text2")->setPlainText(text2);
    ClickCompare(*window_);
    const auto* highlights = window_->findChild<WordHighlights*>();
    QStringList seen;
    for (const char* name : {"Text1", "Text2"}) {
      const auto* box = Control<QPlainTextEdit>(*window_, name);
      for (const QTextEdit::ExtraSelection& tint : box->extraSelections()) {
        const QString credit = tint.format.property(WordHighlights::kCreditProperty).toString();
        const int points = tint.format.property(WordHighlights::kPointsProperty).toInt();
        const bool inside = tint.format.property(WordHighlights::kInsideLongerProperty).toBool();
        const QString toolTip = highlights->toolTipAt(box, tint.cursor.selectionStart());
        seen << credit;
        QVERIFY2(toolTip.contains(points == 1 ? QStringLiteral("1 point")
                                              : QStringLiteral("%1 points").arg(points)) &&
                     (credit == "context" ? toolTip.contains("following") &&
                                                toolTip.contains("preceding")
                                          : toolTip.contains("a single point")) &&
                     toolTip.contains(inside ? "inside '" : " as '"),
                 qPrintable(toolTip));
      }
    }
    for (const QString& credit : credits) QVERIFY2(seen.contains(credit), qPrintable(credit));
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
