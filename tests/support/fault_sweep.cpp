#include "support/fault_sweep.h"

#include "storage/file_system.h"
#include "storage/whole_file_writer.h"
#include "support/fault_hook.h"
#include "support/folder_snapshot.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "support/test_app.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace zelt::test {

namespace {

struct Operation {
    fs::Op op;
    std::string path; // as the file layer was asked
};

const char* opName(fs::Op op) {
    switch (op) {
    case fs::Op::Exists:
        return "Exists";
    case fs::Op::CreateFolder:
        return "CreateFolder";
    case fs::Op::Open:
        return "Open";
    case fs::Op::Read:
        return "Read";
    case fs::Op::Write:
        return "Write";
    case fs::Op::Sync:
        return "Sync";
    case fs::Op::Length:
        return "Length";
    case fs::Op::Rename:
        return "Rename";
    case fs::Op::Copy:
        return "Copy";
    case fs::Op::Remove:
        return "Remove";
    case fs::Op::List:
        return "List";
    }
    return "?";
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isTemporary(const std::string& path) {
    return isTemporaryName(baseName(path));
}

// A path relative to the program's folder, with a temporary file's random name made fixed, so
// that the operations of two runs in two folders compare equal.
std::string normalised(const std::string& path, const std::string& root) {
    std::string relative = path.starts_with(root) ? path.substr(root.size()) : path;
    if (isTemporary(relative))
        relative = relative.substr(0, relative.size() - baseName(relative).size()) + "<tmp>";
    return relative;
}

QString describe(const Operation& operation, const std::string& root) {
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(opName(operation.op)),
                                       QString::fromStdString(normalised(operation.path, root)));
}

// The file the operator knows an operation by: a temporary file stands for the file that it
// replaces when it is renamed (the next rename with it as source names the target).
std::string fileMeant(const std::vector<Operation>& log, std::size_t index) {
    const std::string& path = log[index].path;
    if (!isTemporary(path))
        return path;
    for (std::size_t k = index; k + 1 < log.size(); ++k)
        if (log[k].op == fs::Op::Rename && log[k].path == path && log[k + 1].op == fs::Op::Rename)
            return log[k + 1].path;
    return path;
}

// Runs a phase with a message queue that expects nothing; returns the messages shown.
QStringList quietly(const std::function<void()>& step) {
    MessageCapture messages;
    if (step)
        step();
    QCoreApplication::processEvents();
    return messages.shown();
}

QString joined(const QStringList& lines) {
    return lines.join(QStringLiteral("; "));
}

struct CleanRun {
    std::vector<Operation> log;
    std::string root;
    FolderSnapshot after;
};

CleanRun runClean(const SweepAction& action,
                  const std::function<void(const QString&, const QString&)>& problem) {
    CleanRun reference;
    TempAppDir dir;
    testApp().dir = dir.path();
    reference.root = dir.path();
    if (const QStringList shown = quietly(action.prepare); !shown.isEmpty())
        problem(QStringLiteral("preparing"), QStringLiteral("messages ") + joined(shown));
    QStringList shown;
    {
        ScopedFaultHook counting([&](fs::Op op, const std::string& path) {
            reference.log.push_back({op, path});
            return 0;
        });
        shown = quietly(action.run);
    }
    if (!shown.isEmpty())
        problem(QStringLiteral("clean run"), QStringLiteral("messages ") + joined(shown));
    if (action.done)
        if (const QString why = action.done(); !why.isEmpty())
            problem(QStringLiteral("clean run"), why);
    reference.after = FolderSnapshot::of(dir.path());
    quietly(action.finish);
    return reference;
}

// Every file as before, or, where the action may have completed it, as the clean run leaves it
// (a file the clean run removes may be gone); folders that the clean run makes may be there.
void checkLeftovers(const SweepAction& action, const FolderSnapshot& before,
                    const FolderSnapshot& clean, const FolderSnapshot& after,
                    const std::function<void(const QString&)>& problem) {
    auto state = [](const FolderSnapshot& snapshot, const std::string& path) {
        const auto found = snapshot.files.find(path);
        return found == snapshot.files.end() ? std::optional<std::string>()
                                             : std::optional<std::string>(found->second);
    };
    std::set<std::string> paths;
    for (const FolderSnapshot* snapshot : {&before, &after})
        for (const auto& [path, bytes] : snapshot->files)
            paths.insert(path);
    for (const std::string& path : paths) {
        const auto now = state(after, path);
        if (now == state(before, path))
            continue;
        if (action.mayBeNew.contains(path) && now == state(clean, path))
            continue;
        const QString name = QString::fromStdString(path);
        if (!now)
            problem(QStringLiteral("lost file ") + name);
        else if (!state(before, path))
            problem(QStringLiteral("new file ") + name);
        else
            problem(QStringLiteral("changed file ") + name);
    }
    for (const std::string& folder : after.folders)
        if (!before.folders.contains(folder) && !clean.folders.contains(folder))
            problem(QStringLiteral("new folder ") + QString::fromStdString(folder));
    for (const std::string& folder : before.folders)
        if (!after.folders.contains(folder))
            problem(QStringLiteral("lost folder ") + QString::fromStdString(folder));
}

} // namespace

