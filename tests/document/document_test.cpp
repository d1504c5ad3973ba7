#include "cards/job_card_window.h"
#include "document/history.h"
#include "editor/window_harness.h"
#include "model/project_file.h"
#include "platform/qt_prompts.h"
#include "project_builder.h"
#include "risk/project_estimates.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

using namespace arrowplan;
using arrowplan::testing::contentsOf;
using arrowplan::testing::examples;
using arrowplan::testing::fullProject;
using arrowplan::testing::Harness;
using arrowplan::testing::writeFile;

namespace {

const QString question = QStringLiteral("save?: Save the changes to this project? | Arrowplan");

// The full project with room for one more node and job: slot 100 of every
// table still holds its own values, which a step that fills it must give back.
// Jobs 2 to 4 have estimates, which steps move, clear or use.
Project roomyProject() {
    Project project = fullProject();
    project.nodeCount = maxItems - 1;
    project.edgeCount = maxItems - 1;
    for (int job = 2; job <= 4; ++job) {
        setEstimate(project, job, ThreePoint{1.0 * job, 2.0 * job, 4.0 * job});
    }
    return project;
}

JobCardWindow* shownCard() {
    auto* card = qobject_cast<JobCardWindow*>(Harness::windowNamed("frmJobsList"));
    return card && card->isVisible() ? card : nullptr;
}

// One step of every kind, on the roomy project (nodes stand 1000 twips apart
// on the row y = 2000): a toolbar button or menu item with the answers it
// asks for and the presses after it, or a control of the job card or of the
// risk window, opened (the inputs of the risk window's table are a job and
// the three times typed for it, box by box).
struct StepRow {
    const char* undoText;
    const char* control;
    QStringList inputs;
    QList<QPointF> presses;
    QKeySequence keys = {}; // pressed on the chart after the presses
};
const StepRow steps[] = {
    {"&Undo Add Node", "cmdNode", {}, {{500, 4000}}},
    {"&Undo Move Node", "cmdmove", {}, {{3000, 2000}, {3000, 5000}}},
    {"&Undo Add Edge", "cmdEdge", {}, {{2000, 2000}, {7000, 2000}}},
    {"&Undo Enter Expected Times", "cmdWeight", QStringList(maxItems, "2.5"), {}},
    {"&Undo Enter Job Titles", "cmdtitle", QStringList(maxItems, "Paint"), {}},
    {"&Undo Name the Project", "namen", {"Renamed"}, {}},
    {"&Undo Tidy Layout", "mnuTidy", {}, {}},
    {"&Undo Start Over", "mnustartover", {}, {}},
    {"&Undo Amount", "Text4", {}, {}},
    {"&Undo Description", "Text2", {}, {}},
    {"&Undo Done", "Check1", {}, {}},
    {"&Undo Payment Option", "Option1_3", {}, {}},
    {"&Undo Delete Job", "del", {}, {}},
    // Select mode: job 1 (1000, 2000 to 2000, 2000) and node 2.
    {"&Undo Edit Job", "mnuSelect", {}, {{1500, 2000}}, QKeySequence(Qt::Key_Return)},
    {"&Undo Delete Job", "mnuSelect", {}, {{1500, 2000}}, QKeySequence(Qt::Key_Delete)},
    {"&Undo Move Node", "mnuSelect", {}, {{2000, 2000}}, QKeySequence(Qt::Key_Right)},
    {"&Undo Estimate", "riskJobs", {"1", "1.5", "2", "3.5"}, {}},
    {"&Undo Estimate", "riskJobs", {"2", "", "", ""}, {}}, // taken away
    {"&Undo Use the Estimates", "cmdUseEstimates", {}, {}},
};

void takeStep(Harness& h, const StepRow& row) {
    h.prompts.inputs = row.inputs;
    h.prompts.jobEntries = {JobEntry{"4.5", "1", "Edited"}};
    h.prompts.saveAnswers << SaveAnswer::discard;
    h.prompts.yesNo << true;
    if (QPushButton* button = h.button(row.control)) {
        button->click();
    } else if (QAction* action = h.action(row.control)) {
        action->trigger();
    } else if (QString(row.control).startsWith("risk") ||
               QString(row.control) == "cmdUseEstimates") {
        h.action("mnuRisk")->trigger();
        QWidget* risk = Harness::windowNamed("frmRisk");
        if (auto* table = risk->findChild<QTableWidget*>(row.control)) {
            for (int box = 0; box < 3; ++box) {
                table->item(row.inputs[0].toInt() - 1, 4 + box)->setText(row.inputs[box + 1]);
            }
        } else {
            risk->findChild<QPushButton*>(row.control)->click();
        }
    } else {
        h.button("cmdedit")->click();
        QWidget* control = shownCard()->findChild<QWidget*>(row.control);
        if (auto* box = qobject_cast<QLineEdit*>(control)) {
            box->setText("77");
            QTest::keyClick(box, Qt::Key_Return);
        } else if (auto* notes = qobject_cast<QPlainTextEdit*>(control)) {
            notes->setPlainText("77");
            QFocusEvent toNextBox(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(notes, &toNextBox);
        } else if (auto* option = qobject_cast<QAbstractButton*>(control)) {
            option->click();
        } else {
            shownCard()->findChild<QAction*>(row.control)->trigger();
        }
    }
    for (const QPointF& at : row.presses) {
        h.press(at.x(), at.y());
    }
    if (!row.keys.isEmpty()) {
        QTest::keySequence(h.window.centralWidget(), row.keys);
    }
}

} // namespace

// The open project: its history, the question before unsaved work is
// dropped, and the recovery copy.
class DocumentTest : public QObject {
    Q_OBJECT

