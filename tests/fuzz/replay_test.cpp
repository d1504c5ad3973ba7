#include "project_file_probe.h"
#include "soak_session.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace arrowplan::soak;

// What the fuzzer and the soak once found runs again on every run, with no
// fuzzer or soak needed.
class ReplayTest : public QObject {
    Q_OBJECT

  private slots:
    // Every file of the fuzzer's kept corpus (its seeds and its findings)
    // goes through the loader again.
    void corpus() {
        const QFileInfoList files = QDir(ARROWPLAN_FUZZ_CORPUS).entryInfoList(QDir::Files);
        QVERIFY(files.size() >= 5);
        for (const QFileInfo& info : files) {
            QFile file(info.filePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            arrowplan::probeProjectFile(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                        static_cast<std::size_t>(bytes.size()));
        }
    }

    // Every command sequence the soak found failing runs again through the
    // real windows, with every promise checked after every command.
    void soak_data() {
        QTest::addColumn<QString>("path");
        const QDir kept(QStringLiteral(ARROWPLAN_SOAK_FINDINGS));
        const QStringList files = kept.entryList({"*.soak"}, QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty());
        for (const QString& name : files) {
            QTest::newRow(qPrintable(name)) << kept.filePath(name);
        }
    }
    void soak() {
        QFETCH(QString, path);
        QTemporaryDir files;
        Session session(files.path());
        const auto broken = runAll(session, readSequence(path.toStdString()));
        const std::string why =
            broken ? "step " + std::to_string(broken->step) + ": " + broken->what : std::string();
        QVERIFY2(!broken, why.c_str());
    }
};

QTEST_MAIN(ReplayTest)
#include "replay_test.moc"
