#include "platform/locale_currency.h"
#include "platform/qt_text.h"

#include <QTest>

using namespace arrowplan;

class LocaleCurrencyTest : public QObject {
    Q_OBJECT

  private slots:
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

QTEST_APPLESS_MAIN(LocaleCurrencyTest)
#include "locale_currency_test.moc"
