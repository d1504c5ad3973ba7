#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <string>

class QLockFile;

namespace arrowplan {

// The folder of the user's state where recovery copies are kept:
// $XDG_STATE_HOME/arrowplan, or ~/.local/state/arrowplan.
QString standardRecoveryFolder();

// The three files of one program's copy in the recovery folder: the project
// as its .cpm text, the name of the file the project belongs to, and the
// lock that says the program is still running.
struct RecoveryFiles {
    QString project;
    QString fileName;
    QString lock;

    static RecoveryFiles of(const QString& folder, const QString& id);
};

// This program's recovery copy, rewritten after every step while there is
// unsaved work, so that a crash or a power cut loses nothing since the last
// step. Its lock file keeps other programs from taking it while this one
// runs; a crash leaves the copy with a stale lock, which the next start
// offers to restore.
class RecoveryCopy {
  public:
    explicit RecoveryCopy(const QString& folder);
    // The lock goes and the copy stays: an end that was not a clean one.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // Keeps text as the copy of the project stored in fileName; empty text
    // (nothing unsaved) removes the copy. Gives why, when it could not.
    std::optional<QString> keep(const std::string& text, const QString& fileName);
    // A clean end: the copy and the lock go.
    void remove();

  private:
    std::optional<QString> lock();
    static std::optional<QString> write(const QString& path, const std::string& contents);

    QString folder_;
    RecoveryFiles files_;
    std::unique_ptr<QLockFile> lock_;
    // What the files hold, so that a step that changes neither writes nothing.
    std::string keptText_;
    QString keptName_;
};

} // namespace arrowplan
