#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <optional>

#include "main_window.h"
#include "sample_pair_texts.h"
#include "velmoro/errors.h"
#include "window_probe.h"

using velmoro::ui::MainWindow;

Q_DECLARE_METATYPE(velmoro::ErrorKind)

namespace {

// About 16 MiB of prose-like lines, the size of a very large paste.
QString LargePaste() {
  const QStringList words = {"the", "river", "Mill", "walks", "of", "a", "bag,",
                             "red", "and", "to", "She", "old", "by", "runs."};
  QString text;
  text.reserve(16 << 20);
  for (int i = 0; text.size() < (16 << 20); ++i) {
    text += words[(i * 7 + i / 13) % words.size()];
    text += (i % 11 == 10) ? u'\n' : u' ';
  }
  return text;
}

// The number after the label of a score panel ("STD: 72" gives 72).
int Score(const QString& panelText) {
  return panelText.section(u' ', 1).toInt();
}

}  // namespace

class CompareActionTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    errors_.clear();
    messages_.clear();
    busy_at_report_.clear();
    window_ = std::make_unique<MainWindow>(
        [this](std::optional<velmoro::ErrorKind> kind, const QString& message) {
          QVERIFY(kind.has_value());
          errors_ << *kind;
          messages_ << message;
          busy_at_report_ << ShowsBusy(*window_);
        });
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

  // successful comparisons
  void samplePairA_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("result");
    QTest::newRow("full stop") << QLocale(QLocale::English, QLocale::UnitedStates)
                               << kSampleResult;
    QTest::newRow("comma") << QLocale(QLocale::German, QLocale::Germany)
                           << QString(kSampleResult).replace(u'.', u',');
  }
  void samplePairA() {
    QFETCH(QLocale, locale);
    QFETCH(QString, result);
    QLocale::setDefault(locale);
    TypeText(*window_, "Text1", kSampleText1);
    TypeText(*window_, "Text2", kSampleText2);
    for (int click = 1; click <= 2; ++click) {
      ClickCompare(*window_);
      QCOMPARE(PanelTexts(*window_, "StatusBar1"), kSampleBar1);
      QCOMPARE(PanelTexts(*window_, "StatusBar2"), kSampleBar2);
      QCOMPARE(ResultText(*window_), result);
    }
    QVERIFY(errors_.isEmpty());
  }

  // A line break is the two units "\r\n" in the length factor and joins the
  // words beside it: "a\nb" is the one word "a\r\nb", not found in "a b";
  // "a" of "a b" is found inside it, earns one point and consumes all of it.
  // The result is f * 3 / 1 - 1 with f the fourth root of the length factor
  // (1 + 1/4, or 1 + 1/3 rounded to single precision: 1.33333337306976).
  void lineBreak_data() {
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QStringList>("bar1");
    QTest::addColumn<QStringList>("bar2");
    QTest::addColumn<QString>("result");
    QTest::newRow("in Text1") << "a\nb" << "a b"
                              << QStringList{"1-2", "STD: 1", "#: 0"}
                              << QStringList{"2-1", "STD: 2", "#: 1"}
                              << "2.17211379032169";
    QTest::newRow("in Text2") << "a b" << "a\nb"
                              << QStringList{"1-2", "STD: 2", "#: 1"}
                              << QStringList{"2-1", "STD: 1", "#: 0"}
                              << "2.22370981948914";
  }
  void lineBreak() {
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(QStringList, bar1);
    QFETCH(QStringList, bar2);
    QFETCH(QString, result);
    Control<QPlainTextEdit>(*window_, "Text1")->setPlainText(text1);
    Control<QPlainTextEdit>(*window_, "Text2")->setPlainText(text2);
    ClickCompare(*window_);
    QCOMPARE(PanelTexts(*window_, "StatusBar1"), bar1);
    QCOMPARE(PanelTexts(*window_, "StatusBar2"), bar2);
    QCOMPARE(ResultText(*window_), result);
  }

  void sampleSentencesScoreInEveryDirection() {
    ClickCompare(*window_);
    QVERIFY(errors_.isEmpty());
    for (const char* bar : {"StatusBar1", "StatusBar2"}) {
      const QStringList panels = PanelTexts(*window_, bar);
      QVERIFY2(Score(panels[1]) > 0 && Score(panels[2]) > 0,
               qPrintable(panels.join(u'|')));
    }
    bool isNumber = false;
    QVERIFY(ResultText(*window_).toDouble(&isNumber) > 0 && isNumber);
  }

  // errors: reported once, after the button is ready again; the window keeps
  // the texts, shows only what this Compare wrote and stays ready
  void error_data() {
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<velmoro::ErrorKind>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("bar1");
    QTest::addColumn<QStringList>("bar2");
    const QStringList empty1 = {"1-2", "", ""};
    const QStringList empty2 = {"2-1", "", ""};
    QTest::newRow("no cross-score") << "x" << "y" << velmoro::ErrorKind::FPException
                                    << "No word in common: "
                                    << QStringList{"1-2", "STD: 1", "#: 0"}
                                    << QStringList{"2-1", "STD: 1", "#: 0"};
    QTest::newRow("empty Text1") << "" << "y" << velmoro::ErrorKind::FPException
                                 << "Text 1 is empty: type or paste a text to compare."
                                 << empty1 << empty2;
    QTest::newRow("empty Text2") << "x" << "" << velmoro::ErrorKind::FPException
                                 << "Text 2 is empty"
                                 << QStringList{"1-2", "STD: 1", "#: 0"}
                                 << QStringList{"2-1", "STD: 0", "#: 0"};
    QTest::newRow("position past 32767")
        << "a" << QString(40000, u'x') + " a" << velmoro::ErrorKind::Overflow
        << "A word of text 1 is found more than 32767 characters into text 2" << empty1
        << empty2;
  }
  void error() {
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(velmoro::ErrorKind, kind);
    QFETCH(QString, message);
    QFETCH(QStringList, bar1);
    QFETCH(QStringList, bar2);
    auto* box1 = Control<QPlainTextEdit>(*window_, "Text1");
    auto* box2 = Control<QPlainTextEdit>(*window_, "Text2");
    ClickCompare(*window_);
    box1->setPlainText(text1);
    box2->setPlainText(text2);
    ClickCompare(*window_);

    QCOMPARE(errors_, QList<velmoro::ErrorKind>{kind});
    QVERIFY2(messages_.front().startsWith(message), qPrintable(messages_.front()));
    QCOMPARE(busy_at_report_, QList<bool>{false});
    QVERIFY(window_->isVisible());
    QCOMPARE(box1->toPlainText(), text1);
    QCOMPARE(box2->toPlainText(), text2);
    QCOMPARE(PanelTexts(*window_, "StatusBar1"), bar1);
    QCOMPARE(PanelTexts(*window_, "StatusBar2"), bar2);
    QCOMPARE(ResultText(*window_), QString());

    box1->setPlainText(kSampleText1);
    box2->setPlainText(kSampleText2);
    ClickCompare(*window_);
    QCOMPARE(PanelTexts(*window_, "StatusBar1"), kSampleBar1);
    QCOMPARE(ResultText(*window_), kSampleResult);
    QCOMPARE(errors_.size(), 1);
  }

  // While a Compare runs the button says so; a second Compare waits for the
  // first and compares the texts as they stood at its own click.
  void secondCompareWaits() {
    auto* box1 = Control<QPlainTextEdit>(*window_, "Text1");
    auto* box2 = Control<QPlainTextEdit>(*window_, "Text2");
    box1->setPlainText("x");
    box2->setPlainText("y");
    QTest::mouseClick(Control<QPushButton>(*window_, "Command1"), Qt::LeftButton);
    QVERIFY(ShowsBusy(*window_));
    box1->setPlainText(kSampleText1);
    box2->setPlainText(kSampleText2);
    ClickCompare(*window_);
    QCOMPARE(errors_, QList<velmoro::ErrorKind>{velmoro::ErrorKind::FPException});
    QCOMPARE(busy_at_report_, QList<bool>{true});
    QCOMPARE(PanelTexts(*window_, "StatusBar1"), kSampleBar1);
    QCOMPARE(ResultText(*window_), kSampleResult);
  }

  // Escape drops the running Compare: the window is ready at once, and what
  // that Compare gives is never shown.
  void escapeCancels() {
    Control<QPlainTextEdit>(*window_, "Text1")->setPlainText("x");
    Control<QPlainTextEdit>(*window_, "Text2")->setPlainText("y");
    QTest::mouseClick(Control<QPushButton>(*window_, "Command1"), Qt::LeftButton);
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    QVERIFY(!ShowsBusy(*window_));
    ClickCompare(*window_);
    QCOMPARE(errors_.size(), 1);
  }

  // A self-score of this many words passes 32767 at once; the window answers
  // and stays usable, the paste kept.
  void largePaste_data() {
    QTest::addColumn<QString>("box");
    QTest::newRow("into Text1") << "Text1";
    QTest::newRow("into Text2") << "Text2";
  }
  void largePaste() {
    QFETCH(QString, box);
    static const QString paste = LargePaste();
    auto* pasted = Control<QPlainTextEdit>(*window_, box);
    pasted->setPlainText(paste);
    ClickCompare(*window_);
    QCOMPARE(errors_, QList<velmoro::ErrorKind>{velmoro::ErrorKind::Overflow});
    QCOMPARE(pasted->document()->characterCount() - 1, paste.size());
    TypeText(*window_, "Text1", kSampleText1);
    TypeText(*window_, "Text2", kSampleText2);
    ClickCompare(*window_);
    QCOMPARE(ResultText(*window_), kSampleResult);
  }

  void errorShowsModalBoxNamingIt_data() {
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QString>("named");
    QTest::newRow("floating-point") << "x" << "y" << "division by zero";
    QTest::newRow("overflow") << "a" << QString(40000, u'x') + " a" << "overflow";
  }
  void errorShowsModalBoxNamingIt() {
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(QString, named);
    MainWindow window;
    window.show();
    Control<QPlainTextEdit>(window, "Text1")->setPlainText(text1);
    Control<QPlainTextEdit>(window, "Text2")->setPlainText(text2);
    QString title;
    QString text;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      title = box->windowTitle();
      text = box->text();
      box->accept();
    });
    poll.start(10);
    ClickCompare(window);
    QCOMPARE(title, QStringLiteral("Velmoro"));
    QVERIFY2(text.contains(named, Qt::CaseInsensitive), qPrintable(text));
    QVERIFY(window.isVisible());
  }

 private:
  std::unique_ptr<MainWindow> window_;
  QList<velmoro::ErrorKind> errors_;
  QStringList messages_;
  QList<bool> busy_at_report_;
};

QTEST_MAIN(CompareActionTest)
#include "compare_action_test.moc"
