#pragma once

#include "document/recovery_copy.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

class QLockFile;

namespace arrowplan {

// A recovery copy left by a program that is no longer running. This program
// holds the copy's lock from the moment it finds it, so that a second
// program starting at the same time does not offer it too.
class LeftCopy {
  public:
    LeftCopy(RecoveryFiles files, std::unique_ptr<QLockFile> lock);
    LeftCopy(LeftCopy&&) noexcept;
    LeftCopy& operator=(LeftCopy&&) noexcept;
    ~LeftCopy();

    // When the copy was last written.
    QDateTime written() const;
    // The file the project belongs to; empty when it never had one.
    QString fileName() const;
    // The copy's project file, which Load's own reader takes in.
    const QString& projectFile() const { return files_.project; }
    // The copy goes.
    void discard();
    // A copy that cannot be read is kept under a name no start offers
    // again, for the user to look at; gives that name.
    QString setAside();

  private:
    RecoveryFiles files_;
    std::unique_ptr<QLockFile> lock_;
};

// The copies in folder whose program has ended, newest first. A folder that
// cannot be read has none.
std::vector<LeftCopy> claimLeftCopies(const QString& folder);

} // namespace arrowplan
