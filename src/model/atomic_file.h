#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace arrowplan {

// Why a file was not given its new contents, and whether it still holds its
// old ones.
struct ReplaceFailure {
    std::string why;
    bool oldContentsKept = true;
};

// Gives the file at path the whole of contents. A symbolic link is followed
// to the file it names, which is replaced (created, when the link dangles)
// while the link stays. The contents go into a temporary file beside that
// file, flushed to the disk and renamed over it, so that it holds either its
// old contents or the whole new ones, whatever happens on the way, and a file
// already there keeps its permissions. Only where no temporary file may be
// made beside it (a folder the user may not write in, a name too long for the
// temporary file's) is the file truncated, written and flushed in place: a
// failure on the way then leaves it incomplete, as oldContentsKept says.
std::optional<ReplaceFailure> replaceFileContents(const std::string& path,
                                                  std::string_view contents);

// The same for a caller that only reports why; the text says when the old
// contents are lost.
std::optional<std::string> replaceFile(const std::string& path, std::string_view contents);

} // namespace arrowplan
