#include "platform/locale_currency.h"
#include "platform/qt_text.h"

#include <QTest>

using namespace arrowplan;

class LocaleCurrencyTest : public QObject {
    Q_OBJECT

  private slots:
    void theReferenceForm_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("US English") << QLocale("en_US");
    }
    void theReferenceForm() {
        QFETCH(QLocale, locale);
        const CurrencyFormat format = currencyFormatOf(locale);
        QCOMPARE(toQString(currencyText(Currency::fromUnits(12345000), format)),
                 QString("$1,234.50"));
        QCOMPARE(toQString(currencyText(Currency::fromWhole(-20), format)), QString("($20.00)"));
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
