#include "support/crash_harness.h"

#include "storage/whole_file_writer.h"
#include "support/folder_snapshot.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zelt::test {

CrashSnapshot snapshotFolder(const std::string& root) {
    CrashSnapshot snapshot;
    for (auto& [path, bytes] : FolderSnapshot::of(root).files)
        if (isTemporaryName(std::filesystem::path(path).filename().string()))
            snapshot.temporaries.push_back(path);
        else
            snapshot.files[path] = std::move(bytes);
    return snapshot;
}

std::vector<SeenOperation> recordOperations(const std::function<bool()>& action, bool* succeeded) {
    std::vector<SeenOperation> seen;
    fs::setFaultHook([&seen](fs::Op op, const std::string& path) {
        seen.push_back({op, path});
        return 0;
    });
    *succeeded = action();
    fs::setFaultHook({});
    return seen;
}

ChildEnd runAndKill(const std::function<bool()>& action, const KillPoint& point) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::size_t asked = 0;
        fs::setFaultHook([&asked, &point](fs::Op op, const std::string& path) {
            if (++asked != point.operation)
                return 0;
            // Plain system calls: the storage layer's hook is running.
            const int fd = point.partialShare > 0 && op == fs::Op::Write
                               ? ::open(path.c_str(), O_WRONLY | O_CLOEXEC)
                               : -1;
            struct stat info {};
            if (fd >= 0 && ::fstat(fd, &info) == 0 &&
                std::size_t(info.st_size) < point.expected->size()) {
                const std::size_t rest = point.expected->size() - std::size_t(info.st_size);
                const auto part = std::clamp<std::size_t>(
                    static_cast<std::size_t>(static_cast<double>(rest) * point.partialShare), 1,
                    rest);
                (void)::pwrite(fd, point.expected->data() + info.st_size, part, info.st_size);
            }
            ::raise(SIGKILL);
            return 0;
        });
        ::_exit(action() ? 0 : 1);
    }
    int status = -1; // no child, or none waited for: neither killed nor finished
    while (child > 0 && ::waitpid(child, &status, 0) < 0 && errno == EINTR)
        status = -1;
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        return ChildEnd::Killed;
    return child > 0 && status == 0 ? ChildEnd::Finished : ChildEnd::Other;
}

QStringList oldOrNewFaults(const CrashSnapshot& now, const CrashSnapshot& before,
                           const CrashSnapshot& after) {
    const auto content = [](const CrashSnapshot& snapshot, const std::string& path) {
        const auto found = snapshot.files.find(path);
        return found == snapshot.files.end() ? std::nullopt : std::optional(found->second);
    };
    QStringList faults;
    for (const CrashSnapshot* snapshot : {&now, &before, &after})
        for (const auto& [path, bytes] : snapshot->files)
            if (content(now, path) != content(before, path) &&
                content(now, path) != content(after, path) && !faults.contains(path.c_str()))
                faults << QString::fromStdString(path);
    return faults;
}

} // namespace zelt::test
