#include "document/project_document.h"

#include "model/project_file.h"
#include "platform/qt_text.h"

namespace arrowplan {

namespace {

const QString commandStopped = QStringLiteral("The command was stopped: %1.");

} // namespace

ProjectDocument::ProjectDocument(Prompts& prompts) : prompts_(prompts) {}

void ProjectDocument::run(const QString& step, const std::function<void()>& command) {
    ++depth_;
    try {
        command();
    } catch (const std::exception& error) {
        // A node or job number outside the tables, or a sum beyond the
        // currency range: the command ends here and the project stays.
        prompts_.message(commandStopped.arg(toQString(error.what())), appTitle);
    }
    if (--depth_ > 0) {
        return; // a timer or a repaint inside a walk: the walk is the step
    }
    if (project_.edgeStarted == 0 && history_.record(project_, toStdString(step))) {
        settle();
    }
    emit commandEnded();
}

QString ProjectDocument::undoName() const {
    return toQString(history_.undoName());
}

QString ProjectDocument::redoName() const {
    return toQString(history_.redoName());
}

void ProjectDocument::undo() {
    history_.undo(project_);
    settle();
}

void ProjectDocument::redo() {
    history_.redo(project_);
    settle();
}

void ProjectDocument::opened() {
    history_ = History(project_);
    savedText_ = storedText(project_);
    settle();
}

void ProjectDocument::saved() {
    savedText_ = storedText(project_);
    settle();
}

void ProjectDocument::settle() {
    unsaved_ = storedText(history_.state()) != savedText_;
    emit stateChanged();
}

} // namespace arrowplan
