#include "model/number_text.h"
#include "platform/qt_text.h"

#include <QTest>

#include <limits>

using namespace arrowplan;

class NumberTextTest : public QObject {
    Q_OBJECT

  private slots:
    void singleText_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("negative zero") << -0.0f << "0";
        QTest::newRow("whole") << 2880.0f << "2880";
        QTest::newRow("fraction") << 2.5f << "2.5";
        QTest::newRow("leading zero") << 0.5f << "0.5";
        QTest::newRow("negative fraction") << -0.5f << "-0.5";
        QTest::newRow("one tenth") << 0.1f << "0.1";
        QTest::newRow("a third") << (1.0f / 3.0f) << "0.3333333";
        QTest::newRow("seven digits") << 1234.567f << "1234.567";
        QTest::newRow("rounded to seven") << 16777217.0f << "16777220";
        QTest::newRow("large") << 123456789.0f << "123456800";
        QTest::newRow("ten million") << 10000000.0f << "10000000";
        QTest::newRow("small") << 0.00001f << "0.00001";
        QTest::newRow("tiny") << 1.5e-10f << "0.00000000015";
        QTest::newRow("largest") << std::numeric_limits<float>::max()
                                 << "340282300000000000000000000000000000000";
    }
    void singleText() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(toQString(plainText(value)), text);
    }

    void currencyText_data() {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64{0} << "0";
        QTest::newRow("whole") << qint64{1000000} << "100";
        QTest::newRow("half") << qint64{2505000} << "250.5";
        QTest::newRow("negative") << qint64{-20000} << "-2";
        QTest::newRow("smallest") << qint64{1} << "0.0001";
        QTest::newRow("negative smallest") << qint64{-1} << "-0.0001";
        QTest::newRow("four decimals") << qint64{123456} << "12.3456";
        QTest::newRow("sentinel") << qint64{100000000000} << "10000000";
        QTest::newRow("maximum") << std::numeric_limits<qint64>::max() << "922337203685477.5807";
        QTest::newRow("minimum") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
    }
    void currencyText() {
        QFETCH(qint64, units);
        QFETCH(QString, text);
        QCOMPARE(toQString(plainText(Currency::fromUnits(units))), text);
    }

    void surfaceForm() {
        QCOMPARE(surfaceText(5), " 5 ");
        QCOMPARE(surfaceText(-2), "-2 ");
        QCOMPARE(surfaceText(2.5f), " 2.5 ");
        QCOMPARE(surfaceText(-0.0f), " 0 ");
        QCOMPARE(surfaceText(Currency::fromUnits(-5000)), "-0.5 ");
        QCOMPARE(surfaceText(Currency::fromWhole(10000000)), " 10000000 ");
    }

    void rightAlignedNeverCuts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("field");
        QTest::newRow("padded") << "5" << 3 << "  5";
        QTest::newRow("exact") << "123" << 3 << "123";
        QTest::newRow("longer stays whole") << "10000000" << 6 << "10000000";
        QTest::newRow("empty") << "" << 2 << "  ";
        QTest::newRow("counts characters") << "\u00e9t\u00e9" << 5 << "  \u00e9t\u00e9";
    }
    void rightAlignedNeverCuts() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, field);
        QCOMPARE(toQString(rightAligned(toStdString(text), static_cast<std::size_t>(width))),
                 field);
    }
};

QTEST_APPLESS_MAIN(NumberTextTest)
#include "number_text_test.moc"
