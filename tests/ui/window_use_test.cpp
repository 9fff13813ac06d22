// What the window shows of an explanation after a Compare, the keys that
// reach its Compare, a very large paste, and its cursor in a very long
// paragraph.

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLocale>
#include <QTest>
#include <QMessageBox>
#include <QTimer>
#include <QToolTip>

#include "main_window.h"
#include "sample_pair_texts.h"
#include "slow_text.h"
#include "window_probe.h"
#include "word_highlights.h"

using velmoro::ui::MainWindow;
using velmoro::ui::ResultLabel;
using velmoro::ui::WordHighlights;

namespace {

// The highlight of box that covers position, or nullptr.
const QTextEdit::ExtraSelection* HighlightAt(const QPlainTextEdit& box, int position) {
  static QList<QTextEdit::ExtraSelection> selections;
  selections = box.extraSelections();
  for (const QTextEdit::ExtraSelection& selection : selections) {
    if (selection.cursor.selectionStart() <= position && position < selection.cursor.selectionEnd()) {
      return &selection;
    }
  }
  return nullptr;
}

}  // namespace

class WindowUseTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<MainWindow>(
        [](std::optional<velmoro::ErrorKind>, const QString&) {});
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    text1_ = Control<QPlainTextEdit>(*window_, "Text1");
    text2_ = Control<QPlainTextEdit>(*window_, "Text2");
    text1_->setPlainText(kSampleText1);
    text2_->setPlainText(kSampleText2);
    ClickCompare(*window_);
  }
  void cleanup() { window_.reset(); }

  // Text1's words as direction 1 credits them (sample pair A, word by word).
  void foundWordsAreTinted_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("credit");  // "" for a word left plain
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("insideLonger");
    QTest::newRow("anna") << 0 << "context" << 2 << false;
    QTest::newRow("red") << 15 << "" << 0 << false;
    QTest::newRow("the, inside then") << 37 << "context" << 1 << true;
    QTest::newRow("river") << 57 << "" << 0 << false;
  }
  void foundWordsAreTinted() {
    QFETCH(int, position);
    QFETCH(QString, credit);
    QFETCH(int, points);
    QFETCH(bool, insideLonger);
    const QTextEdit::ExtraSelection* highlight = HighlightAt(*text1_, position);
    if (credit.isEmpty()) {
      QVERIFY(highlight == nullptr);
      return;
    }
    QVERIFY(highlight != nullptr);
    QCOMPARE(highlight->format.property(WordHighlights::kCreditProperty).toString(), credit);
    QCOMPARE(highlight->format.property(WordHighlights::kPointsProperty).toInt(), points);
    QCOMPARE(highlight->format.property(WordHighlights::kInsideLongerProperty).toBool(),
             insideLonger);
    QCOMPARE(text1_->toPlainText(), kSampleText1);
  }

  // Text2's last word earns a single point: its rest is not longer.
  void singlePointsAreToldApart() {
    const QTextEdit::ExtraSelection* the = HighlightAt(*text2_, 54);
    QVERIFY(the != nullptr);
    QCOMPARE(the->format.property(WordHighlights::kCreditProperty).toString(),
             QStringLiteral("context"));
    text1_->setPlainText("a b");
    text2_->setPlainText("b a");
    ClickCompare(*window_);
    const QTextEdit::ExtraSelection* b = HighlightAt(*text1_, 2);
    QVERIFY(b != nullptr);
    QCOMPARE(b->format.property(WordHighlights::kCreditProperty).toString(),
             QStringLiteral("single"));
  }

  // Resting the pointer on a word: its tooltip, and its match in the other box.
  void pointerOnAWord() {
    QWidget* viewport = text1_->viewport();
    QTextCursor the(text1_->document());
    the.setPosition(38);
    const QPoint at = text1_->cursorRect(the).center();
    QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &help);
    QCOMPARE(QToolTip::text(),
             QStringLiteral("found in text 2 inside 'then', 1 point: following 1, preceding 0"));
    QCOMPARE(window_->findChild<WordHighlights*>()->toolTipAt(text1_, 17),
             QStringLiteral("not found in text 2: it does not occur there"));
    QCOMPARE(window_->findChild<WordHighlights*>()->toolTipAt(text1_, 23), QString());
    QTest::mouseMove(viewport, at);
    const QTextEdit::ExtraSelection* match = HighlightAt(*text2_, 25);
    QVERIFY(match != nullptr);
    QCOMPARE(match->cursor.selectedText(), QStringLiteral("the"));
    QCOMPARE(match->format.background(), text2_->palette().highlight());
  }

  // "bag" of text 2 is in text 1, but "a" was found inside it first.
  void pointerOnAWordWhosePlaceWasUsed() {
    text1_->setPlainText("the red bag");
    text2_->setPlainText("a red bag, then");
    ClickCompare(*window_);
    QCOMPARE(window_->findChild<WordHighlights*>()->toolTipAt(text2_, 7),
             QStringLiteral("not found in text 1: it occurs there only where earlier words "
                            "were found; 'a' took its first place"));
  }

  void panelsExplainTheirNumbers() {
    auto* bar1 = Control<QStatusBar>(*window_, "StatusBar1");
    QCOMPARE(Control<QLabel>(*bar1, "Panel3")->toolTip(),
             kSampleBar1[2] + QStringLiteral(": text 1's 14 words against text 2: 10 found, "
                                             "10 by context, 0 single points"));
    QVERIFY(Control<QLabel>(*bar1, "Panel2")->toolTip().startsWith(
        kSampleBar1[1] + QStringLiteral(": text 1 against itself: 14 words, 14 found")));
  }

  void editingClearsThatBox() {
    QVERIFY(!text1_->extraSelections().isEmpty());
    QTest::keyClicks(text1_, "x");
    QVERIFY(text1_->extraSelections().isEmpty());
    QVERIFY(!text2_->extraSelections().isEmpty());
  }

  // keys: Ctrl+Return from a text box and Enter on the focused button
  void keysReachCompare() {
    auto* result = Control<ResultLabel>(*window_, "Label2");
    result->setResult({});
    QTest::keyClick(text1_, Qt::Key_Return, Qt::ControlModifier);
    WaitForCompare(*window_);
    QCOMPARE(ResultText(*window_), kSampleResult);
    QCOMPARE(text1_->toPlainText(), kSampleText1);
    result->setResult({});
    auto* command = Control<QPushButton>(*window_, "Command1");
    command->setFocus();
    QTest::keyClick(command, Qt::Key_Return);
    QTRY_COMPARE(ResultText(*window_), kSampleResult);
  }

  // A paste too large to insert quickly asks first, saying for about how long
  // it would keep the window busy.
  void largePasteAsks() {
    QStringList asked;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      asked << box->text();
      box->button(QMessageBox::Cancel)->click();
    });
    poll.start(10);
    QGuiApplication::clipboard()->setText(QString(velmoro::ui::kSlowTextUnits - 1, u'w') + "\nb");
    text1_->paste();
    QCOMPARE(asked.size(), 1);
    const QString size = QLocale().toString(velmoro::ui::kSlowTextUnits + 1);
    QVERIFY2(asked.front().startsWith(QStringLiteral("The text to insert holds %1 characters.")
                                          .arg(size)) &&
                 asked.front().contains("window busy for up to about a second"),
             qPrintable(asked.front()));
    QCOMPARE(text1_->toPlainText(), kSampleText1);
    QGuiApplication::clipboard()->setText(QString(1000, u'w') + "\nb");
    text1_->moveCursor(QTextCursor::End);
    text1_->paste();
    QCOMPARE(asked.size(), 1);
    QVERIFY(text1_->toPlainText().endsWith("\nb"));
  }

  // Each blink would lay the whole paragraph out again.
  void cursorStopsBlinkingInAVeryLongParagraph() {
    const int platformFlashTime = QApplication::cursorFlashTime();
    QVERIFY(platformFlashTime > 0);
    text1_->setPlainText(QString(100'000, u'w') + "\nshort");
    text1_->setFocus();
    text1_->moveCursor(QTextCursor::Start);
    QCOMPARE(QApplication::cursorFlashTime(), 0);
    text1_->moveCursor(QTextCursor::End);
    QCOMPARE(QApplication::cursorFlashTime(), platformFlashTime);
  }

 private:
  std::unique_ptr<MainWindow> window_;
  QPlainTextEdit* text1_ = nullptr;
  QPlainTextEdit* text2_ = nullptr;
};

QTEST_MAIN(WindowUseTest)
#include "window_use_test.moc"
