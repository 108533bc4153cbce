#pragma once

#include "storage/file_system.h"

#include <QStringList>

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Kills a child process in the middle of an action, at a chosen file operation, and compares the
// files it leaves behind with the files before and after the action.
namespace zelt::test {

// Every plain file under a folder, by its path relative to the folder. Leftovers of interrupted
// whole-file writes (temporary names) are kept apart.
struct CrashSnapshot {
    std::map<std::string, std::string> files;
    std::vector<std::string> temporaries;

    std::optional<std::string> content(const std::string& relative) const;
};

CrashSnapshot snapshotFolder(const std::string& root);

// A fresh folder for one test's runs, removed with its content at the end. It lies in memory
// (/dev/shm) where the system has such a folder: a kill leaves the files as it leaves them on a
// disk, and the thousands of runs do not wait for the disk.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // path() + "/" + relative
    std::string file(const std::string& relative) const { return path_ + "/" + relative; }

private:
    std::string path_;
};

// Makes `to` a copy of the folder tree `from` (an existing `to` is removed first).
void copyFolder(const std::string& from, const std::string& to);
void removeFolder(const std::string& path);

// A file operation as the storage layer asked the fault hook for it.
struct SeenOperation {
    fs::Op op;
    std::string path;
};

// Runs the action in this process and lists the file operations it asks for, in order.
std::vector<SeenOperation> recordOperations(const std::function<bool()>& action, bool* succeeded);

// Where the child dies: when it asks for the operation-th file operation (from 1), before that
// operation runs. With a partial write, the operation must be a write of a temporary file; the
// child first appends the next bytes of `expected` to that file (partialShare of the remaining
// bytes, at least one), as a write cut short by the kill would leave it.
struct KillPoint {
    std::size_t operation = 0;
    const std::string* expected = nullptr; // the whole content the temporary file would get
    double partialShare = 0;               // 0: no partial write
};

enum class ChildEnd { Killed, Finished, FinishedWithFailure, Other };

// Forks; the child runs the action with a hook that kills it (SIGKILL) at the kill point. Waits
// for the child and tells how it ended.
ChildEnd runAndKill(const std::function<bool()>& action, const KillPoint& point);

// The faults of a folder left by a killed action: a file that is neither its content before nor
// after the action (a missing file counts as a content), and a file under a real name that
// neither state has.
QStringList oldOrNewFaults(const CrashSnapshot& now, const CrashSnapshot& before,
                           const CrashSnapshot& after);

} // namespace zelt::test
