#include "project_file_probe.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Every file of the fuzzer's kept corpus (its seeds and what it once found)
// goes through the loader again on every run, with no fuzzer needed.
class CorpusReplayTest : public QObject {
    Q_OBJECT

  private slots:
    void replay() {
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
};

QTEST_APPLESS_MAIN(CorpusReplayTest)
#include "corpus_replay_test.moc"
