#include "cards/job_card_window.h"
#include "editor/window_harness.h"
#include "platform/qt_text.h"
#include "print/print_options_window.h"
#include "project_builder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleOptionButton>

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
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "frmJobsList") {
                window = static_cast<JobCardWindow*>(w);
            }
        }
        QVERIFY(window && window->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(window));
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

// Where a button shows its caption, and its indicator (a push button has none).
std::pair<QRectF, QRect> captionRoom(QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const auto place = [&](QStyle::SubElement element) {
        return button->style()->subElementRect(element, &option, button);
    };
    if (qobject_cast<QCheckBox*>(button)) {
        return {place(QStyle::SE_CheckBoxContents), place(QStyle::SE_CheckBoxIndicator)};
    }
    if (qobject_cast<QRadioButton*>(button)) {
        return {place(QStyle::SE_RadioButtonContents), place(QStyle::SE_RadioButtonIndicator)};
    }
    return {button->rect(), QRect()};
}

Project fourJobs() {
    Project project = projectOf(5, {{1, 2, 2, 0, 10, "One"},
                                    {2, 3, 5, 1, 20, "Two"},
                                    {1, 3, 10, 0, 30, "Three"},
                                    {3, 5, 1, 0, 40, "Four"}});
    project.jobNotes[3] = "call Ann";
    project.edgeInTree[3] = 1;
    return project;
}

} // namespace

class JobCardTest : public QObject {
    Q_OBJECT

