#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include "main_window.h"
#include "sample_pair_texts.h"
#include "window_probe.h"

using velmoro::ui::MainWindow;
using velmoro::ui::ResultLabel;

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
    QTest::newRow("Label2") << "QLabel" << QRect(360, 1200, 855, 975);
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

  // the result label shows the longest result texts on one line of its
  // width, rounded, and gives them whole in its tooltip and to a copy
  void resultLabelFitsLongestResults_data() {
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("leading");  // what the rounded text starts with
    QTest::newRow("negative") << "-0.999999999999999" << "-1";
    QTest::newRow("small, negative") << "-1.23456789012345E-05" << "-1";
    QTest::newRow("comma") << "-1,23456789012345E-05" << "-1";
    QTest::newRow("large") << "1.23456789012345E+15" << "1";
  }
  void resultLabelFitsLongestResults() {
    QFETCH(QString, result);
    QFETCH(QString, leading);
    auto* label = Control<ResultLabel>(*window_, "Label2");
    label->setResult(result);
    QCOMPARE(label->size(), QSize(57, 65));
    const QString shown = label->text();
    QVERIFY2(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width() &&
                 shown.startsWith(leading),
             qPrintable(shown));
    QCOMPARE(shown.contains(u'E'), result.contains(u'E'));
    QCOMPARE(label->toolTip(), result);

    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(label->hasFocus());
    const QImage look = label->grab().toImage();
    QCOMPARE(look.pixelColor(0, 0), label->palette().highlight().color());
    QVERIFY(look.pixelColor(56, 64) != label->palette().highlight().color());
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), result);
  }

  // Copy in the result's context menu copies the whole number.
  void resultContextMenuCopies() {
    auto* label = Control<ResultLabel>(*window_, "Label2");
    label->setResult(kSampleResult);
    QGuiApplication::clipboard()->clear();
    QStringList actions;
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      for (QAction* action : menu->actions()) actions << action->text();
      menu->actions().front()->trigger();
      menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            label->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(label, &event);
    QCOMPARE(actions, QStringList{"&Copy"});
    QCOMPARE(QGuiApplication::clipboard()->text(), kSampleResult);
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(InitialWindowTest)
#include "initial_window_test.moc"
