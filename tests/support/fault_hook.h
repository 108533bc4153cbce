#pragma once

#include "storage/file_system.h"

#include <string>
#include <utility>

namespace zelt::test {

// Installs a file-system fault hook for the life of the object and removes it afterwards, so a
// failing test never leaves faults behind for the next one.
class ScopedFaultHook {
public:
    explicit ScopedFaultHook(fs::FaultHook hook) { fs::setFaultHook(std::move(hook)); }
    ~ScopedFaultHook() { fs::setFaultHook({}); }
    ScopedFaultHook(const ScopedFaultHook&) = delete;
    ScopedFaultHook& operator=(const ScopedFaultHook&) = delete;
};

// A hook that fails every operation of one kind on one path with the given errno.
inline fs::FaultHook failOn(fs::Op op, std::string path, int code) {
    return [op, path = std::move(path), code](fs::Op asked, const std::string& where) {
        return asked == op && where == path ? code : 0;
    };
}

// A hook that fails every operation of one kind, whatever the path, with the given errno.
inline fs::FaultHook failEvery(fs::Op op, int code) {
    return [op, code](fs::Op asked, const std::string&) { return asked == op ? code : 0; };
}

} // namespace zelt::test
