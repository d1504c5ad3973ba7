#include "model/currency.h"
#include "model/leading_number.h"
#include "model/number_parse.h"
#include "model/number_text.h"
#include "platform/qt_text.h"

#include <QTest>

#include <limits>

using namespace arrowplan;

namespace {

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

constexpr qint64 maxUnits = std::numeric_limits<qint64>::max();
constexpr qint64 minUnits = std::numeric_limits<qint64>::min();

} // namespace

// The program's numbers: currency values, their texts, the file's plain
// number reader and the card's lenient one.
class NumbersTest : public QObject {
    Q_OBJECT

  private slots:
    // A float becomes currency rounded half to even at four decimals; what
    // does not fit is refused (units -1 stands for the refusal).
    void currencyFromFloat_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<qint64>("units");
        QTest::newRow("two and a half") << 2.5f << qint64{25000};
        QTest::newRow("fifth decimal dropped") << 0.33333f << qint64{3333};
        // 0.03125 and 0.09375 are exact in binary: their fifth decimal is a true tie.
        QTest::newRow("tie down to even") << 0.03125f << qint64{312};
        QTest::newRow("tie up to even") << 0.09375f << qint64{938};
        QTest::newRow("negative tie") << -0.03125f << qint64{-312};
        QTest::newRow("1e15") << 1e15f << qint64{-1};
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << qint64{-1};
    }
    void currencyFromFloat() {
        QFETCH(float, value);
        QFETCH(qint64, units);
        if (units == -1) {
            QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, Currency::fromFloat(value));
        } else {
            QCOMPARE(Currency::fromFloat(value).units(), units);
        }
    }

    void currencyRoundsTiesToEven_data() {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<qint64>("whole");
        QTest::newRow("2.5") << qint64{25000} << qint64{2};
        QTest::newRow("-3.5") << qint64{-35000} << qint64{-4};
        QTest::newRow("-0.5") << qint64{-5000} << qint64{0};
        QTest::newRow("2.5001") << qint64{25001} << qint64{3};
    }
    void currencyRoundsTiesToEven() {
        QFETCH(qint64, units);
        QFETCH(qint64, whole);
        QCOMPARE(Currency::fromUnits(units).rounded(), whole);
    }

    void currencyArithmeticNeverWraps() {
        const Currency max = Currency::fromUnits(maxUnits);
        const Currency min = Currency::fromUnits(minUnits);
        const Currency unit = Currency::fromUnits(1);
        QCOMPARE((max - unit + unit), max);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, max + unit);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, min - unit);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, -min);
        Currency sum = max;
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, sum += unit);
        QCOMPARE(sum, max); // a failed sum leaves the value as it was
    }

    void singleText_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("negative zero") << -0.0f << "0";
        QTest::newRow("negative fraction") << -0.5f << "-0.5";
        QTest::newRow("a third") << (1.0f / 3.0f) << "0.3333333";
        QTest::newRow("seven digits") << 1234.567f << "1234.567";
        QTest::newRow("rounded to seven") << 16777217.0f << "16777220";
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
        QTest::newRow("negative smallest") << qint64{-1} << "-0.0001";
        QTest::newRow("four decimals") << qint64{123456} << "12.3456";
        QTest::newRow("maximum") << maxUnits << "922337203685477.5807";
        QTest::newRow("minimum") << minUnits << "-922337203685477.5808";
    }
    void currencyText() {
        QFETCH(qint64, units);
        QFETCH(QString, text);
        QCOMPARE(toQString(plainText(Currency::fromUnits(units))), text);
    }

    // On the chart a number has a blank after it, and one before it unless
    // it is negative; a field never cuts what does not fit.
    void surfaceAndFieldForms() {
        QCOMPARE(surfaceText(5), " 5 ");
        QCOMPARE(surfaceText(-0.0f), " 0 ");
        QCOMPARE(surfaceText(Currency::fromUnits(-5000)), "-0.5 ");
        QCOMPARE(rightAligned("5", 3), "  5");
        QCOMPARE(rightAligned("10000000", 6), "10000000");
        QCOMPARE(toQString(rightAligned("\u00e9t\u00e9", 5)), QString("  \u00e9t\u00e9"));
    }

    void plainNumberSyntax_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("plain");
        for (const char* good : {"5", ".5", "-.5", "+3", "1.", "1E-5", "-2.5e+3"}) {
            QTest::newRow(good) << QByteArray(good) << true;
        }
        for (const char* bad :
             {"", ".", "-", "1.2.3", "1e", "e5", "1,5", " 5", "inf", "nan", "0x10", "--1", "5$"}) {
            QTest::newRow(bad) << QByteArray(bad) << false;
        }
    }
    void plainNumberSyntax() {
        QFETCH(QByteArray, text);
        QFETCH(bool, plain);
        QCOMPARE(isPlainNumber(view(text)), plain);
    }

    // The file's numbers are read exactly from their digits; "refused" where
    // the value does not fit its type.
    void fileNumbers_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("single");
        QTest::addColumn<QString>("integer");
        const auto row = [](const char* text, const char* currency, const char* single,
                            const char* integer) {
            QTest::newRow(text) << QByteArray(text) << currency << single << integer;
        };
        row("250.5", "250.5", "250.5", "refused");
        row("-2", "-2", "-2", "-2");
        row("0.00005", "0", "0.00005", "0");            // a tie, down to even
        row("0.00015", "0.0002", "0.00015", "refused"); // a tie, up to even
        row("-0.00015", "-0.0002", "-0.00015", "refused");
        row("12.5e-1", "1.25", "1.25", "refused");
        row("1e-999", "0", "refused", "0");
        row("32767", "32767", "32767", "32767");
        row("32768", "32768", "32768", "refused");
        row("922337203685477.5807", "922337203685477.5807", "922337200000000", "refused");
        row("922337203685477.5808", "refused", "922337200000000", "refused");
        row("3.4028235e38", "refused", "340282300000000000000000000000000000000", "refused");
        row("-1e39", "refused", "refused", "refused");
    }
    void fileNumbers() {
        QFETCH(QByteArray, text);
        QFETCH(QString, currency);
        QFETCH(QString, single);
        QFETCH(QString, integer);
        const auto shown = [](const auto& value) {
            return value ? toQString(plainText(*value)) : QString("refused");
        };
        QCOMPARE(shown(toCurrency(view(text))), currency);
        QCOMPARE(shown(toSingle(view(text))), single);
        QCOMPARE(shown(toInteger16(view(text))), integer);
    }

    // The card's boxes read the number a text begins with, as far as it goes.
    void leadingNumbers_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<double>("value");
        const auto row = [](const char* text, double value) {
            QTest::newRow(text) << QByteArray(text) << true << value;
        };
        row("12.5 weeks", 12.5);
        row("1,500", 1);
        row("$5", 0);
        row("\t-3\n.5", -3.5);
        row("1.2.3", 1.2);
        row("2E-2x", 0.02);
        row("&hff", 255);
        row("&O17", 15);
        row("&O19", 1);
        QTest::newRow("1e400") << QByteArray("1e400") << false << 0.0;
        QTest::newRow("400 digits") << QByteArray(400, '9') << false << 0.0;
    }
    void leadingNumbers() {
        QFETCH(QByteArray, text);
        QFETCH(bool, fits);
        QFETCH(double, value);
        const std::optional<double> read = leadingNumber(view(text));
        QCOMPARE(read.has_value(), fits);
        if (fits) {
            QCOMPARE(*read, value);
        }
    }
};

QTEST_APPLESS_MAIN(NumbersTest)
#include "numbers_test.moc"
