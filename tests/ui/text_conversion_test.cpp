#include <QPlainTextEdit>
#include <QTest>

#include "text_conversion.h"

class TextConversionTest : public QObject {
  Q_OBJECT

 private slots:
  // what the front is given from a box filled with the given text
  void givenText_data() {
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("givenText");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("pair stays one break") << "a\r\nb" << "a\nb";
    QTest::newRow("empty line, at the end") << "a\n\nb\n" << "a\n\nb\n";
    QTest::newRow("no-break space kept") << u"a\u00a0b"_qs << u"a\u00a0b"_qs;
    QTest::newRow("surrogate pair") << u"\U0001F600."_qs << u"\U0001F600."_qs;
  }
  void givenText() {
    QFETCH(QString, boxText);
    QFETCH(QString, givenText);
    QPlainTextEdit box;
    box.setPlainText(boxText);
    QCOMPARE(velmoro::ui::FrontText(velmoro::ui::RawTextOfBox(box)), givenText);
  }

  void typedLineBreaks() {
    QPlainTextEdit box;
    QTest::keyClicks(&box, "a");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, "b");
    QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&box, "c");
    QCOMPARE(velmoro::ui::FrontText(velmoro::ui::RawTextOfBox(box)), QStringLiteral("a\nb\nc"));
  }
};

QTEST_MAIN(TextConversionTest)
#include "text_conversion_test.moc"
