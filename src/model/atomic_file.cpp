#include "model/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace arrowplan {

namespace {

// As many links as Linux follows in one path name.
constexpr int maxLinks = 40;

// The permissions a newly created file would get, or the old file's own.
mode_t modeFor(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

std::optional<std::string> writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::string(std::strerror(errno));
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

// Gives fd the permissions mode (when given) and contents, flushes it to the
// disk and closes it; says why, when any of that failed.
std::optional<std::string> writeAndClose(int fd, std::string_view contents,
                                         std::optional<mode_t> mode) {
    std::optional<std::string> failure;
    if (mode && ::fchmod(fd, *mode) != 0) {
        failure = std::strerror(errno);
    }
    if (!failure) {
        failure = writeAll(fd, contents);
    }
    if (!failure && ::fsync(fd) != 0) {
        failure = std::strerror(errno);
    }
    if (::close(fd) != 0 && !failure) {
        failure = std::strerror(errno);
    }
    return failure;
}

// The file path names once the symbolic links it ends in are followed; a
// dangling link names a file still to be made. Nothing for a loop of links.
std::optional<std::filesystem::path> linkTarget(std::filesystem::path path) {
    for (int links = 0; links <= maxLinks; ++links) {
        std::error_code notALink;
        const std::filesystem::path target = std::filesystem::read_symlink(path, notALink);
        if (notALink) {
            return path;
        }
        path = path.parent_path() / target; // an absolute target replaces the whole path
    }
    return std::nullopt;
}

// The way out where no temporary file can be made beside the file: opening
// it truncates it, so from there on a failure loses the old contents.
std::optional<ReplaceFailure> writeInPlace(const std::string& path, std::string_view contents,
                                           const std::string& whyNoTemporary) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return ReplaceFailure{whyNoTemporary +
                              "; nor can it be written in place: " + std::strerror(errno)};
    }
    if (const auto failure = writeAndClose(fd, contents, std::nullopt)) {
        return ReplaceFailure{"writing it in place failed: " + *failure, false};
    }
    return std::nullopt;
}

} // namespace

std::optional<ReplaceFailure> replaceFileContents(const std::string& path,
                                                  std::string_view contents) {
    const std::optional<std::filesystem::path> found = linkTarget(path);
    if (!found) {
        return ReplaceFailure{std::strerror(ELOOP)};
    }
    const std::string target = found->string();
    std::string temporary =
        (found->parent_path() / ("." + found->filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        const int error = errno;
        const std::string why =
            std::string("no temporary file could be made beside it: ") + std::strerror(error);
        // Only a folder closed to new files or a name too long for the
        // temporary file's: on a full disk, say, writing in place would lose
        // the old contents for nothing.
        if (error == EACCES || error == EPERM || error == ENAMETOOLONG) {
            return writeInPlace(target, contents, why);
        }
        return ReplaceFailure{why};
    }
    std::optional<std::string> failure = writeAndClose(fd, contents, modeFor(target));
    if (!failure && ::rename(temporary.c_str(), target.c_str()) != 0) {
        failure = std::strerror(errno);
    }
    if (failure) {
        ::unlink(temporary.c_str());
        return ReplaceFailure{*failure};
    }
    return std::nullopt;
}

std::optional<std::string> replaceFile(const std::string& path, std::string_view contents) {
    const std::optional<ReplaceFailure> failure = replaceFileContents(path, contents);
    if (!failure) {
        return std::nullopt;
    }
    return failure->oldContentsKept ? failure->why : failure->why + "; the file may be incomplete";
}

} // namespace arrowplan
