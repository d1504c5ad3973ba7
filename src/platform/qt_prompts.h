#pragma once

#include "platform/prompts.h"

#include <QPointer>
#include <QWidget>

namespace arrowplan {

// The prompts as Qt's dialogs, owned by the window the user works in, or
// else by the window given as parent.
class QtPrompts : public Prompts {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    std::optional<QPoint> position) override;
    void message(const QString& text, const QString& title) override;
    bool askYesNo(const QString& text, const QString& title) override;
    std::optional<JobEntry> editJob(const JobEntry& shown, const QString& title) override;
    SaveAnswer askToSave(const QString& text, const QString& title) override;
    RestoreAnswer askToRestore(const QString& text, const QString& title) override;
    QString chooseFileToOpen(const FileDialogSettings& settings) override;
    QString chooseFileToSave(const FileDialogSettings& settings) override;
    void beep() override;
    bool choosePrinter(QPrinter& printer) override;

  private:
    QString chooseFile(const FileDialogSettings& settings, bool save);
    // The window a dialog stands over: the active one (the job card while
    // it is open, the print options), else the main window.
    QWidget* owner() const;

    QPointer<QWidget> parent_;
};

} // namespace arrowplan
