#include "soak_session.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace arrowplan::soak;

// Every command sequence the soak ever found failing runs again through the
// real windows, with every promise checked after every command.
class SoakReplayTest : public QObject {
    Q_OBJECT

  private slots:
    void replay_data() {
        QTest::addColumn<QString>("path");
        const QDir kept(QStringLiteral(ARROWPLAN_SOAK_FINDINGS));
        const QStringList files = kept.entryList({"*.soak"}, QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty());
        for (const QString& name : files) {
            QTest::newRow(qPrintable(name)) << kept.filePath(name);
        }
    }
    void replay() {
        QFETCH(QString, path);
        QTemporaryDir files;
        Session session(files.path());
        const std::vector<Command> commands = readSequence(path.toStdString());
        for (std::size_t step = 0; step < commands.size(); ++step) {
            const auto failure = session.run(commands[step]);
            const std::string why = "step " + std::to_string(step) + ": " + failure.value_or("");
            QVERIFY2(!failure, why.c_str());
        }
    }
};

QTEST_MAIN(SoakReplayTest)
#include "soak_replay_test.moc"