  private slots:
    // Undo gives back every column of every slot as it was before the step,
    // redo as it was after it, and the window shows them scheduled.
    void everyStepUndoesAndRedoes() {
        for (const StepRow& row : steps) {
            Harness h;
            h.project = roomyProject();
            h.document.opened({});
            h.window.cmdCPM_Click();
            h.button("cmdEdge")->click();
            h.button("cmdNode")->click();
            Project before = h.project;
            takeStep(h, row);
            // The window's own state (the mouse mode, the card shown) is no part of a step.
            before.editMode = h.project.editMode;
            before.currentJob = h.project.currentJob;
            if (JobCardWindow* card = shownCard()) {
                card->close();
            }
            h.window.cmdCPM_Click();
            const Project after = h.project;
            QVERIFY2(!(after == before), row.undoText);
            QCOMPARE(h.action("mnuUndo")->text(), QString(row.undoText));
            QVERIFY(h.window.isWindowModified());
            QVERIFY2(h.showsCounts(), row.undoText);

            QTest::keyClick(&h.window, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(h.project == before, row.undoText);
            QVERIFY2(h.showsCounts(), row.undoText);
            QVERIFY(!h.window.isWindowModified()); // back at what was loaded
            QVERIFY(!h.action("mnuUndo")->isEnabled());
            QCOMPARE(h.listed().size(), h.project.edgeCount + 1); // scheduled and listed
            // Redo has two shortcuts; the rows take turns.
            QTest::keySequence(&h.window,
                               QKeySequence((&row - steps) % 2 ? "Ctrl+Y" : "Ctrl+Shift+Z"));
            QVERIFY2(h.project == after, row.undoText);
            QVERIFY2(h.showsCounts(), row.undoText);
            QVERIFY(!h.action("mnuRedo")->isEnabled());
            // A new step after an Undo replaces the step undone: Redo has
            // nothing left to bring back, and Undo goes back past the new
            // step to where the first one started.
            QTest::keyClick(&h.window, Qt::Key_Z, Qt::ControlModifier);
            h.prompts.inputs << "Branch";
            h.action("namen")->trigger();
            QVERIFY2(!h.action("mnuRedo")->isEnabled(), row.undoText);
            QTest::keyClick(&h.window, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(h.project == before, row.undoText);
            QVERIFY2(!h.action("mnuUndo")->isEnabled(), row.undoText);
        }
    }

    // A command that changes no work adds no step, nor does a half-made
    // arrow, completed or taken back; older steps go beyond a thousand.
    void whatMakesAStep() {
        Harness h;
        h.project = roomyProject();
        h.document.opened({});
        for (const char* name : {"cmdCPM", "cmdRedraw", "cmdcoster", "cmdmove"}) {
            h.button(name)->click();
        }
        h.prompts.inputs << "Full";
        h.action("namen")->trigger(); // the same name
        QVERIFY(!h.document.canUndo());

        h.button("cmdEdge")->click();
        h.press(1000, 2000);
        QCOMPARE(h.project.edgeCount, maxItems);
        QVERIFY(!h.document.canUndo() && !h.window.isWindowModified());
        h.button("cmdEdge")->click(); // taken back: a start node left in slot 100
        QVERIFY(!h.document.canUndo());

        History history(h.project);
        Project changed = h.project;
        for (int step = 1; step <= 1005; ++step) {
            changed.nodeX[1] = static_cast<float>(step);
            QVERIFY(history.record(changed, "Move Node"));
        }
        QVERIFY(!history.record(changed, "unchanged"));
        Project undone = changed;
        int undos = 0;
        for (; history.canUndo(); ++undos) {
            QCOMPARE(history.undoName(), std::string("Move Node"));
            history.undo(undone);
        }
        QCOMPARE(undos, 1000);
        QCOMPARE(undone.nodeX[1], 5.0f);
        for (int redo = 0; redo < 1000; ++redo) {
            history.redo(undone);
        }
        QVERIFY(undone == changed);
    }

    // The six commands that drop the project, against each answer to the
    // question, and with nothing unsaved: what runs and what stays.
    void unsavedWorkIsAskedFor_data() {
        QTest::addColumn<QString>("command");
        // A SaveAnswer; -1 nothing unsaved, 3 the save dialog cancelled, 4 a
        // save that fails.
        QTest::addColumn<int>("answer");
        for (const char* command : {"cmdExit", "Ctrl+X", "close", "Ctrl+N", "Ctrl+T", "Ctrl+L"}) {
            for (int answer = -1; answer <= 4; ++answer) {
                const QByteArray tag = QByteArray(command) + ' ' + QByteArray::number(answer);
                QTest::newRow(tag.constData()) << QString(command) << answer;
            }
        }
    }
    void unsavedWorkIsAskedFor() {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QTemporaryDir dir;
        Harness h;
        h.load(examples + "/demo.cpm");
        if (answer >= 0) {
            h.button("cmdNode")->click();
            h.press(6000, 6000);
        }
        const std::string unsavedText = storedText(h.project);
        h.button("cmdEdge")->click();
        h.press(1500, 2400);
        QCOMPARE(h.project.edgeStarted, 1);
        const Project before = h.project;
        h.prompts.asked.clear();
        if (answer >= 0) {
            h.prompts.saveAnswers << (answer >= 3 ? SaveAnswer::save
                                                  : static_cast<SaveAnswer>(answer));
        }
        if (answer == static_cast<int>(SaveAnswer::save)) {
            h.prompts.files << dir.filePath("saved.cpm");
        } else if (answer == 3) {
            h.prompts.files << QString(); // the save dialog cancelled
        } else if (answer == 4) {
            h.prompts.files << dir.filePath("no such folder/saved.cpm");
        }
        h.prompts.files << examples + "/yard.cpm"; // to load: no save comes after this

        if (command == "close") {
            h.window.close();
        } else if (command == "cmdExit") {
            h.button("cmdExit")->click();
        } else {
            h.window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&h.window));
            QTest::keySequence(&h.window, QKeySequence(command));
        }

        QCOMPARE(h.prompts.asked.contains(question), answer >= 0);
        // Cancelled, or the work could not be saved: nothing goes on. A file
        // chosen takes back the half-made arrow, whether it is written or not.
        if (answer > static_cast<int>(SaveAnswer::discard)) {
            QVERIFY(answer == 4 ? storedText(h.project) == unsavedText : h.project == before);
            QCOMPARE(h.endings, 0);
            QVERIFY(h.window.isWindowModified());
            return;
        }
        if (answer == static_cast<int>(SaveAnswer::save)) {
            QCOMPARE(contentsOf(dir.filePath("saved.cpm")), QByteArray::fromStdString(unsavedText));
        }
        if (command == "Ctrl+L") {
            QCOMPARE(h.project.projectName, std::string("Yard"));
        } else if (command == "Ctrl+N" || command == "Ctrl+T") {
            QCOMPARE(h.project.nodeCount, 0);
            QCOMPARE(h.project.editMode, EditMode::addNode);
        } else {
            QCOMPARE(h.endings, 1);
        }
    }

