#include "document/recovery_copy.h"

#include "model/atomic_file.h"
#include "platform/qt_text.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>

namespace arrowplan {

// Qt before 6.7 names no state folder, so the XDG rule is followed here.
QString standardRecoveryFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state)) {
        state = QDir::homePath() + "/.local/state";
    }
    return state + "/arrowplan";
}

RecoveryFiles RecoveryFiles::of(const QString& folder, const QString& id) {
    const QString base = folder + '/' + id;
    return {base + ".cpm", base + ".name", base + ".lock"};
}

// One program's files are named by its process and its start, so no two
// programs, nor a program and a copy left by an earlier one with the same
// process number, ever share them.
RecoveryCopy::RecoveryCopy(const QString& folder)
    : folder_(folder),
      files_(RecoveryFiles::of(folder, QString("%1-%2")
                                           .arg(QCoreApplication::applicationPid())
                                           .arg(QDateTime::currentMSecsSinceEpoch()))) {}

RecoveryCopy::~RecoveryCopy() = default;

std::optional<QString> RecoveryCopy::lock() {
    if (lock_) {
        return std::nullopt;
    }
    if (!QDir().mkpath(folder_)) {
        return "the folder " + folder_ + " cannot be made";
    }
    auto lock = std::make_unique<QLockFile>(files_.lock);
    lock->setStaleLockTime(0); // held as long as the program runs
    if (!lock->tryLock(0)) {
        return "no file can be made in " + folder_;
    }
    lock_ = std::move(lock);
    return std::nullopt;
}

std::optional<QString> RecoveryCopy::write(const QString& path, const std::string& contents) {
    if (const auto failure = replaceFile(toStdString(path), contents)) {
        return path + ": " + toQString(*failure);
    }
    return std::nullopt;
}

std::optional<QString> RecoveryCopy::keep(const std::string& text, const QString& fileName) {
    if (text == keptText_ && fileName == keptName_) {
        return std::nullopt;
    }
    if (text.empty()) {
        QFile::remove(files_.project);
        QFile::remove(files_.fileName);
    } else {
        if (auto failure = lock()) {
            return failure;
        }
        // Each file is flushed to the disk, which takes its time on a slow
        // one: the name is written only when it is new.
        const bool newName = fileName != keptName_ || keptText_.empty();
        if (auto failure = newName ? write(files_.fileName, toStdString(fileName)) : std::nullopt) {
            return failure;
        }
        if (auto failure = write(files_.project, text)) {
            return failure;
        }
    }
    keptText_ = text;
    keptName_ = fileName;
    return std::nullopt;
}

void RecoveryCopy::remove() {
    keep({}, {});
    lock_.reset();
}

} // namespace arrowplan
