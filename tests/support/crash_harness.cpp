#include "support/crash_harness.h"

#include "storage/whole_file_writer.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace zelt::test {

namespace {

namespace stdfs = std::filesystem;

std::string readPlain(const stdfs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Appends the next bytes of the expected content to the temporary file, as the write that the
// kill interrupts would have begun to do. Plain system calls: the storage layer's hook is running.
void writePartially(const std::string& path, const std::string& expected, double share) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info {};
    if (::fstat(fd, &info) == 0) {
        const auto written = static_cast<std::size_t>(info.st_size);
        if (written < expected.size()) {
            const std::size_t rest = expected.size() - written;
            const auto part = std::clamp<std::size_t>(
                static_cast<std::size_t>(static_cast<double>(rest) * share), 1, rest);
            (void)::pwrite(fd, expected.data() + written, part, static_cast<off_t>(written));
        }
    }
    ::close(fd);
}

QString describe(const std::optional<std::string>& content) {
    return content ? QStringLiteral("%1 bytes").arg(content->size()) : QStringLiteral("missing");
}

// The first byte where the content differs from both the old and the new one.
std::size_t firstForeignByte(const std::string& now, const std::optional<std::string>& before,
                             const std::optional<std::string>& after) {
    for (std::size_t i = 0; i < now.size(); ++i) {
        const bool likeBefore = before && i < before->size() && (*before)[i] == now[i];
        const bool likeAfter = after && i < after->size() && (*after)[i] == now[i];
        if (!likeBefore && !likeAfter)
            return i;
    }
    return now.size();
}

} // namespace

std::optional<std::string> CrashSnapshot::content(const std::string& relative) const {
    const auto found = files.find(relative);
    if (found == files.end())
        return std::nullopt;
    return found->second;
}

CrashSnapshot snapshotFolder(const std::string& root) {
    CrashSnapshot snapshot;
    for (const auto& entry : stdfs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        const std::string relative = entry.path().generic_string().substr(root.size() + 1);
        if (isTemporaryName(entry.path().filename().string()))
            snapshot.temporaries.push_back(relative);
        else
            snapshot.files.emplace(relative, readPlain(entry.path()));
    }
    std::sort(snapshot.temporaries.begin(), snapshot.temporaries.end());
    return snapshot;
}

ScratchFolder::ScratchFolder() {
    std::error_code ignored;
    const bool inMemory =
        stdfs::is_directory("/dev/shm", ignored) && ::access("/dev/shm", W_OK) == 0;
    std::string pattern = std::string(inMemory ? "/dev/shm" : "/tmp") + "/zelt-crash-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch folder");
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    removeFolder(path_);
}

void copyFolder(const std::string& from, const std::string& to) {
    removeFolder(to);
    stdfs::copy(from, to, stdfs::copy_options::recursive);
}

void removeFolder(const std::string& path) {
    std::error_code ignored;
    stdfs::remove_all(path, ignored);
}

std::vector<SeenOperation> recordOperations(const std::function<bool()>& action, bool* succeeded) {
    std::vector<SeenOperation> seen;
    fs::setFaultHook([&seen](fs::Op op, const std::string& path) {
        seen.push_back({op, path});
        return 0;
    });
    const bool ok = action();
    fs::setFaultHook({});
    if (succeeded)
        *succeeded = ok;
    return seen;
}

ChildEnd runAndKill(const std::function<bool()>& action, const KillPoint& point) {
    const pid_t child = ::fork();
    if (child < 0)
        return ChildEnd::Other;
    if (child == 0) {
        std::size_t asked = 0;
        fs::setFaultHook([&asked, &point](fs::Op op, const std::string& path) {
            if (++asked == point.operation) {
                if (point.partialShare > 0 && op == fs::Op::Write && point.expected)
                    writePartially(path, *point.expected, point.partialShare);
                ::raise(SIGKILL);
            }
            return 0;
        });
        ::_exit(action() ? 0 : 1);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return ChildEnd::Other;
    }
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        return ChildEnd::Killed;
    if (WIFEXITED(status))
        return WEXITSTATUS(status) == 0 ? ChildEnd::Finished : ChildEnd::FinishedWithFailure;
    return ChildEnd::Other;
}

QStringList oldOrNewFaults(const CrashSnapshot& now, const CrashSnapshot& before,
                           const CrashSnapshot& after) {
    std::set<std::string> paths;
    for (const CrashSnapshot* snapshot : {&now, &before, &after})
        for (const auto& [path, bytes] : snapshot->files)
            paths.insert(path);

    QStringList faults;
    for (const std::string& path : paths) {
        const auto current = now.content(path);
        const auto old = before.content(path);
        const auto fresh = after.content(path);
        if (current == old || current == fresh)
            continue;
        const QString name = QString::fromStdString(path);
        if (!current)
            faults << QStringLiteral("%1 is missing (before: %2, after: %3)")
                          .arg(name, describe(old), describe(fresh));
        else if (!old && !fresh)
            faults << QStringLiteral("%1 appeared under a real name (%2)")
                          .arg(name, describe(current));
        else
            faults << QStringLiteral("%1 is neither old nor new: %2 (before: %3, after: %4), "
                                     "first foreign byte at %5")
                          .arg(name, describe(current), describe(old), describe(fresh))
                          .arg(firstForeignByte(*current, old, fresh));
    }
    return faults;
}

} // namespace zelt::test