    // What a start finds in the recovery folder, what the question names
    // and what each answer does: a broken or foreign copy is not offered but
    // set aside, never to be offered again.
    void leftWorkIsOffered_data() {
        QTest::addColumn<QByteArray>("copy");
        QTest::addColumn<QString>("file");  // the file the project belongs to
        QTest::addColumn<int>("answer");    // a RestoreAnswer
        QTest::addColumn<QString>("named"); // in the question; none when not asked
        const QByteArray yard = contentsOf(examples + "/yard.cpm");
        const QString inFile = "\"Yard\", the project in /work/yard.cpm";
        const int restore = static_cast<int>(RestoreAnswer::restore);
        QTest::newRow("restored") << yard << "/work/yard.cpm" << restore << inFile;
        QTest::newRow("discarded")
            << yard << "/work/yard.cpm" << static_cast<int>(RestoreAnswer::discard) << inFile;
        QTest::newRow("later") << yard << "/work/yard.cpm" << static_cast<int>(RestoreAnswer::later)
                               << inFile;
        QTest::newRow("never saved")
            << QByteArray(yard).replace("\"Yard\"", "\"\"") << "" << restore << "a new project";
        QTest::newRow("cut short") << yard.left(40) << "/work/yard.cpm" << restore << "";
        QTest::newRow("foreign") << QByteArray("<html>\n") << "" << restore << "";
    }
    void leftWorkIsOffered() {
        QFETCH(QByteArray, copy);
        QFETCH(QString, file);
        QFETCH(int, answer);
        QFETCH(QString, named);
        QTemporaryDir state;
        QFile left(state.filePath("1-2.cpm"));
        QVERIFY(writeFile(left.fileName(), copy));
        QVERIFY(file.isEmpty() || writeFile(state.filePath("1-2.name"), file.toUtf8()));
        Harness h(state.path());
        h.prompts.restoreAnswers << static_cast<RestoreAnswer>(answer);
        h.button("cmdEdge")->click();
        h.button("cmdNode")->click();
        h.document.run("Load", [&] { h.window.startWith(state.path(), {}); });
        const bool broken = named.isEmpty();
        QCOMPARE(h.prompts.asked.size(), 1);
        QCOMPARE(h.prompts.asked.first().startsWith("restore?: Restore the unsaved work on " +
                                                    named + ", as it was on "),
                 !broken);

        const bool restored = h.project.nodeCount == 2;
        QCOMPARE(restored, answer == 0 && !broken);
        QVERIFY(h.showsCounts());
        QCOMPARE(h.window.isWindowModified(), restored);
        QCOMPARE(QFile::exists(left.fileName()), answer == static_cast<int>(RestoreAnswer::later));
        QCOMPARE(QFile::exists(left.fileName() + ".broken"), broken);
        // This program's own copy holds restored work from now on.
        QCOMPARE(QDir(state.path()).entryList({"*.cpm"}).size(), restored || left.exists() ? 1 : 0);
        if (restored) {
            h.prompts.files << state.filePath("saved.cpm");
            h.action("sav")->trigger();
            QCOMPARE(h.prompts.asked.last(), "save: " + (file.isEmpty() ? "*.cpm" : file));
        }
    }

