#include "model/number_parse.h"

#include <QTest>

#include <limits>

using namespace arrowplan;

namespace {
std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}
} // namespace

class NumberParseTest : public QObject {
    Q_OBJECT

  private slots:
    void plainNumberSyntax_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("plain");
        for (const char* good : {"5", ".5", "0.5", "-.5", "+3", "1.", "1e5", "1E-5", "-2.5e+3"}) {
            QTest::newRow(good) << QByteArray(good) << true;
        }
        for (const char* bad : {"", ".", "-", "1.2.3", "abc", "1e", "e5", "1,5", " 5", "5 ", "inf",
                                "nan", "0x10", "--1", "1e5.0", "5$"}) {
            QTest::newRow(bad) << QByteArray(bad) << false;
        }
    }
    void plainNumberSyntax() {
        QFETCH(QByteArray, text);
        QFETCH(bool, plain);
        QCOMPARE(isPlainNumber(view(text)), plain);
    }

    void currencyIsExact_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<qint64>("units");
        QTest::newRow("fraction") << QByteArray("250.5") << true << qint64{2505000};
        QTest::newRow("no leading zero") << QByteArray(".5") << true << qint64{5000};
        QTest::newRow("negative") << QByteArray("-2") << true << qint64{-20000};
        QTest::newRow("one tenth, exactly") << QByteArray("0.1") << true << qint64{1000};
        QTest::newRow("tie to even, down") << QByteArray("0.00005") << true << qint64{0};
        QTest::newRow("tie to even, up") << QByteArray("0.00015") << true << qint64{2};
        QTest::newRow("tie to even, stays") << QByteArray("0.00025") << true << qint64{2};
        QTest::newRow("just above a tie") << QByteArray("0.000251") << true << qint64{3};
        QTest::newRow("negative tie") << QByteArray("-0.00015") << true << qint64{-2};
        QTest::newRow("exponent") << QByteArray("1e3") << true << qint64{10000000};
        QTest::newRow("negative exponent") << QByteArray("12.5e-1") << true << qint64{12500};
        QTest::newRow("zero, huge exponent") << QByteArray("0e999999") << true << qint64{0};
        QTest::newRow("vanishing") << QByteArray("1e-999") << true << qint64{0};
        QTest::newRow("maximum") << QByteArray("922337203685477.5807") << true
                                 << std::numeric_limits<qint64>::max();
        QTest::newRow("beyond maximum") << QByteArray("922337203685477.5808") << false << qint64{};
        QTest::newRow("far beyond") << QByteArray("1e30") << false << qint64{};
        QTest::newRow("many digits") << QByteArray("99999999999999999999") << false << qint64{};
    }
    void currencyIsExact() {
        QFETCH(QByteArray, text);
        QFETCH(bool, fits);
        QFETCH(qint64, units);
        const std::optional<Currency> value = toCurrency(view(text));
        QCOMPARE(value.has_value(), fits);
        if (fits) {
            QCOMPARE(value->units(), units);
        }
    }

    void singleAndInteger() {
        QCOMPARE(toSingle("2.5"), std::optional<float>(2.5f));
        QCOMPARE(toSingle(".5"), std::optional<float>(0.5f));
        QCOMPARE(toSingle("+4"), std::optional<float>(4.0f));
        QCOMPARE(toSingle("-1e3"), std::optional<float>(-1000.0f));
        QCOMPARE(toSingle("3.4028235e38"), std::optional<float>(std::numeric_limits<float>::max()));
        QVERIFY(!toSingle("1e39"));
        QVERIFY(!toSingle("-1e39"));

        QCOMPARE(toInteger16("3"), std::optional<std::int16_t>(3));
        QCOMPARE(toInteger16("-1"), std::optional<std::int16_t>(-1));
        QCOMPARE(toInteger16("2.0"), std::optional<std::int16_t>(2));
        QCOMPARE(toInteger16("32767"), std::optional<std::int16_t>(32767));
        QCOMPARE(toInteger16("-32768"), std::optional<std::int16_t>(-32768));
        QVERIFY(!toInteger16("32768"));
        QVERIFY(!toInteger16("2.5"));
        QVERIFY(!toInteger16("1e30"));
    }
};

QTEST_APPLESS_MAIN(NumberParseTest)
#include "number_parse_test.moc"
