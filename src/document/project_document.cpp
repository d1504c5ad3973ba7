#include "document/project_document.h"

#include "model/project_file.h"
#include "platform/qt_text.h"

namespace arrowplan {

namespace {

const QString commandStopped = QStringLiteral("The command was stopped: %1.");
const QString recoveryOff =
    QStringLiteral("Recovery after a crash is off: %1. Your work is kept only when you save it.");

} // namespace

ProjectDocument::ProjectDocument(Prompts& prompts, const QString& recoveryFolder)
    : prompts_(prompts) {
    if (!recoveryFolder.isEmpty()) {
        recovery_ = std::make_unique<RecoveryCopy>(recoveryFolder);
    }
}

ProjectDocument::~ProjectDocument() = default;

void ProjectDocument::run(const QString& step, const std::function<void()>& command) {
    ++depth_;
    try {
        command();
    } catch (const std::exception& error) {
        // A node or job number outside the tables, or a sum beyond the
        // currency range: the command ends here and the project stays.
        prompts_.message(commandStopped.arg(toQString(error.what())), appTitle);
    }
    // A timer or a repaint inside a walk is no command of its own: the walk
    // is the step.
    if (--depth_ == 0) {
        record(step);
    }
    emit commandEnded();
}

// A half-made arrow is no step until its second click, but the rest of the
// work is: a node added or moved, or a name given, while it waits. The arrow
// is its job's count and start node; without them the slot is as it was.
void ProjectDocument::record(const QString& step) {
    bool changed = false;
    if (project_.edgeStarted == 1) {
        Project withoutArrow = project_;
        const int job = withoutArrow.edgeCount--;
        withoutArrow.edgeFrom[job] = history_.state().edgeFrom[job];
        changed = history_.record(withoutArrow, toStdString(step));
    } else {
        changed = history_.record(project_, toStdString(step));
    }
    if (changed) {
        settle();
    }
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

void ProjectDocument::opened(const QString& fileName) {
    startAfresh(fileName, storedText(project_));
}

void ProjectDocument::saved(const QString& fileName) {
    savedText_ = storedText(project_);
    fileName_ = fileName;
    settle();
}

void ProjectDocument::tookIn(const QString& fileName) {
    startAfresh(fileName, std::nullopt);
}

void ProjectDocument::startAfresh(const QString& fileName, std::optional<std::string> savedText) {
    history_ = History(project_);
    savedText_ = std::move(savedText);
    fileName_ = fileName;
    settle();
}

void ProjectDocument::endCleanly() {
    if (recovery_) {
        recovery_->remove();
    }
}

void ProjectDocument::settle() {
    const std::string text = storedText(history_.state());
    unsaved_ = text != savedText_;
    keepRecoveryCopy(unsaved_ ? text : std::string());
    emit stateChanged();
}

// A folder that cannot be written never stops a command: the user is told
// once, and the program goes on without a copy.
void ProjectDocument::keepRecoveryCopy(const std::string& text) {
    if (!recovery_) {
        return;
    }
    if (const auto failure = recovery_->keep(text, fileName_)) {
        recovery_.reset();
        prompts_.message(recoveryOff.arg(*failure), appTitle);
    }
}

} // namespace arrowplan
