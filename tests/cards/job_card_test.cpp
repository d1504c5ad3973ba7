#include "cards/job_card_window.h"
#include "editor/window_harness.h"
#include "print/print_options_window.h"
#include "project_builder.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace arrowplan;
using arrowplan::testing::Harness;
using arrowplan::testing::projectOf;

namespace {

// The main window with a project, and its job card open.
struct Card {
    Harness h;
    JobCardWindow* window = nullptr;

    explicit Card(const Project& project) {
        h.project = project;
        h.window.cmdCPM_Click();
        QTest::mouseClick(h.button("cmdedit"), Qt::LeftButton);
        QTRY_VERIFY((window = qobject_cast<JobCardWindow*>(QApplication::activeWindow())));
    }
    QLineEdit* box(int n) { return window->findChild<QLineEdit*>("Text" + QString::number(n)); }
    QString shown(int n) { return box(n)->text(); }
    void type(int n, const QString& text, Qt::Key commitKey = Qt::Key_Return) {
        box(n)->setFocus();
        box(n)->selectAll();
        QTest::keyClicks(box(n), text);
        QTest::keyClick(box(n), commitKey);
    }
    void trigger(const char* action) { window->findChild<QAction*>(action)->trigger(); }
    void next() { QTest::mouseClick(window->findChild<QWidget*>("Image1"), Qt::LeftButton); }
    void previous() { QTest::mouseClick(window->findChild<QWidget*>("Image2"), Qt::LeftButton); }
};

// Typed into a box of job 1, what the box shows then and the step it makes
// (a value kept makes none): figures are read leniently, and one out of range
// keeps the value stored.
const std::tuple<int, QString, QString, QString> typedValues[] = {
    {4, "12.50", "12.5", "Amount"},
    {4, "1e300", "12.5", "Amount"},
    {8, "1 2 5", "125", "Actual Time"},
    {10, "Excavate the footing", "Excavate the f", "Title"}};

const Project fourJobs = projectOf(5, {{1, 2, 2, 0, 10, "One"},
                                       {2, 3, 5, 1, 20, "Two"},
                                       {1, 3, 10, 0, 30, "Three"},
                                       {3, 5, 1, 0, 40, "Four"}});

} // namespace

class JobCardTest : public QObject {
    Q_OBJECT

  private slots:
    void stepsThroughTheJobsWritingBack() {
        Card card(fourJobs);
        QVERIFY(!card.h.window.isEnabled());
        // Only the main window is disabled; its close box waits for the card.
        card.h.window.pr_Click();
        card.h.window.abt_Click();
        QVERIFY(card.h.window.printOptions().isEnabled() &&
                Harness::windowNamed("frmAbout")->isEnabled());
        card.h.window.close();
        QVERIFY(card.window->isVisible() && card.h.endings == 0);
        for (const auto& [box, typed, shown, step] : typedValues) {
            card.type(box, typed);
            QCOMPARE(card.shown(box), shown);
            QCOMPARE(card.h.document.undoName(), step);
        }
        // Each change is a step of its own, in the order they were made.
        auto* notes = card.window->findChild<QPlainTextEdit*>("Text2");
        notes->setFocus();
        QTest::keyClicks(notes, "Call Ann");
        QTest::mouseClick(card.window->findChild<QRadioButton*>("Option1_3"), Qt::LeftButton);
        QCOMPARE(card.h.project.jobPayMode[1], std::int16_t{payAtEnd}); // stored as chosen
        card.type(4, "14");
        card.window->findChild<QCheckBox*>("Check1")->click();
        for (const char* step : {"Done", "Amount", "Payment Option", "Description"}) {
            QCOMPARE(card.h.document.undoName(), QString(step));
            card.h.document.undo();
        }
        QCOMPARE(card.h.project.jobNotes[1], std::string());
        for (int step = 0; step < 4; ++step) {
            card.h.document.redo();
        }
        card.previous();
        QCOMPARE(card.shown(1), QString("1,2"));
        QCOMPARE(card.h.project.jobPayMode[1], std::int16_t{payAtEnd});

        card.next(); // job 2: early start 2, late finish 10, duration 5, delay 1
        QCOMPARE(card.shown(7), QString("2"));
        QCOMPARE(card.shown(9), QString("1"));
        card.type(3, "9", Qt::Key_Tab); // leaving the box commits and reschedules
        QCOMPARE(card.shown(6), QString("12"));

        for (int i = 0; i < 3; ++i) {
            card.next();
        }
        QCOMPARE(card.shown(1), QString("3,5"));
        card.previous();
        QCOMPARE(card.shown(1), QString("1,3"));
    }

