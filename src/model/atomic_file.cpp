#include "model/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace arrowplan {

namespace {

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

} // namespace

std::optional<std::string> replaceFile(const std::string& path, std::string_view contents) {
    const std::filesystem::path target(path);
    std::string temporary =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return std::string("no temporary file could be made beside it: ") + std::strerror(errno);
    }
    std::optional<std::string> failure = writeAll(fd, contents);
    if (!failure && ::fchmod(fd, modeFor(path)) != 0) {
        failure = std::strerror(errno);
    }
    if (!failure && ::fsync(fd) != 0) {
        failure = std::strerror(errno);
    }
    if (::close(fd) != 0 && !failure) {
        failure = std::strerror(errno);
    }
    if (!failure && ::rename(temporary.c_str(), path.c_str()) != 0) {
        failure = std::strerror(errno);
    }
    if (failure) {
        ::unlink(temporary.c_str());
    }
    return failure;
}

} // namespace arrowplan
