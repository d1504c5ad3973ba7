#include "model/currency.h"
#include "model/leading_number.h"
#include "model/number_parse.h"
#include "model/number_text.h"
#include "platform/locale_currency.h"
#include "platform/qt_text.h"

#include <QTest>

#include <limits>

using namespace arrowplan;

namespace {

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

const Currency maxCurrency = Currency::fromUnits(std::numeric_limits<std::int64_t>::max());
const Currency minCurrency = Currency::fromUnits(std::numeric_limits<std::int64_t>::min());

} // namespace

// The program's numbers: currency values, their texts, the file's plain
// number reader, the card's lenient one and money in each locale.
class NumbersTest : public QObject {
    Q_OBJECT

  private slots:
    // Both roundings go half to even: a float to four decimals (0.03125 and
    // 0.09375 are exact in binary, so their fifth decimal is a true tie), and
    // a currency value to a whole number.
    void currencyRounding() {
        QCOMPARE(Currency::fromFloat(0.03125f).units(), std::int64_t{312});
        QCOMPARE(Currency::fromFloat(0.09375f).units(), std::int64_t{938});
        QCOMPARE(Currency::fromUnits(25000).rounded(), std::int64_t{2});
        QCOMPARE(Currency::fromUnits(-35000).rounded(), std::int64_t{-4});
        QCOMPARE(Currency::fromUnits(-5000).rounded(), std::int64_t{0});
        QCOMPARE(Currency::fromUnits(25001).rounded(), std::int64_t{3});
    }

    void currencyNeverWraps() {
        const Currency unit = Currency::fromUnits(1);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, Currency::fromFloat(1e15f));
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, maxCurrency + unit);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, minCurrency - unit);
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, -minCurrency);
        Currency sum = maxCurrency;
        QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, sum += unit);
        QCOMPARE(sum, maxCurrency); // a failed sum leaves the value as it was
    }

    // Plain texts of floats (seven significant digits) and of currency
    // values; on the chart a number has a blank after it, and one before it
    // unless it is negative; a field never cuts what does not fit.
    void texts() {
        QCOMPARE(plainText(-0.0f), "0");
        QCOMPARE(plainText(1234.567f), "1234.567");
        QCOMPARE(plainText(16777217.0f), "16777220");
        QCOMPARE(plainText(1.5e-10f), "0.00000000015");
        QCOMPARE(plainText(Currency::fromUnits(-1)), "-0.0001");
        QCOMPARE(plainText(maxCurrency), "922337203685477.5807");
        QCOMPARE(plainText(minCurrency), "-922337203685477.5808");
        QCOMPARE(surfaceText(5), " 5 ");
        QCOMPARE(surfaceText(Currency::fromUnits(-5000)), "-0.5 ");
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
        row("1e-999", "0", "refused", "0");
        row("32768", "32768", "32768", "refused");
        row("922337203685477.5807", "922337203685477.5807", "922337200000000", "refused");
        row("922337203685477.5808", "refused", "922337200000000", "refused");
        row("3.4028235e38", "refused", "340282300000000000000000000000000000000", "refused");
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
        QTest::addColumn<QString>("value");
        const auto row = [](const char* text, const char* value) {
            QTest::newRow(text) << QByteArray(text) << QString(value);
        };
        row("12.5 weeks", "12.5");
        row("$5", "0");
        row("\t-3\n.5", "-3.5");
        row("2E-2x", "0.02");
        row("&hff", "255");
        row("1e400", "refused");
    }
    void leadingNumbers() {
        QFETCH(QByteArray, text);
        QFETCH(QString, value);
        const std::optional<double> read = leadingNumber(view(text));
        QCOMPARE(read ? QString::number(*read) : QString("refused"), value);
    }

    void moneyTexts_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("text");
        // The C locale and US English write the reference form; an amount is
        // rounded half away from zero, and one that rounds to nothing is not
        // negative.
        QTest::newRow("millions") << QLocale::c() << qint64{12345678912} << "$1,234,567.89";
        QTest::newRow("money in") << QLocale("en_US") << qint64{-200000} << "($20.00)";
        QTest::newRow("half a cent") << QLocale("en_US") << qint64{50} << "$0.01";
        QTest::newRow("almost nothing in") << QLocale("en_US") << qint64{-40} << "$0.00";
        // Every other locale writes money as Qt writes it for that locale.
        for (const char* name : {"de_DE", "fr_FR", "en_GB", "nl_NL", "pt_BR", "ja_JP"}) {
            for (double amount : {1234567.5, -20.0, 0.25}) {
                const QLocale locale(name);
                QTest::newRow(QByteArray(name) + ' ' + QByteArray::number(amount))
                    << locale << qint64{Currency::fromDouble(amount).units()}
                    << locale.toCurrencyString(amount, QString(), 2);
            }
        }
    }
    void moneyTexts() {
        QFETCH(QLocale, locale);
        QFETCH(qint64, units);
        QFETCH(QString, text);
        QCOMPARE(toQString(currencyText(Currency::fromUnits(units), currencyFormatOf(locale))),
                 text);
    }
};

QTEST_APPLESS_MAIN(NumbersTest)
#include "numbers_test.moc"
