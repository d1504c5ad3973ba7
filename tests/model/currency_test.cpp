#include "model/currency.h"

#include <QTest>

#include <cmath>
#include <limits>

using arrowplan::Currency;
using arrowplan::CurrencyOverflow;

class CurrencyTest : public QObject {
    Q_OBJECT

  private slots:
    void fromFloatRoundsHalfToEven_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<qint64>("units");
        QTest::newRow("whole") << 4.0f << qint64{40000};
        QTest::newRow("two and a half") << 2.5f << qint64{25000};
        QTest::newRow("negative") << -2.5f << qint64{-25000};
        QTest::newRow("fifth decimal dropped") << 0.33333f << qint64{3333};
        // 0.03125 and 0.09375 are exact in binary: their fifth decimal is a true tie.
        QTest::newRow("tie down to even") << 0.03125f << qint64{312};
        QTest::newRow("tie up to even") << 0.09375f << qint64{938};
        QTest::newRow("negative tie") << -0.03125f << qint64{-312};
        QTest::newRow("2^40") << 1099511627776.0f << qint64{10995116277760000};
    }
    void fromFloatRoundsHalfToEven() {
        QFETCH(float, value);
        QFETCH(qint64, units);
        QCOMPARE(Currency::fromFloat(value).units(), units);
    }

    void fromFloatRefusesWhatDoesNotFit_data() {
        QTest::addColumn<float>("value");
        QTest::newRow("1e15") << 1e15f;
        QTest::newRow("-1e15") << -1e15f;
        QTest::newRow("largest float") << std::numeric_limits<float>::max();
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity();
        QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN();
    }
    void fromFloatRefusesWhatDoesNotFit() {
        QFETCH(float, value);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, Currency::fromFloat(value));
    }

    void fromDoubleRoundsQuotients() {
        QCOMPARE(Currency::fromDouble(100.0 / 3.0).units(), 333333);
        QCOMPARE(Currency::fromDouble(-100.0 / 3.0).units(), -333333);
        QCOMPARE(Currency::fromDouble(200.0 / 2.5).units(), 800000);
    }

    void arithmeticNeverWraps() {
        const Currency max = Currency::fromUnits(std::numeric_limits<std::int64_t>::max());
        const Currency min = Currency::fromUnits(std::numeric_limits<std::int64_t>::min());
        const Currency unit = Currency::fromUnits(1);
        QCOMPARE((max - unit + unit), max);
        QCOMPARE((min + unit - unit), min);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, max + unit);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, min - unit);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, -min);
        Currency sum = max;
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, sum += unit);
        QCOMPARE(sum, max); // a failed sum leaves the value as it was
    }

    void exactComparisons() {
        QVERIFY(Currency::fromFloat(0.1f) == Currency::fromUnits(1000));
        QVERIFY(Currency::fromUnits(1) > Currency());
        QVERIFY(-Currency::fromWhole(3) < Currency::fromUnits(-29999));
    }

    void roundedTiesToEven_data() {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<qint64>("whole");
        QTest::newRow("2.5") << qint64{25000} << qint64{2};
        QTest::newRow("3.5") << qint64{35000} << qint64{4};
        QTest::newRow("-2.5") << qint64{-25000} << qint64{-2};
        QTest::newRow("-3.5") << qint64{-35000} << qint64{-4};
        QTest::newRow("0.5") << qint64{5000} << qint64{0};
        QTest::newRow("-0.5") << qint64{-5000} << qint64{0};
        QTest::newRow("2.4999") << qint64{24999} << qint64{2};
        QTest::newRow("2.5001") << qint64{25001} << qint64{3};
        QTest::newRow("-2.5001") << qint64{-25001} << qint64{-3};
        QTest::newRow("7") << qint64{70000} << qint64{7};
    }
    void roundedTiesToEven() {
        QFETCH(qint64, units);
        QFETCH(qint64, whole);
        QCOMPARE(Currency::fromUnits(units).rounded(), whole);
    }
};

QTEST_APPLESS_MAIN(CurrencyTest)
#include "currency_test.moc"
