#pragma once

#include "document/history.h"
#include "model/project.h"
#include "platform/prompts.h"

#include <QObject>
#include <QString>

#include <functional>
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
    explicit ProjectDocument(Prompts& prompts);

    Project& project() { return project_; }

    // Runs one command of a window. An exception (a node or job number
    // outside the tables, a sum beyond the currency range) ends the command
    // with a message; the program and the project stay. When the outermost
    // command ends, what it changed becomes one step named step; a half-made
    // arrow waits for the click that completes or drops it.
    void run(const QString& step, const std::function<void()>& command);
    // The handler as an event's slot that runs it through run().
    template <typename Handler> auto guarded(const QString& step, Handler handler) {
        return [this, step, handler] { run(step, handler); };
    }

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

    // Load read the project's tables from a file: a fresh history, nothing unsaved.
    void opened();
    // Save stored the tables as they stand.
    void saved();

  signals:
    // A command has ended: the main window shows what it drew.
    void commandEnded();
    // The unsaved mark or what undo and redo would take may have changed.
    void stateChanged();

  private:
    // The history's state has moved: unsaved again or not.
    void settle();

    Prompts& prompts_;
    Project project_;
    History history_{project_};
    // What Save would store as the last Save or Load left it.
    std::string savedText_;
    bool unsaved_ = false;
    int depth_ = 0; // commands running inside one another
};

} // namespace arrowplan
