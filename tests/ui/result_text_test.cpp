#include <QLocale>
#include <QTest>

#include "result_text.h"

class ResultTextTest : public QObject {
  Q_OBJECT

 private slots:
  void localResultText_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("full stop") << QLocale(QLocale::English) << "-1.5E-05";
    QTest::newRow("comma") << QLocale(QLocale::German) << "-1,5E-05";
    QTest::newRow("beyond ASCII") << QLocale(QLocale::Arabic, QLocale::Egypt)
                                  << u"-1\u066B5E-05"_qs;
  }
  void localResultText() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QCOMPARE(velmoro::ui::LocalResultText(-1.5E-05, locale), text);
  }

  void roundedResultText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("rounded");
    QTest::newRow("down") << "6.6973953762657" << 3 << "6.697";
    QTest::newRow("up") << "6.6973953762657" << 4 << "6.6974";
    QTest::newRow("to none") << "6.6973953762657" << 0 << "7";
    QTest::newRow("carry into the whole") << "-0.999999999999999" << 5 << "-1.00000";
    QTest::newRow("carry past the first digit") << "9.96E-05" << 1 << "10.0E-05";
    QTest::newRow("comma, exponent kept") << "-1,23456789012345E-05" << 2 << "-1,23E-05";
    QTest::newRow("as many digits as it has") << "0.25" << 2 << "0.25";
    QTest::newRow("whole number") << "3" << 0 << "3";
  }
  void roundedResultText() {
    QFETCH(QString, text);
    QFETCH(int, digits);
    QFETCH(QString, rounded);
    QCOMPARE(velmoro::ui::RoundedResultText(text, digits), rounded);
  }

  // The most digits that fit, by length here, and none when nothing fits.
  void fittingResultText() {
    const auto upTo = [](qsizetype length) {
      return [length](const QString& text) { return text.size() <= length; };
    };
    QCOMPARE(velmoro::ui::FittingResultText("1.23456789012345E+15", upTo(9)), "1.235E+15");
    QCOMPARE(velmoro::ui::FittingResultText("6.6973953762657", upTo(20)), "6.6973953762657");
    QCOMPARE(velmoro::ui::FittingResultText("6.6973953762657", upTo(0)), "7");
  }
};

QTEST_MAIN(ResultTextTest)
#include "result_text_test.moc"
