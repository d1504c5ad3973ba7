#pragma once

#include <QPoint>
#include <QString>

#include <optional>

class QPrinter;

namespace arrowplan {

// The program's title, on its main window and every message box.
inline const QString appTitle = QStringLiteral("Arrowplan");

// The answers to the question put before unsaved work would be dropped.
enum class SaveAnswer { save, discard, cancel };
// The answers to the offer of a recovery copy; later leaves the copy for
// the next start.
enum class RestoreAnswer { restore, discard, later };

// A job's time, delay and title as its editor on the chart shows them.
struct JobEntry {
    QString time;
    QString delay;
    QString title;
};

// What the file dialog of the main window remembers between uses.
struct FileDialogSettings {
    QString filter;
    QString defaultSuffix;
    QString fileName; // the last name chosen, or the initial one
};

// The questions and messages the program puts to the user. The program uses
// Qt's dialogs, each over the window the user is working in; tests install a
// scripted double and check what was asked.
class Prompts {
  public:
    virtual ~Prompts() = default;

    // A modal input box with no default text; none when cancelled.
    // position is the box's top-left in twips from the screen's top-left,
    // or none for the centre of the screen.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            std::optional<QPoint> position) = 0;
    virtual void message(const QString& text, const QString& title) = 0;
    virtual bool askYesNo(const QString& text, const QString& title) = 0;
    // The small editor of one job on the chart, filled in with `shown`;
    // what was typed, or none when it was cancelled.
    virtual std::optional<JobEntry> editJob(const JobEntry& shown, const QString& title) = 0;
    // Save, Discard or Cancel; Save is the default and Escape cancels.
    virtual SaveAnswer askToSave(const QString& text, const QString& title) = 0;
    // Restore, Discard or Keep for Later; Restore is the default, and
    // Escape or a box closed without an answer keeps the copy for later.
    virtual RestoreAnswer askToRestore(const QString& text, const QString& title) = 0;
    // The chosen path, or empty text when no file was chosen.
    virtual QString chooseFileToOpen(const FileDialogSettings& settings) = 0;
    virtual QString chooseFileToSave(const FileDialogSettings& settings) = 0;
    virtual void beep() = 0;
    // The system's printer dialog; false when it was cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
};

} // namespace arrowplan
