#pragma once

#include "document/history.h"
#include "document/recovery_copy.h"
#include "model/project.h"
#include "platform/prompts.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace arrowplan {

// The open project: the one Project every window works on, its undo history,
// what the last Save or Load left on disk, and the recovery copy. Every
// command of a window runs through run(), which turns what it changed into a
// step of the history.
class ProjectDocument : public QObject {
    Q_OBJECT

  public:
    // With a recovery folder, unsaved work is kept there after every step.
    explicit ProjectDocument(Prompts& prompts, const QString& recoveryFolder = {});
    ~ProjectDocument() override;

    Project& project() { return project_; }

    // Runs one command of a window. An exception (a node or job number
    // outside the tables, a sum beyond the currency range) ends the command
    // with a message; the program and the project stay. When the outermost
    // command ends, what it changed becomes one step named step; a half-made
    // arrow is left out until the click that completes or drops it.
    void run(const QString& step, const std::function<void()>& command);
    // The handler as an event's slot that runs it through run().
    template <typename Handler> auto guarded(const QString& step, Handler handler) {
        return [this, step, handler] { run(step, handler); };
    }

    // What the running command has changed so far becomes a step named
    // step, so that a command that stores several things (the card's write
    // back) makes each its own step. Nothing changed makes no step.
    void endStep(const QString& step) { record(step); }

    // What Save would store differs from what the last Save or Load stored
    // or read (before either, from the empty project).
    bool unsaved() const { return unsaved_; }

    // The steps so far, for a check that walks them on a copy.
    const History& history() const { return history_; }
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    QString undoName() const;
    QString redoName() const;
    // The tables as they were before the last step, or after the next one.
    void undo();
    void redo();

    // Load read the project's tables from fileName: a fresh history,
    // nothing unsaved.
    void opened(const QString& fileName);
    // Save stored the tables as they stand into fileName.
    void saved(const QString& fileName);
    // Work no project file holds was taken in (a recovery copy of the work
    // on fileName, an imported task list): a fresh history of work that is
    // unsaved until the next Save.
    void tookIn(const QString& fileName);
    // The program ends with nothing left to keep: the recovery copy goes.
    void endCleanly();

  signals:
    // A command has ended: the main window shows what it drew.
    void commandEnded();
    // The unsaved mark or what undo and redo would take may have changed.
    void stateChanged();

  private:
    // A fresh history of the project as it stands, which belongs to fileName
    // and is saved as savedText (none: no file holds it).
    void startAfresh(const QString& fileName, std::optional<std::string> savedText);
    // What the command changed becomes a step of the history.
    void record(const QString& step);
    // The history's state has moved: unsaved or not, and the recovery copy
    // kept accordingly.
    void settle();
    void keepRecoveryCopy(const std::string& text);

    Prompts& prompts_;
    Project project_;
    History history_{project_};
    // What Save would store as the last Save or Load left it; none for
    // recovered work, which no file holds.
    std::optional<std::string> savedText_{std::string()};
    QString fileName_; // the file the project belongs to
    bool unsaved_ = false;
    // None once the folder has failed: recovery is off then.
    std::unique_ptr<RecoveryCopy> recovery_;
    int depth_ = 0; // commands running inside one another
};

} // namespace arrowplan