    // Work taken in starts a fresh history that Undo goes back no further
    // than: a loaded file is saved work, an imported task list is not (a
    // command that drops it asks first), and Save offers the project file it
    // belongs to.
    void workTakenInStartsAfresh_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<QString>("offered");
        QTest::newRow("loaded") << "loa" << examples + "/yard.cpm" << false
                                << examples + "/yard.cpm";
        QTest::newRow("imported") << "mnuImport" << examples + "/house.csv" << true
                                  << examples + "/house.cpm";
    }
    void workTakenInStartsAfresh() {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(bool, unsaved);
        QFETCH(QString, offered);
        Harness h;
        h.button("cmdNode")->click();
        h.press(1500, 1500);
        h.prompts.saveAnswers << SaveAnswer::discard;
        h.prompts.files << file;
        h.action(command.toLatin1())->trigger();
        const std::string takenIn = storedText(h.project);
        QVERIFY(!h.document.canUndo());
        QCOMPARE(h.window.isWindowModified(), unsaved);
        h.button("cmdNode")->click();
        h.press(9000, 6000);
        QTest::keyClick(&h.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(storedText(h.project), takenIn);
        QVERIFY(!h.document.canUndo());
        h.prompts.asked.clear();
        h.prompts.saveAnswers << SaveAnswer::cancel;
        h.button("cmdExit")->click();
        QCOMPARE(h.prompts.asked.contains(question), unsaved);
        h.prompts.files << QString(); // the save dialog cancelled
        h.action("sav")->trigger();
        QCOMPARE(h.prompts.asked.last(), "save: " + offered);
    }

    // Work on a loaded file, left by a run that never ended, comes back at
    // the next start still belonging to that file: Save offers it.
    void leftWorkKnowsItsFile() {
        QTemporaryDir state;
        QTemporaryDir files;
        const QString path = files.filePath("yard.cpm");
        QVERIFY(QFile::copy(examples + "/yard.cpm", path));
        {
            Harness killed(state.path());
            killed.load(path);
            killed.button("cmdNode")->click();
            killed.press(6000, 6000);
        }
        Harness h(state.path());
        h.prompts.restoreAnswers << RestoreAnswer::restore;
        h.window.startWith(state.path(), {});
        QCOMPARE(h.project.nodeCount, 3);
        QVERIFY(h.window.isWindowModified());
        h.prompts.files << files.filePath("saved.cpm");
        h.action("sav")->trigger();
        QCOMPARE(h.prompts.asked.last(), "save: " + path);
    }

    // The question as the user sees it: Restore by default, and Escape
    // keeps the copy for later.
    void theRestoreQuestionKeepsOnEscape() {
        QtPrompts prompts;
        QStringList buttons;
        bool escaped = false;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            for (const QPushButton* button : box->findChildren<QPushButton*>()) {
                buttons << button->text();
            }
            QTest::keyClick(box, Qt::Key_Escape);
            escaped = !box->isVisible();
            box->close();
        });
        QCOMPARE(prompts.askToRestore("Restore?", appTitle), RestoreAnswer::later);
        QVERIFY(escaped);
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Discard", "Keep for Later", "Restore"}));
    }

    // A state folder that cannot be written never stops a command: the user
    // is told once that recovery is off.
    void recoveryOffIsSaidOnce() {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("state"), "a file where the folder would be"));
        Harness h(dir.filePath("state/arrowplan"));
        h.button("cmdNode")->click();
        h.press(1500, 1500);
        h.press(3000, 1500);
        QCOMPARE(h.project.nodeCount, 2);
        QCOMPARE(h.prompts.asked.filter("Recovery after a crash is off").size(), 1);
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
