#pragma once

#include <QPoint>
#include <QString>

#include <optional>

class QPrinter;

namespace arrowplan {

// What the file dialog of the main window remembers between uses.
struct FileDialogSettings {
    QString filter;
    QString defaultSuffix;
    QString fileName; // the last name chosen, or the initial one
};

// The questions and messages the program puts to the user. The program uses
// Qt's dialogs; tests install a scripted double and check what was asked.
class Prompts {
  public:
    virtual ~Prompts() = default;

    // A modal input box with no default text; empty text when cancelled.
    // position is the box's top-left in twips from the screen's top-left,
    // or none for the centre of the screen.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             std::optional<QPoint> position) = 0;
    virtual void message(const QString& text, const QString& title) = 0;
    virtual bool askYesNo(const QString& text, const QString& title) = 0;
    // The chosen path, or empty text when no file was chosen.
    virtual QString chooseFileToOpen(const FileDialogSettings& settings) = 0;
    virtual QString chooseFileToSave(const FileDialogSettings& settings) = 0;
    virtual void beep() = 0;
    // The system's printer dialog; false when it was cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
};

} // namespace arrowplan
