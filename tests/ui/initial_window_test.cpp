#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "main_window.h"
#include "window_probe.h"

class InitialWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<MainWindow>();
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  void cleanup() { window_.reset(); }

  // the frame
  void captionAndFixedClientSize() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Velmoro"));
    QCOMPARE(window_->size(), QSize(580, 364));
    QCOMPARE(window_->minimumSize(), QSize(580, 364));
    QCOMPARE(window_->maximumSize(), QSize(580, 364));
    QVERIFY(!window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(window_->findChild<QMenuBar*>() == nullptr);
  }

  // every control where the design puts it, in twips
  void controlGeometry_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Text2") << "QPlainTextEdit" << QRect(1920, 2160, 5415, 1215);
    QTest::newRow("StatusBar1") << "QStatusBar" << QRect(0, 4590, 8700, 495);
    QTest::newRow("Text1") << "QPlainTextEdit" << QRect(1920, 360, 5415, 1575);
    QTest::newRow("Command1") << "QPushButton" << QRect(7440, 240, 1215, 855);
    QTest::newRow("StatusBar2") << "QStatusBar" << QRect(0, 5085, 8700, 375);
    QTest::newRow("Label1") << "QLabel" << QRect(240, 480, 1095, 495);
    QTest::newRow("Label2") << "QTextEdit" << QRect(360, 1200, 855, 975);
  }
  void controlGeometry() {
    QFETCH(QString, kind);
    QFETCH(QRect, twips);
    auto* control = Control<QWidget>(*window_, QTest::currentDataTag());
    QVERIFY(control->inherits(qPrintable(kind)));
    QCOMPARE(control->geometry(), QRect(twips.x() / 15, twips.y() / 15,
                                        twips.width() / 15, twips.height() / 15));
  }

  // initial contents
  void sampleSentences() {
    const QString text1 =
        Control<QPlainTextEdit>(*window_, "Text1")->toPlainText();
    const QString text2 =
        Control<QPlainTextEdit>(*window_, "Text2")->toPlainText();
    QCOMPARE(text1.size(), 48);
    QCOMPARE(text2.size(), 55);
    QVERIFY(!text1.endsWith(u'.'));
    QVERIFY(text2.endsWith(u'.'));
  }
  void captions() {
    auto* command = Control<QPushButton>(*window_, "Command1");
    QCOMPARE(command->text(), QStringLiteral("Compare"));
    QVERIFY(!command->isDefault());
    QVERIFY(!command->autoDefault());
    QCOMPARE(Control<QLabel>(*window_, "Label1")->text(), QStringLiteral("Result"));
    QCOMPARE(ResultText(*window_), QString());
  }
  void statusBarPanels_data() {
    QTest::addColumn<QString>("firstPanel");
    QTest::newRow("StatusBar1") << "1-2";
    QTest::newRow("StatusBar2") << "2-1";
  }
  void statusBarPanels() {
    QFETCH(QString, firstPanel);
    auto* bar = Control<QStatusBar>(*window_, QTest::currentDataTag());
    QCOMPARE(PanelTexts(*window_, bar->objectName()),
             QStringList({firstPanel, QString(), QString()}));
    QVERIFY(!bar->isSizeGripEnabled());
    int left = 0;
    for (const char* name : {"Panel1", "Panel2", "Panel3"}) {
      auto* panel = Control<QLabel>(*bar, name);
      QCOMPARE(panel->width(), 96);
      QCOMPARE(panel->minimumWidth(), 96);
      const int x = panel->mapTo(bar, QPoint(0, 0)).x();
      QVERIFY(x >= left);
      left = x + panel->width();
    }
    QVERIFY(left <= bar->width() / 2);
  }
  void textBoxesShowScrollBarAndTakePlainText() {
    auto* box = Control<QPlainTextEdit>(*window_, "Text1");
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    auto* rich = new QMimeData;
    rich->setHtml(QStringLiteral("<b>bold</b> text"));
    rich->setText(QStringLiteral("bold text"));
    QGuiApplication::clipboard()->setMimeData(rich);
    box->clear();
    box->paste();
    QCOMPARE(box->toPlainText(), QStringLiteral("bold text"));
    QCOMPARE(QTextCursor(box->document()->firstBlock()).charFormat().fontWeight(),
             int(QFont::Normal));
  }

  // keyboard focus
  void focusStartsInText2AndTabCycles() {
    const QStringList expected = {"Text2", "Text1", "Command1", "Text2"};
    for (const QString& name : expected) {
      QCOMPARE(QApplication::focusWidget()->objectName(), name);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
  }
  // The result takes the focus from a click only, so that Ctrl+C copies it.
  void onlyTextBoxesAndButtonTakeFocusByTab() {
    QStringList focusable;
    for (const QWidget* widget : window_->findChildren<QWidget*>()) {
      if ((widget->focusPolicy() & Qt::TabFocus) != 0) {
        focusable << (widget->objectName().isEmpty()
                          ? QString::fromLatin1(widget->metaObject()->className())
                          : widget->objectName());
      }
    }
    focusable.sort();
    QCOMPARE(focusable, QStringList({"Command1", "Text1", "Text2"}));
  }

  // the result label holds the longest result texts whole and copies them as
  // they are
  void resultLabelFitsLongestResults_data() {
    QTest::addColumn<QString>("result");
    QTest::newRow("negative") << "-0.999999999999999";
    QTest::newRow("small, negative") << "-1.23456789012345E-05";
    QTest::newRow("comma") << "-1,23456789012345E-05";
    QTest::newRow("large") << "1.23456789012345E+15";
  }
  void resultLabelFitsLongestResults() {
    QFETCH(QString, result);
    auto* label = Control<QTextEdit>(*window_, "Label2");
    label->setPlainText(result);
    const QSizeF used = label->document()->size();
    QVERIFY2(used.width() <= label->viewport()->width() &&
                 used.height() <= label->viewport()->height(),
             qPrintable(QStringLiteral("%1 by %2").arg(used.width()).arg(used.height())));
    QCOMPARE(label->viewport()->size(), QSize(57, 65));

    QTest::mousePress(label->viewport(), Qt::LeftButton, {}, QPoint(0, 1));
    QTest::mouseMove(label->viewport(), QPoint(56, 64));
    QTest::mouseRelease(label->viewport(), Qt::LeftButton, {}, QPoint(56, 64));
    label->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), result);
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(InitialWindowTest)
#include "initial_window_test.moc"
