// The program killed in the middle of a save, an export, the files for calculations or a backup
// copy: a child process runs the action and dies by SIGKILL when it asks the storage layer for
// its Nth file operation, for every N the action has, and for every write of a temporary file
// also after part of that write has reached the file. Afterwards every file must hold its
// content from before or from after the action, whole; leftovers of interrupted writes carry
// temporary names only, and clearing them at start-up touches nothing else.

#include "export/calculation_files.h"
#include "export/text_export.h"
#include "storage/app_paths.h"
#include "storage/whole_file_writer.h"
#include "support/crash_harness.h"
#include "support/crash_scenarios.h"
#include "support/test_app.h"
#include "support/test_locales.h"
#include "support/test_registry.h"

#include <QtTest>

#include <filesystem>
#include <fstream>
#include <map>

using namespace zelt;
using namespace zelt::test;

namespace {

const char* opName(fs::Op op) {
    switch (op) {
    case fs::Op::Exists:
        return "exists";
    case fs::Op::CreateFolder:
        return "create folder";
    case fs::Op::Open:
        return "open";
    case fs::Op::Read:
        return "read";
    case fs::Op::Write:
        return "write";
    case fs::Op::Sync:
        return "sync";
    case fs::Op::Length:
        return "length";
    case fs::Op::Rename:
        return "rename";
    case fs::Op::Copy:
        return "copy";
    case fs::Op::Remove:
        return "remove";
    case fs::Op::List:
        return "list";
    }
    return "?";
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// For every write of a temporary file: the path, relative to root, of the file it will become.
// A commit renames the temporary file (the hook is asked with the source, then the target).
std::map<std::string, std::string> temporaryTargets(const std::vector<SeenOperation>& ops,
                                                    const std::string& root) {
    std::map<std::string, std::string> targets;
    for (std::size_t i = 0; i + 1 < ops.size(); ++i)
        if (ops[i].op == fs::Op::Rename && isTemporaryName(fileNameOf(ops[i].path)))
            targets[ops[i].path] = ops[i + 1].path.substr(root.size() + 1);
    return targets;
}

// Partial shares tried for a write of a temporary file: one byte, and half of what is left.
constexpr double kPartialShares[] = {1e-12, 0.5};

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void killedAtEveryOperation_data();
    void killedAtEveryOperation();
    void inPlaceWriteIsCaught();
    void cleanupTestCase();

private:
    // Checks the folder left by one kill, clears its temporary files as start-up does and checks
    // that nothing else changed.
    void checkKilledRun(const std::string& run, const CrashSnapshot& before,
                        const CrashSnapshot& after, const QString& where);

    int kills_ = 0;
    int partialKills_ = 0;
    int leftovers_ = 0;
    int actions_ = 0;
};

void TestCrashSafety::initTestCase() {
    testApp().rules = LocaleRules::dayMonthYearComma();
}

void TestCrashSafety::killedAtEveryOperation_data() {
    QTest::addColumn<int>("scenario");
    const auto& all = crashScenarios();
    for (std::size_t i = 0; i < all.size(); ++i)
        QTest::newRow(all[i].name.c_str()) << static_cast<int>(i);
}

void TestCrashSafety::killedAtEveryOperation() {
    QFETCH(int, scenario);
    const CrashScenario& s = crashScenarios()[static_cast<std::size_t>(scenario)];
    ScratchFolder work;
    const std::string beforeRoot = work.file("before");
    const std::string afterRoot = work.file("after");
    const std::string run = work.file("run");

    buildCrashFolder(beforeRoot, s.sizes, s.outputsExist);
    const CrashSnapshot before = snapshotFolder(beforeRoot);

    // The action run to its end, without a kill: its operations and the files it leaves.
    copyFolder(beforeRoot, afterRoot);
    testApp().dir = afterRoot;
    bool succeeded = false;
    const std::vector<SeenOperation> ops = recordOperations(s.action, &succeeded);
    QVERIFY2(succeeded, "the action fails without any kill");
    const CrashSnapshot after = snapshotFolder(afterRoot);
    QVERIFY(after.temporaries.empty());
    QVERIFY2(after.files != before.files, "the action changes nothing");
    const auto targets = temporaryTargets(ops, afterRoot);

    testApp().dir = run;
    for (std::size_t n = 1; n <= ops.size(); ++n) {
        const SeenOperation& op = ops[n - 1];
        std::vector<KillPoint> points{{n, nullptr, 0}};
        const auto target = targets.find(op.path);
        if (op.op == fs::Op::Write && target != targets.end()) {
            const auto found = after.files.find(target->second);
            QVERIFY(found != after.files.end());
            for (double share : kPartialShares)
                points.push_back({n, &found->second, share});
        }
        for (const KillPoint& point : points) {
            const QString where =
                QStringLiteral("killed at operation %1 of %2 (%3 %4)%5")
                    .arg(n)
                    .arg(ops.size())
                    .arg(QLatin1String(opName(op.op)),
                         QString::fromStdString(op.path.substr(afterRoot.size())),
                         point.partialShare > 0
                             ? QStringLiteral(" after %1 of the write").arg(point.partialShare)
                             : QString());
            copyFolder(beforeRoot, run);
            QCOMPARE(runAndKill(s.action, point), ChildEnd::Killed);
            ++kills_;
            if (point.partialShare > 0)
                ++partialKills_;
            checkKilledRun(run, before, after, where);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Past the last operation the child is not killed and leaves what the action leaves.
    copyFolder(beforeRoot, run);
    QCOMPARE(runAndKill(s.action, {ops.size() + 1, nullptr, 0}), ChildEnd::Finished);
    const CrashSnapshot finished = snapshotFolder(run);
    QVERIFY(finished.files == after.files);
    QVERIFY(finished.temporaries.empty());
    ++actions_;
}

// The check itself: a file rewritten in place (truncated, then written) is seen half done.
void TestCrashSafety::inPlaceWriteIsCaught() {
    ScratchFolder work;
    const std::string run = work.file("run");
    QVERIFY(std::filesystem::create_directories(run + "/output"));
    const std::string target = run + "/output/Sales.txt";
    std::ofstream(target, std::ios::binary) << "the old export";
    const CrashSnapshot before = snapshotFolder(run);
    const auto inPlace = [target] {
        auto file = fs::open(target, fs::OpenMode::WriteNew);
        return file && fs::writeAt(*file, 0, "the new export", 14).ok() && fs::sync(*file).ok();
    };
    QCOMPARE(runAndKill(inPlace, {2, nullptr, 0}), ChildEnd::Killed); // after the open
    const QStringList faults = oldOrNewFaults(snapshotFolder(run), before, before);
    QCOMPARE(faults.size(), 1);
    QVERIFY2(faults.front().startsWith("output/Sales.txt is neither old nor new: 0 bytes"),
             qPrintable(faults.front()));
}

void TestCrashSafety::checkKilledRun(const std::string& run, const CrashSnapshot& before,
                                     const CrashSnapshot& after, const QString& where) {
    const CrashSnapshot now = snapshotFolder(run);
    const QStringList faults = oldOrNewFaults(now, before, after);
    QVERIFY2(faults.isEmpty(), qPrintable(where + QStringLiteral(": ") + faults.join("; ")));
    if (!now.temporaries.empty())
        ++leftovers_;

    for (Folder folder :
         {Folder::Data, Folder::Addinfo, Folder::Comm, Folder::Output, Folder::Backcopies})
        QVERIFY2(removeTemporaryFiles(folderPath(run, folder)).ok(), qPrintable(where));
    const CrashSnapshot cleared = snapshotFolder(run);
    QVERIFY2(cleared.temporaries.empty(), qPrintable(where));
    QVERIFY2(cleared.files == now.files, qPrintable(where + ": clearing touched a real file"));
}

void TestCrashSafety::cleanupTestCase() {
    qInfo("crash safety: %d kills survived (%d of them after a partial write) over %d actions; "
          "%d kills left temporary files, all cleared",
          kills_, partialKills_, actions_, leftovers_);
    if (actions_ == static_cast<int>(crashScenarios().size()))
        QVERIFY2(kills_ >= 1000, "fewer than 1,000 kills over all the actions");
}

ZELT_TEST(TestCrashSafety)
#include "test_crash_safety.moc"
