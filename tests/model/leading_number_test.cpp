#include "model/leading_number.h"

#include <QTest>

using arrowplan::leadingNumber;

class LeadingNumberTest : public QObject {
    Q_OBJECT

  private slots:
    void reads_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<double>("value");
        const auto row = [](const char* text, double value) {
            QTest::newRow(text) << QByteArray(text) << true << value;
        };
        row("12.5 weeks", 12.5);
        row("1,500", 1);
        row("$5", 0);
        row("1 2 5", 125);
        row("\t-3\n.5", -3.5);
        row("+4", 4);
        row("--4", 0);
        row("", 0);
        row(".", 0);
        row("5.", 5);
        row(".25", 0.25);
        row("1.2.3", 1.2);
        row("2e3", 2000);
        row("2E-2x", 0.02);
        row("1e", 1);
        row("1e+", 1);
        row("&HFF", 255);
        row("&hff", 255);
        row("&O17", 15);
        row("&O19", 1);
        row("&Hx", 0);
        row("1e-400", 0);
        row("0.000e999", 0);
        QTest::newRow("1e400") << QByteArray("1e400") << false << 0.0;
        QTest::newRow("400 digits") << QByteArray(400, '9') << false << 0.0;
    }
    void reads() {
        QFETCH(QByteArray, text);
        QFETCH(bool, fits);
        QFETCH(double, value);
        const std::optional<double> read = leadingNumber(
            std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
        QCOMPARE(read.has_value(), fits);
        if (fits) {
            QCOMPARE(*read, value);
        }
    }
};

QTEST_APPLESS_MAIN(LeadingNumberTest)
#include "leading_number_test.moc"