SweepOutcome sweepFaults(const SweepAction& action) {
    SweepOutcome outcome;
    auto problem = [&](const QString& where, const QString& what) {
        outcome.problems << QStringLiteral("%1, %2: %3").arg(action.name, where, what);
    };

    // The clean run: the operations the action performs and what it leaves behind.
    const CleanRun reference = runClean(action, problem);
    const std::vector<Operation>& cleanLog = reference.log;
    const std::string& cleanRoot = reference.root;
    const FolderSnapshot& cleanAfter = reference.after;
    outcome.operations = static_cast<int>(cleanLog.size());

    for (std::size_t i = 0; i < cleanLog.size(); ++i) {
        const int code = i % 2 == 0 ? EIO : ENOSPC;
        const QString where =
            QStringLiteral("fault %1 (%2, %3)")
                .arg(i)
                .arg(describe(cleanLog[i], cleanRoot), QString::fromLatin1(std::strerror(code)));
        TempAppDir dir;
        testApp().dir = dir.path();
        if (const QStringList shown = quietly(action.prepare); !shown.isEmpty())
            problem(where, QStringLiteral("preparing showed ") + joined(shown));
        const FolderSnapshot before = FolderSnapshot::of(dir.path());

        std::vector<Operation> log;
        QStringList shown;
        {
            ScopedFaultHook failing([&](fs::Op op, const std::string& path) {
                log.push_back({op, path});
                return log.size() == i + 1 ? code : 0;
            });
            shown = quietly(action.run);
        }
        ++outcome.faults;

        if (log.size() <= i) {
            problem(where, QStringLiteral("the operation never came"));
        } else if (normalised(log[i].path, dir.path()) != normalised(cleanLog[i].path, cleanRoot) ||
                   log[i].op != cleanLog[i].op) {
            problem(where,
                    QStringLiteral("a different operation came: ") + describe(log[i], dir.path()));
        } else {
            // One message, naming the file and the system's reason.
            // The run stopped at the fault: the clean run tells which file a temporary
            // one stood for.
            const std::string meant = fileMeant(cleanLog, i);
            const QString file = QString::fromStdString(
                isTemporary(meant) ? log[i].path : dir.path() + meant.substr(cleanRoot.size()));
            const QString reason = QString::fromLatin1(std::strerror(code));
            if (shown.size() != 1)
                problem(where,
                        QStringLiteral("%1 messages: %2").arg(shown.size()).arg(joined(shown)));
            else if (!shown[0].contains(file) || !shown[0].contains(reason))
                problem(where, QStringLiteral("the message \"%1\" does not name \"%2\" and \"%3\"")
                                   .arg(shown[0], file, reason));
        }

        checkLeftovers(action, before, cleanAfter, FolderSnapshot::of(dir.path()),
                       [&](const QString& what) { problem(where, what); });

        // The fault gone, the same action in the same windows ends as the clean run.
        if (const QStringList again = quietly(action.retry ? action.retry : action.run);
            !again.isEmpty())
            problem(where, QStringLiteral("the retry showed ") + joined(again));
        if (action.done)
            if (const QString why = action.done(); !why.isEmpty())
                problem(where, QStringLiteral("after the retry: ") + why);
        if (const QStringList diff = differences(cleanAfter, FolderSnapshot::of(dir.path()));
            !diff.isEmpty())
            problem(where, QStringLiteral("after the retry: ") + joined(diff));
        quietly(action.finish);
    }
    testApp().dir.clear();
    return outcome;
}

} // namespace zelt::test

