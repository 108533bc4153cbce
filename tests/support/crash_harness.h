#pragma once

#include "storage/file_system.h"

#include <QStringList>

#include <cstddef>
#include <functional>
#include <map>
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
};

CrashSnapshot snapshotFolder(const std::string& root);

// A file operation as the storage layer asked the fault hook for it.
struct SeenOperation {
    fs::Op op;
    std::string path;
};

// Runs the action in this process and lists the file operations it asks for, in order.
std::vector<SeenOperation> recordOperations(const std::function<bool()>& action, bool* succeeded);

// Where the child dies: when it asks for the operation-th file operation (from 1), before that
// operation runs. With a partial write (a write of a temporary file), the child first appends
// the next bytes of `expected` to that file (partialShare of the remaining bytes, at least one),
// as a write cut short by the kill would leave it.
struct KillPoint {
    std::size_t operation = 0;
    const std::string* expected = nullptr;
    double partialShare = 0; // 0: no partial write
};

enum class ChildEnd { Killed, Finished, Other };

// Forks; the child runs the action with a hook that kills it (SIGKILL) at the kill point.
ChildEnd runAndKill(const std::function<bool()>& action, const KillPoint& point);

// The files of a folder left by a killed action that hold neither their content before nor
// after the action (a missing file counts as a content).
QStringList oldOrNewFaults(const CrashSnapshot& now, const CrashSnapshot& before,
                           const CrashSnapshot& after);

} // namespace zelt::test
