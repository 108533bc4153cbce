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
#include <optional>
#include <vector>

namespace zelt::test {

namespace {

struct Operation {
    fs::Op op;
    std::string path; // as the file layer was asked
};

bool isTemporary(const std::string& path) {
    return isTemporaryName(std::filesystem::path(path).filename().string());
}

// The file the operator knows an operation by: a temporary file stands for the file that it
// replaces when it is renamed (the next rename with it as source names the target).
std::string fileMeant(const std::vector<Operation>& log, std::size_t index) {
    for (std::size_t k = index; isTemporary(log[index].path) && k + 1 < log.size(); ++k)
        if (log[k].op == fs::Op::Rename && log[k].path == log[index].path &&
            log[k + 1].op == fs::Op::Rename)
            return log[k + 1].path;
    return log[index].path;
}

// Runs a step with a message queue that expects nothing; returns the messages shown.
QStringList quietly(const std::function<void()>& step) {
    MessageCapture messages;
    step();
    QCoreApplication::processEvents();
    return messages.shown();
}

struct Run {
    SweepOutcome* outcome;
    const SweepAction& action;
    void problem(const QString& where, const QString& what) const {
        outcome->problems << QStringLiteral("%1, %2: %3").arg(action.name, where, what);
    }
    void quiet(const QString& where, const std::function<void()>& step) const {
        if (const QStringList shown = quietly(step); !shown.isEmpty())
            problem(where, QStringLiteral("messages ") + shown.join(QStringLiteral("; ")));
    }
    void checkDone(const QString& where) const {
        if (action.done)
            if (const QString why = action.done(); !why.isEmpty())
                problem(where, why);
    }
    // The clean run: the operations the action performs and what it leaves behind.
    FolderSnapshot clean(std::vector<Operation>* log) const {
        TempAppDir dir;
        testApp().dir = dir.path();
        quiet(QStringLiteral("preparing"), action.prepare);
        {
            ScopedFaultHook counting([&](fs::Op op, const std::string& path) {
                log->push_back({op, path});
                return 0;
            });
            quiet(QStringLiteral("clean run"), action.run);
        }
        checkDone(QStringLiteral("clean run"));
        FolderSnapshot after = FolderSnapshot::of(dir.path());
        quietly(action.finish);
        return after;
    }
    // Every file as before, or, where the action may have completed it, as the clean run
    // leaves it; folders that the clean run makes may be there.
    void checkLeftovers(const QString& where, FolderSnapshot expected,
                        const FolderSnapshot& clean) const {
        const FolderSnapshot after = FolderSnapshot::of(testApp().dir);
        auto state = [](const FolderSnapshot& snapshot, const std::string& path) {
            const auto found = snapshot.files.find(path);
            return found == snapshot.files.end() ? std::optional<std::string>() : found->second;
        };
        for (const std::string& path : action.mayBeNew)
            if (const auto bytes = state(after, path); bytes == state(clean, path)) {
                expected.files.erase(path);
                if (bytes)
                    expected.files[path] = *bytes;
            }
        for (const std::string& folder : clean.folders)
            if (after.folders.contains(folder))
                expected.folders.insert(folder);
        for (const QString& line : differences(expected, after))
            problem(where, line);
    }
    // The fault gone, the same action in the same windows ends as the clean run.
    void retry(const QString& where, const FolderSnapshot& clean) const {
        quiet(where + QStringLiteral(", retry"), action.retry ? action.retry : action.run);
        checkDone(where + QStringLiteral(", retry"));
        if (const QStringList diff = differences(clean, FolderSnapshot::of(testApp().dir));
            !diff.isEmpty())
            problem(where + QStringLiteral(", retry"), diff.join(QStringLiteral("; ")));
        quietly(action.finish);
    }
};

} // namespace

SweepOutcome sweepFaults(const SweepAction& action) {
    SweepOutcome outcome;
    const Run sweep{&outcome, action};
    std::vector<Operation> cleanLog;
    const FolderSnapshot cleanAfter = sweep.clean(&cleanLog);
    const std::string cleanRoot = testApp().dir; // the clean run's folder, gone
    for (std::size_t i = 0; i < cleanLog.size(); ++i) {
        const int code = i % 2 == 0 ? EIO : ENOSPC;
        const QString where = QStringLiteral("fault %1 (op %2 on %3, %4)")
                                  .arg(i)
                                  .arg(int(cleanLog[i].op))
                                  .arg(QString::fromStdString(cleanLog[i].path),
                                       QString::fromLatin1(std::strerror(code)));
        TempAppDir dir;
        testApp().dir = dir.path();
        sweep.quiet(where + QStringLiteral(", preparing"), action.prepare);
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
            sweep.problem(where, QStringLiteral("the operation never came"));
        } else {
            // The run stopped at the fault: the clean run tells which file a temporary one
            // stood for.
            const std::string meant = fileMeant(cleanLog, i);
            // One message, naming the file and the system's reason.
            const QString file = QString::fromStdString(
                isTemporary(meant) ? log[i].path : dir.path() + meant.substr(cleanRoot.size()));
            if (shown.size() != 1 || !shown[0].contains(file) ||
                !shown[0].contains(QString::fromLatin1(std::strerror(code))))
                sweep.problem(where,
                              QStringLiteral("shown \"%1\", not one message naming %2 and why")
                                  .arg(shown.join(QStringLiteral("; ")), file));
        }
        sweep.checkLeftovers(where, before, cleanAfter);
        sweep.retry(where, cleanAfter);
    }
    testApp().dir.clear();
    return outcome;
}

} // namespace zelt::test