  private slots:
    void stepsThroughTheJobs() {
        Card card(projectOf(4, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}}));
        QCOMPARE(card.shown(1), QString("1,2"));
        QVERIFY(!card.h.window.isEnabled());
        card.previous();
        QCOMPARE(card.shown(1), QString("1,2"));
        card.next();
        card.next();
        card.next();
        QCOMPARE(card.shown(1), QString("3,4"));
        QCOMPARE(card.h.project.currentJob, 3);
        card.previous();
        QCOMPARE(card.shown(1), QString("2,3"));
    }

    void anEmptyProjectShowsSlotOne() {
        Card card(Project{});
        QCOMPARE(card.shown(1), QString("0,0"));
        card.next();
        QCOMPARE(card.h.project.currentJob, 0);
        card.previous();
        QCOMPARE(card.h.project.currentJob, 1);
        card.trigger("del"); // removes nothing
        QCOMPARE(card.h.project.edgeCount, 0);
    }

    void showsTheScheduleOfTheJob() {
        Card card(fourJobs());
        card.next(); // job 2: early start 2, late finish 10, duration 5, delay 1
        QCOMPARE(card.shown(5), QString("2"));
        QCOMPARE(card.shown(6), QString("10"));
        QCOMPARE(card.shown(7), QString("2"));
        QCOMPARE(card.shown(9), QString("1"));
        QCOMPARE(card.shown(10), QString("Two           "));

        card.type(3, "7", Qt::Key_Tab); // leaving the box commits and reschedules
        QCOMPARE(card.h.project.edgeWeight[2], 7.0f);
        QCOMPARE(card.shown(6), QString("10"));
        QCOMPARE(card.shown(7), QString("0"));

        QTest::keyClicks(card.box(5), "9"); // display only: undone at once
        QCOMPARE(card.shown(5), QString("2"));
    }

    void typedValuesAreReadLeniently_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("amount 12.50") << 4 << "12.50"
                                      << "12.5";
        QTest::newRow("amount after a symbol") << 4 << "$12"
                                               << "0";
        QTest::newRow("amount beyond currency") << 4 << "1e300"
                                                << "10";
        QTest::newRow("duration with words") << 3 << "3.5 weeks"
                                             << "3.5";
        QTest::newRow("duration beyond a float") << 3 << "1e39"
                                                 << "2";
        QTest::newRow("delay in hex") << 9 << "&H1A"
                                      << "26";
        QTest::newRow("actual time") << 8 << "1 2 5"
                                     << "125";
        QTest::newRow("title of 20 characters") << 10 << "Excavate the footing"
                                                << "Excavate the f";
    }
    void typedValuesAreReadLeniently() {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Card card(fourJobs());
        card.type(box, typed);
        QCOMPARE(card.shown(box), shown);
    }

    void optionsAndDoneReachTheTables() {
        Card card(fourJobs());
        card.window->findChild<QRadioButton*>("Option1_3")->click();
        card.window->findChild<QCheckBox*>("Check1")->click();
        QCOMPARE(card.h.project.jobDone[1], 1);                          // at once
        QCOMPARE(card.h.project.jobPayMode[1], std::int16_t{payEvenly}); // with the next write back
        card.next();
        QCOMPARE(card.h.project.jobPayMode[1], std::int16_t{payAtEnd});

        card.window->findChild<QRadioButton*>("Option1_1")->click();
        card.h.window.List1()->clear();
        card.trigger("dn");
        QCOMPARE(card.h.project.jobPayMode[2], std::int16_t{payAtStart});
        QVERIFY(!card.window->isVisible());
        QVERIFY(card.h.window.isEnabled());
        QCOMPARE(card.h.window.List1()->count(), 5); // DONE reschedules
    }

    void doneGivesTheWindowBackEvenWhenTheScheduleFails() {
        Card card(fourJobs());
        card.type(9, "900000000000000");
        card.next();
        card.type(9, "900000000000000");
        card.trigger("dn");
        QVERIFY(card.h.prompts.asked.last().startsWith("message: The command was stopped"));
        QVERIFY(card.h.window.isEnabled());
    }

    void theCloseBoxWritesBackWithoutScheduling() {
        Card card(fourJobs());
        card.box(3)->setText("9");
        card.h.window.List1()->clear();
        card.window->close();
        QCOMPARE(card.h.project.edgeWeight[1], 9.0f);
        QCOMPARE(card.h.window.List1()->count(), 0);
        QVERIFY(card.h.window.isEnabled());

        card.h.project.currentJob = 3;
        QTest::mouseClick(card.h.button("cmdedit"), Qt::LeftButton); // reopens at job 1
        QCOMPARE(card.shown(1), QString("1,2"));
    }

    // Every caption shows whole at the designed size, in its control's own font.
    void captionsFitTheirControls() {
        Card card(fourJobs());
        card.h.window.pr_Click();
        for (QWidget* window : {static_cast<QWidget*>(card.window),
                                static_cast<QWidget*>(&card.h.window.printOptions())}) {
            for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
                const auto [room, indicator] = captionRoom(button);
                const QRectF needed = QFontMetricsF(button->font())
                                          .boundingRect(room, Qt::TextShowMnemonic, button->text());
                QVERIFY2(
                    button->text().isEmpty() ||
                        (room.contains(needed) && (button->rect() | indicator) == button->rect()),
                    qPrintable(button->objectName()));
            }
        }
    }

    void deleteMovesTheLaterJobsDown() {
        Card card(fourJobs());
        card.next();
        const Project before = card.h.project;
        card.box(4)->setText("999"); // the keyboard's way to the menu leaves no box
        QFocusEvent toMenu(QEvent::FocusOut, Qt::MenuBarFocusReason);
        QApplication::sendEvent(card.box(4), &toMenu);
        card.h.prompts.yesNo << false;
        card.trigger("del");
        QCOMPARE(card.h.prompts.asked.last(), QString("yesno: Are You Sure | Delete???"));
        QVERIFY(card.h.project == before);

        card.box(4)->setText("999"); // not written back: Delete loses it
        card.h.prompts.yesNo << true;
        card.trigger("del");
        QCOMPARE(card.h.project.edgeCount, 3);
        QCOMPARE(card.shown(10), QString("Three         "));
        QCOMPARE(card.shown(4), QString("30"));
        QCOMPARE(card.h.project.jobNotes[2], std::string("call Ann"));
        QCOMPARE(card.h.project.edgeInTree[2], 1); // the tree mark moved with its job
        QCOMPARE(card.h.project.edgeInTree[3], 0);
        QCOMPARE(card.h.project.jobTitle[4], JobTitle()); // the freed slot is clear
        QCOMPARE(card.h.listed().size(), 4);

        card.next();
        card.next();
        card.h.prompts.yesNo << true;
        card.trigger("del"); // the last job: the card shows the new last one
        QCOMPARE(card.h.project.edgeCount, 2);
        QCOMPARE(card.shown(10), QString("Three         "));
    }
};

QTEST_MAIN(JobCardTest)
#include "job_card_test.moc"
