#include "platform/qt_prompts.h"

#include "platform/twips.h"

#include "model/job_title.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>

namespace arrowplan {

QWidget* QtPrompts::owner() const {
    QWidget* active = QApplication::activeWindow();
    return active ? active : parent_.data();
}

std::optional<QString> QtPrompts::inputBox(const QString& prompt, const QString& title,
                                           std::optional<QPoint> position) {
    QInputDialog box(owner());
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    if (position) {
        // Kept on the screen when the screen is smaller than the place asked for.
        box.adjustSize();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint wanted(pixels(position->x()), pixels(position->y()));
        box.move(std::clamp(wanted.x(), screen.left(),
                            std::max(screen.left(), screen.right() - box.width())),
                 std::clamp(wanted.y(), screen.top(),
                            std::max(screen.top(), screen.bottom() - box.height())));
    }
    if (box.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return box.textValue();
}

// The program's messages and questions are a text and their buttons, no icon.
void QtPrompts::message(const QString& text, const QString& title) {
    QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner()).exec();
}

bool QtPrompts::askYesNo(const QString& text, const QString& title) {
    return QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No,
                       owner())
               .exec() == QMessageBox::Yes;
}

// Three boxes in a form; the title box takes no more than a job title holds.
std::optional<JobEntry> QtPrompts::editJob(const JobEntry& shown, const QString& title) {
    QDialog box(owner());
    box.setWindowTitle(title);
    auto* form = new QFormLayout(&box);
    auto* time = new QLineEdit(shown.time);
    auto* delay = new QLineEdit(shown.delay);
    auto* name = new QLineEdit(shown.title);
    time->setObjectName("time");
    delay->setObjectName("delay");
    name->setObjectName("title");
    name->setMaxLength(static_cast<int>(JobTitle::width));
    form->addRow("&Time:", time);
    form->addRow("&Delay:", delay);
    form->addRow("T&itle:", name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    time->selectAll();
    if (box.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return JobEntry{time->text(), delay->text(), name->text()};
}

SaveAnswer QtPrompts::askToSave(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner());
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::save;
    case QMessageBox::Discard:
        return SaveAnswer::discard;
    default:
        return SaveAnswer::cancel;
    }
}

RestoreAnswer QtPrompts::askToRestore(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, owner());
    QPushButton* restore = box.addButton(QObject::tr("Restore"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QMessageBox::Discard);
    QPushButton* later = box.addButton(QObject::tr("Keep for Later"), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == restore) {
        return RestoreAnswer::restore;
    }
    return box.clickedButton() == discard ? RestoreAnswer::discard : RestoreAnswer::later;
}

QString QtPrompts::chooseFile(const FileDialogSettings& settings, bool save) {
    // Qt's own dialog, not the desktop's: the same on every desktop and under Xvfb.
    QFileDialog dialog(owner());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(settings.filter);
    dialog.setDefaultSuffix(settings.defaultSuffix);
    dialog.selectFile(settings.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString QtPrompts::chooseFileToOpen(const FileDialogSettings& settings) {
    return chooseFile(settings, false);
}

QString QtPrompts::chooseFileToSave(const FileDialogSettings& settings) {
    return chooseFile(settings, true);
}

void QtPrompts::beep() {
    QApplication::beep();
}

bool QtPrompts::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, owner());
    return dialog.exec() == QDialog::Accepted;
}

} // namespace arrowplan
