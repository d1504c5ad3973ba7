#pragma once

#include "document/chart_commands.h"
#include "document/project_document.h"
#include "platform/prompts.h"

#include <QMainWindow>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace arrowplan {

// The question before a job is deleted, on the card and on the chart alike:
// whether the user is sure.
bool deleteConfirmed(Prompts& prompts);

// frmJobsList, the 3x5 job card: one job's card at a time, read fresh from
// the tables and written straight back into them. The main window is
// disabled while the card is open; DONE or the close box gives it back.
// Every committed change is a step of the document's history.
class JobCardWindow : public QMainWindow {
    Q_OBJECT

  public:
    JobCardWindow(ProjectDocument& document, Prompts& prompts, ChartCommands& chart,
                  QWidget& mainWindow);

    // Show: every box of the card from the tables, for currentJob.
    void process();
    // Write back: every box of the card into the tables, for currentJob.
    void whatfor();

    void Image1_Click(); // next job
    void Image2_Click(); // previous job
    void dn_Click();     // DONE
    void del_Click();    // DELETE

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void showJobNumber();
    // Each stores one field of the card for currentJob; a change is a step
    // of its own, named after the field.
    void storeNotes();
    template <typename Value> void storeBox(int n, Value& field);
    void storeTitle();
    void storeDone();
    void storePayMode();
    // Write back, run the CPM calculation, show: a committed edit.
    void commit();
    void scheduleAndShow();
    void step(int by);
    // A number typed into a box, or the value already stored when the text
    // holds a number beyond the field's range.
    template <typename Value> Value readBox(QLineEdit* box, Value stored) const;

    ProjectDocument& document_;
    Project& project_;
    Prompts& prompts_;
    ChartCommands& chart_;
    QWidget& mainWindow_;
    QLineEdit* text_[11] = {}; // Text1..Text10 by number; Text2 is the notes box
    QPlainTextEdit* notes_ = nullptr;
    QCheckBox* done_ = nullptr;
    QButtonGroup* payModes_ = nullptr;
};

} // namespace arrowplan
