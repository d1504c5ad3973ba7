#include "document/left_copies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace arrowplan {

LeftCopy::LeftCopy(RecoveryFiles files, std::unique_ptr<QLockFile> lock)
    : files_(std::move(files)), lock_(std::move(lock)) {}
LeftCopy::LeftCopy(LeftCopy&&) noexcept = default;
LeftCopy& LeftCopy::operator=(LeftCopy&&) noexcept = default;
LeftCopy::~LeftCopy() = default;

QDateTime LeftCopy::written() const {
    return QFileInfo(files_.project).lastModified();
}

QString LeftCopy::fileName() const {
    QFile name(files_.fileName);
    return name.open(QIODevice::ReadOnly) ? QString::fromUtf8(name.readAll()) : QString();
}

void LeftCopy::discard() {
    QFile::remove(files_.project);
    QFile::remove(files_.fileName);
}

QString LeftCopy::setAside() {
    const QString aside = files_.project + ".broken";
    QFile::remove(aside);
    QFile::rename(files_.project, aside);
    QFile::remove(files_.fileName);
    return aside;
}

std::vector<LeftCopy> claimLeftCopies(const QString& folder) {
    std::vector<LeftCopy> copies;
    const QFileInfoList projects = QDir(folder).entryInfoList({"*.cpm"}, QDir::Files, QDir::Time);
    for (const QFileInfo& project : projects) {
        const RecoveryFiles files = RecoveryFiles::of(folder, project.completeBaseName());
        auto lock = std::make_unique<QLockFile>(files.lock);
        lock->setStaleLockTime(0); // a lock is stale only when its program has gone
        if (lock->tryLock(0)) {
            copies.emplace_back(files, std::move(lock));
        }
    }
    return copies;
}

} // namespace arrowplan
