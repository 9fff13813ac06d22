#include <QPlainTextEdit>
#include <QTest>

#include "text_conversion.h"

class TextConversionTest : public QObject {
  Q_OBJECT

 private slots:
  // what the engine reads from a box filled with the given text
  void engineText_data() {
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("engineText");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("pair stays one break") << "a\r\nb" << "a\r\nb";
    QTest::newRow("empty line, at the end") << "a\n\nb\n" << "a\r\n\r\nb\r\n";
    QTest::newRow("no-break space kept") << u"a\u00a0b"_qs << u"a\u00a0b"_qs;
    QTest::newRow("surrogate pair") << u"\U0001F600."_qs << u"\U0001F600."_qs;
  }
  void engineText() {
    QFETCH(QString, boxText);
    QFETCH(QString, engineText);
    QPlainTextEdit box;
    box.setPlainText(boxText);
    QCOMPARE(velmoro::DisplayText(velmoro::EngineText(box)), engineText);
  }

  void typedLineBreaks() {
    QPlainTextEdit box;
    QTest::keyClicks(&box, "a");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, "b");
    QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&box, "c");
    QCOMPARE(velmoro::EngineText(box), velmoro::Text(u"a\r\nb\r\nc"));
  }
};

QTEST_MAIN(TextConversionTest)
#include "text_conversion_test.moc"
