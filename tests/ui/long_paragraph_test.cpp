// The window with a paragraph of several MiB in a box, which Qt takes long to
// lay out or to draw a cursor in: a Compare keeps the window responsive, the
// message box of its error does not make the box draw that paragraph again,
// and a close during the Compare always closes, with nothing of that Compare
// shown after it.

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <optional>

#include "main_window.h"
#include "velmoro/errors.h"
#include "window_probe.h"

using velmoro::ui::MainWindow;

namespace {

// Past the size at which the window stops tinting, and laid out in seconds.
constexpr qsizetype kParagraphUnits = qsizetype{4} << 20;

// One paragraph of short words: its self-score passes 32767, so a Compare
// of it ends in an error.
QString LongParagraph() {
  const QStringList words = {"the", "river", "Mill", "a", "bag,"};
  QString text;
  text.reserve(kParagraphUnits + 8);
  for (qsizetype i = 0; text.size() < kParagraphUnits; ++i) {
    text += words[i % words.size()];
    text += u' ';
  }
  return text;
}

// The longest stretch, in milliseconds, in which the event loop did not come
// round to a timer that asks every 10 ms.
class FreezeProbe : public QObject {
 public:
  FreezeProbe() {
    connect(&timer_, &QTimer::timeout, this, [this] {
      longest_ = std::max(longest_, since_tick_.restart());
    });
    since_tick_.start();
    timer_.start(10);
  }
  [[nodiscard]] qint64 longest() const { return longest_; }

 private:
  QTimer timer_;
  QElapsedTimer since_tick_;
  qint64 longest_ = 0;
};

// Counts the paints of a widget in count.
class PaintCounter : public QObject {
 public:
  PaintCounter(QWidget& widget, int& count) : count_(count) { widget.installEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count_;
    return false;
  }

 private:
  int& count_;
};

// How long one paint of box takes, its cursor drawn in its paragraph.
qint64 PaintMilliseconds(QPlainTextEdit& box) {
  QElapsedTimer timer;
  timer.start();
  box.viewport()->repaint();
  return timer.elapsed();
}

}  // namespace

class LongParagraphTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    window_ = std::make_unique<MainWindow>(
        [this](std::optional<velmoro::ErrorKind> kind, const QString& message) {
          reported_ << kind;
          if (show_box_) QMessageBox::critical(window_.get(), window_->windowTitle(), message);
        });
    text1_ = Control<QPlainTextEdit>(*window_, "Text1");
    text1_->clear();
    text1_->insertPlainText(LongParagraph());
    showWindow();
  }
  void init() { reported_.clear(); }
  void cleanupTestCase() { window_.reset(); }

  // Ctrl+Return from the paragraph: "Comparing…" at once, no paint of that
  // box all through the Compare, and no freeze.
  void compareKeepsTheWindowResponsive() {
    text1_->setFocus();
    text1_->moveCursor(QTextCursor::Start);
    QTest::qWait(50);
    const qint64 paint = PaintMilliseconds(*text1_);
    int paints = 0;
    PaintCounter counter(*text1_->viewport(), paints);
    FreezeProbe probe;
    QTest::keyClick(text1_, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(ShowsBusy(*window_));
    WaitForCompare(*window_);
    QTest::qWait(50);
    qInfo("one paint of the box: %lld ms; longest freeze during the Compare: %lld ms", paint,
          probe.longest());
    QCOMPARE(paints, 0);
    QVERIFY2(probe.longest() < 1000, qPrintable(QStringLiteral("%1 ms").arg(probe.longest())));
    QCOMPARE(reported_, QList<std::optional<velmoro::ErrorKind>>{velmoro::ErrorKind::Overflow});
  }

  // The error's message box takes the focus and gives it back, as a window
  // manager does when the box closes; the box keeps its focused look, so its
  // cursor is not drawn again.
  void errorBoxLeavesTheParagraphUnpainted() {
    QTimer dismiss;
    connect(&dismiss, &QTimer::timeout, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        box->accept();
      }
    });
    dismiss.start(10);
    show_box_ = true;
    int paints = 0;
    PaintCounter counter(*text1_->viewport(), paints);
    QTest::keyClick(text1_, Qt::Key_Return, Qt::ControlModifier);
    WaitForCompare(*window_);
    show_box_ = false;
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::qWait(50);
    QCOMPARE(reported_.size(), 1);
    QCOMPARE(paints, 0);
    QVERIFY(text1_->hasFocus());
  }

  // Closed at different moments of a Compare, the window closes, and a
  // Compare still running then reports nothing, even once it ends.
  void closeDuringCompareCloses() {
    int closedWhileComparing = 0;
    for (const int delay : {0, 1, 5, 10, 20, 50, 100}) {
      QTest::keyClick(text1_, Qt::Key_Return, Qt::ControlModifier);
      QTest::qWait(delay);
      const bool comparing = window_->comparing();
      closedWhileComparing += comparing ? 1 : 0;
      const qsizetype reportsAtClose = reported_.size();
      QVERIFY(window_->close());
      QVERIFY(!window_->isVisible());
      QVERIFY(!ShowsBusy(*window_));
      QTRY_VERIFY_WITH_TIMEOUT(!window_->comparing(), 60'000);
      QTest::qWait(50);
      QVERIFY2(reported_.size() == reportsAtClose,
               qPrintable(QStringLiteral("closed %1 ms into the Compare").arg(delay)));
      showWindow();
    }
    QVERIFY(closedWhileComparing > 0);
  }

 private:
  void showWindow() {
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    text1_->setFocus();
  }

  std::unique_ptr<MainWindow> window_;
  QPlainTextEdit* text1_ = nullptr;
  QList<std::optional<velmoro::ErrorKind>> reported_;
  bool show_box_ = false;  // whether errors are shown in a message box too
};

QTEST_MAIN(LongParagraphTest)
#include "long_paragraph_test.moc"