namespace zelt::test {

SweepOutcome blockedEntry(const SweepAction& action, const std::string& relative, Blocker blocker) {
    namespace stdfs = std::filesystem;
    SweepOutcome outcome;
    const QString where = QStringLiteral("%1 in place of %2")
                              .arg(blocker == Blocker::PlainFile ? QStringLiteral("a plain file")
                                                                 : QStringLiteral("a folder"),
                                   QString::fromStdString(relative));
    auto problem = [&](const QString& step, const QString& what) {
        outcome.problems << QStringLiteral("%1, %2, %3: %4").arg(action.name, where, step, what);
    };
    const CleanRun reference = runClean(action, problem);

    TempAppDir dir;
    testApp().dir = dir.path();
    if (const QStringList shown = quietly(action.prepare); !shown.isEmpty())
        problem(QStringLiteral("preparing"), QStringLiteral("messages ") + joined(shown));
    // The entry the program made or holds goes aside, so that it can come back whole.
    TempAppDir aside;
    const stdfs::path entry = stdfs::path(dir.path()) / relative;
    const stdfs::path kept = stdfs::path(aside.path()) / "entry";
    const bool existed = stdfs::exists(entry);
    if (existed)
        stdfs::rename(entry, kept);
    if (blocker == Blocker::PlainFile)
        std::ofstream(entry, std::ios::binary) << "in the way\n";
    else
        stdfs::create_directory(entry);
    const FolderSnapshot before = FolderSnapshot::of(dir.path());

    const QStringList shown = quietly(action.run);
    outcome.faults = 1;
    const QString path = QString::fromStdString(entry.string());
    bool reasonGiven = false;
    for (int code : {EEXIST, ENOTDIR, EISDIR})
        reasonGiven = reasonGiven || (shown.size() == 1 &&
                                      shown[0].contains(QString::fromLatin1(std::strerror(code))));
    if (shown.size() != 1)
        problem(QStringLiteral("run"),
                QStringLiteral("%1 messages: %2").arg(shown.size()).arg(joined(shown)));
    else if (!shown[0].contains(path) || !reasonGiven)
        problem(QStringLiteral("run"),
                QStringLiteral("the message \"%1\" does not name the entry and the reason")
                    .arg(shown[0]));
    checkLeftovers(action, before, reference.after, FolderSnapshot::of(dir.path()),
                   [&](const QString& what) { problem(QStringLiteral("run"), what); });

    stdfs::remove_all(entry);
    if (existed)
        stdfs::rename(kept, entry);
    if (const QStringList again = quietly(action.retry ? action.retry : action.run);
        !again.isEmpty())
        problem(QStringLiteral("retry"), QStringLiteral("messages ") + joined(again));
    if (action.done)
        if (const QString why = action.done(); !why.isEmpty())
            problem(QStringLiteral("retry"), why);
    if (const QStringList diff = differences(reference.after, FolderSnapshot::of(dir.path()));
        !diff.isEmpty())
        problem(QStringLiteral("retry"), joined(diff));
    quietly(action.finish);
    testApp().dir.clear();
    return outcome;
}

} // namespace zelt::test
