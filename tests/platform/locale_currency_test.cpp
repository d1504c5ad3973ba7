#include "platform/locale_currency.h"
#include "platform/qt_text.h"

#include <QTest>

using namespace arrowplan;

class LocaleCurrencyTest : public QObject {
    Q_OBJECT

  private slots:
    // The C locale and US English write the reference form; an amount is
    // rounded half away from zero, and one that rounds to nothing is not
    // negative.
    void theReferenceForm_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("text");
        QTest::newRow("C") << QLocale::c() << qint64{12345000} << "$1,234.50";
        QTest::newRow("money in") << QLocale("en_US") << qint64{-200000} << "($20.00)";
        QTest::newRow("half a cent") << QLocale("en_US") << qint64{50} << "$0.01";
        QTest::newRow("almost nothing in") << QLocale("en_US") << qint64{-40} << "$0.00";
        QTest::newRow("millions") << QLocale("en_US") << qint64{12345678912} << "$1,234,567.89";
    }
    void theReferenceForm() {
        QFETCH(QLocale, locale);
        QFETCH(qint64, units);
        QFETCH(QString, text);
        QCOMPARE(toQString(currencyText(Currency::fromUnits(units), currencyFormatOf(locale))),
                 text);
    }

    // Every other locale writes money as Qt writes it for that locale.
    void asTheLocaleWritesIt_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("amount");
        for (const char* name : {"de_DE", "fr_FR", "en_GB", "nl_NL", "pt_BR", "ja_JP"}) {
            for (double amount : {1234567.5, -20.0, 0.25}) {
                QTest::newRow(QByteArray(name) + ' ' + QByteArray::number(amount))
                    << QString(name) << amount;
            }
        }
    }
    void asTheLocaleWritesIt() {
        QFETCH(QString, locale);
        QFETCH(double, amount);
        const QLocale qtLocale(locale);
        QCOMPARE(toQString(currencyText(Currency::fromDouble(amount), currencyFormatOf(qtLocale))),
                 qtLocale.toCurrencyString(amount, QString(), 2));
    }
};

QTEST_APPLESS_MAIN(LocaleCurrencyTest)
#include "locale_currency_test.moc"
