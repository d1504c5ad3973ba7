#pragma once

#include "platform/prompts.h"

#include <QPrinter>
#include <QStringList>

#include <functional>

namespace arrowplan::testing {

// Answers the program's questions from a script and writes down every one it
// was asked, as "input: prompt | title", "message: text | title",
// "yesno: text | title", "save?: text | title", "restore?: text | title",
// "open: remembered name", "save: remembered name" or "beep". An unscripted
// question is answered as a cancel would be.
class ScriptedPrompts : public Prompts {
  public:
    QStringList inputs;
    QStringList files;
    QList<bool> yesNo;
    QList<SaveAnswer> saveAnswers;
    QList<RestoreAnswer> restoreAnswers;
    // What the job editor is answered with: each entry's empty fields keep
    // what it showed; a null time is a Cancel.
    QList<JobEntry> jobEntries;
    JobEntry lastJobShown;
    QStringList asked;
    FileDialogSettings lastFileDialog;
    std::optional<QPoint> lastInputPosition;
    // Runs while an input box is open, before it is answered.
    std::function<void()> whileAsking;

    // A null text in inputs is a Cancel.
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    std::optional<QPoint> position) override {
        asked << "input: " + prompt + " | " + title;
        lastInputPosition = position;
        if (whileAsking) {
            whileAsking();
        }
        const QString answer = inputs.isEmpty() ? QString() : inputs.takeFirst();
        return answer.isNull() ? std::nullopt : std::optional(answer);
    }
    void message(const QString& text, const QString& title) override {
        asked << "message: " + text + " | " + title;
    }
    bool askYesNo(const QString& text, const QString& title) override {
        asked << "yesno: " + text + " | " + title;
        return !yesNo.isEmpty() && yesNo.takeFirst();
    }
    std::optional<JobEntry> editJob(const JobEntry& shown, const QString& title) override {
        asked << "job: " + title;
        lastJobShown = shown;
        if (jobEntries.isEmpty() || jobEntries.first().time.isNull()) {
            if (!jobEntries.isEmpty()) {
                jobEntries.removeFirst();
            }
            return std::nullopt;
        }
        JobEntry typed = jobEntries.takeFirst();
        for (auto [field, kept] :
             {std::pair{&typed.time, &shown.time}, std::pair{&typed.delay, &shown.delay},
              std::pair{&typed.title, &shown.title}}) {
            if (field->isEmpty()) {
                *field = *kept;
            }
        }
        return typed;
    }
    SaveAnswer askToSave(const QString& text, const QString& title) override {
        asked << "save?: " + text + " | " + title;
        return saveAnswers.isEmpty() ? SaveAnswer::cancel : saveAnswers.takeFirst();
    }
    RestoreAnswer askToRestore(const QString& text, const QString& title) override {
        asked << "restore?: " + text + " | " + title;
        return restoreAnswers.isEmpty() ? RestoreAnswer::later : restoreAnswers.takeFirst();
    }
    QString chooseFileToOpen(const FileDialogSettings& settings) override {
        return chooseFile("open: ", settings);
    }
    QString chooseFileToSave(const FileDialogSettings& settings) override {
        return chooseFile("save: ", settings);
    }
    void beep() override { asked << "beep"; }
    // The printer dialog chooses this printer queue, or else printing into
    // this PDF file; with neither it is cancelled.
    QString printerName;
    QString printToFile;
    bool choosePrinter(QPrinter& printer) override {
        asked << "printer";
        if (!printerName.isEmpty()) {
            printer.setPrinterName(printerName);
            return printer.isValid();
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToFile);
        return !printToFile.isEmpty();
    }

  private:
    QString chooseFile(const QString& kind, const FileDialogSettings& settings) {
        asked << kind + settings.fileName;
        lastFileDialog = settings;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
};

} // namespace arrowplan::testing
