#include "support/crash_harness.h"

#include "storage/whole_file_writer.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zelt::test {

std::optional<std::string> CrashSnapshot::content(const std::string& relative) const {
    const auto found = files.find(relative);
    return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
}

CrashSnapshot snapshotFolder(const std::string& root) {
    CrashSnapshot snapshot;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        const std::string relative = entry.path().generic_string().substr(root.size() + 1);
        if (isTemporaryName(entry.path().filename().string())) {
            snapshot.temporaries.push_back(relative);
        } else {
            std::ifstream in(entry.path(), std::ios::binary);
            snapshot.files[relative].assign(std::istreambuf_iterator<char>(in), {});
        }
    }
    std::sort(snapshot.temporaries.begin(), snapshot.temporaries.end());
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
    int status = 0;
    while (child > 0 && ::waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return ChildEnd::Other;
    if (child > 0 && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        return ChildEnd::Killed;
    if (child > 0 && WIFEXITED(status))
        return WEXITSTATUS(status) == 0 ? ChildEnd::Finished : ChildEnd::FinishedWithFailure;
    return ChildEnd::Other;
}

QStringList oldOrNewFaults(const CrashSnapshot& now, const CrashSnapshot& before,
                           const CrashSnapshot& after) {
    std::set<std::string> paths;
    for (const CrashSnapshot* snapshot : {&now, &before, &after})
        for (const auto& file : snapshot->files)
            paths.insert(file.first);
    QStringList faults;
    for (const std::string& path : paths) {
        const auto current = now.content(path);
        if (current != before.content(path) && current != after.content(path))
            faults << QStringLiteral("%1 is neither old nor new (%2 bytes)")
                          .arg(QString::fromStdString(path))
                          .arg(current ? qsizetype(current->size()) : -1);
    }
    return faults;
}

} // namespace zelt::test
