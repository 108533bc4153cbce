#include "storage/fs_error.h"

#include <cerrno>

namespace zelt {

std::string FsError::message() const {
    std::string text = "Cannot " + action + " \"" + path + "\"";
    if (!target.empty())
        text += " to \"" + target + "\"";
    if (!reason.empty())
        text += ": " + reason;
    return text;
}

bool FsError::isMissing() const {
    return code == ENOENT;
}

} // namespace zelt