    // The Done box and the payment options show a black mark on white, on
    // the controls' own dark background.
    void indicatorsShowTheirMarks() {
        Card card(fourJobs);
        for (const char* name : {"Check1", "Option1_2"}) {
            auto* button = card.window->findChild<QAbstractButton*>(name);
            const auto darkPixels = [button] { // darker than the dark blue
                const QImage image = button->grab().toImage();
                int count = 0;
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        count += qGray(image.pixel(x, y)) < 60;
                    }
                }
                return count;
            };
            const int unmarked = darkPixels(); // job 1: not done, paid evenly
            button->setChecked(true);
            QVERIFY2(unmarked > 0 && darkPixels() > unmarked + 4, name);
        }
    }

    void theCloseBoxAndDoneWriteBack() {
        Card card(fourJobs);
        card.next();
        card.box(3)->setFocus();
        card.box(3)->setText("9");
        card.h.window.List1()->clear();
        QWidget other; // focus that leaves with the whole window commits nothing
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        card.window->close(); // no schedule run
        QCOMPARE(card.h.project.edgeWeight[2], 9.0f);
        QCOMPARE(card.h.window.List1()->count(), 0);
        QVERIFY(card.h.window.isEnabled());

        QTest::mouseClick(card.h.button("cmdedit"), Qt::LeftButton); // opens at job 1 again
        QCOMPARE(card.shown(1), QString("1,2"));
        card.window->findChild<QRadioButton*>("Option1_1")->click();
        card.trigger("dn");
        QCOMPARE(card.h.project.jobPayMode[1], std::int16_t{payAtStart});
        QVERIFY(!card.window->isVisible());
        QCOMPARE(card.h.window.List1()->count(), 5); // DONE reschedules

        QTest::mouseClick(card.h.button("cmdedit"), Qt::LeftButton);
        card.type(9, "900000000000000");
        card.next();
        card.type(9, "900000000000000");
        card.trigger("dn"); // the window comes back even when the schedule fails
        QVERIFY(card.h.prompts.asked.last().startsWith("message: The command was stopped"));
        QVERIFY(card.h.window.isEnabled());
    }

    // Every caption shows whole at the designed width, in its control's own font.
    void captionsFitTheirControls() {
        Card card(fourJobs);
        card.h.window.pr_Click();
        for (QWidget* window : {static_cast<QWidget*>(card.window),
                                static_cast<QWidget*>(&card.h.window.printOptions())}) {
            for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
                QVERIFY2(button->sizeHint().width() <= button->width(),
                         qPrintable(button->objectName()));
            }
        }
    }

    void deleteAsksThenShowsTheJobNowInTheSlot() {
        Card card(fourJobs);
        card.next();
        const Project before = card.h.project;
        card.box(4)->setText("999"); // the keyboard's way to the menu leaves no box
        QFocusEvent toMenu(QEvent::FocusOut, Qt::MenuBarFocusReason);
        QApplication::sendEvent(card.box(4), &toMenu);
        card.trigger("del"); // answered No
        QCOMPARE(card.h.prompts.asked.last(), QString("yesno: Are You Sure | Delete???"));
        QVERIFY(card.h.project == before);

        card.h.prompts.yesNo << true << true;
        card.trigger("del"); // what moves down is the core tests' business
        QCOMPARE(card.h.project.edgeCount, 3);
        QCOMPARE(card.shown(10), QString("Three         ")); // the card was not written back

        card.next();
        card.next();
        card.trigger("del"); // the last job: the card shows the new last one
        QCOMPARE(card.shown(10), QString("Three         "));

        card.h.prompts.yesNo << true << true << true;
        for (int i = 0; i < 3; ++i) {
            card.trigger("del"); // the third finds no job left to delete
        }
        QCOMPARE(card.h.project.edgeCount, 0);
    }
};

QTEST_MAIN(JobCardTest)
#include "job_card_test.moc"
