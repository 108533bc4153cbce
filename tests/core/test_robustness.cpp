// What the program's files survive: a kill in the middle of any file operation of a save, an
// export, the files for calculations or a backup; damaged data files of random bytes; and the
// fuzzers' corpus run through the fuzzers' own checks.
#include "checks_compare.h"
#include "checks_record.h"
#include "checks_side_text.h"
#include "core_fixture.h"
#include "search/communication_search.h"
#include "search/member_search.h"
#include "search/sale_search.h"
#include "storage/record_kind.h"
#include "storage/side_text.h"
#include "storage/whole_file_writer.h"
#include "support/crash_harness.h"

#include <QDir>

#include <filesystem>
#include <random>

using namespace zelt;

namespace {

// The kinds of record in the order the rows name them (0 to 4).
const RecordKind kKinds[] = {RecordKind::Members, RecordKind::Sales, RecordKind::Payments,
                             RecordKind::Communications, RecordKind::Schemes};

std::string kindFile(const std::string& root, Folder folder, int kind) {
    return filePath(root, folder, std::string(recordKindInfo(kKinds[kind]).dataFile));
}

// Record n of a kind as first stored (generation 0) and saved again (1): bytes of a pattern.
RecordBytes recordOf(int kind, int n, int generation) {
    RecordBytes record(static_cast<std::size_t>(recordKindInfo(kKinds[kind]).recordLength));
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<std::uint8_t>((n * 31 + int(i) * 7 + generation * 13 + kind) % 251);
    return record;
}

// The side texts of record n of a kind, of a generation, written as the program writes them.
bool writeSideTexts(const std::string& root, int kind, int n, int generation) {
    bool ok = true;
    for (const SideTextFile& side : recordKindInfo(kKinds[kind]).sideTexts) {
        const std::string path = sideFilePath(root, kKinds[kind], side.text, n);
        ok = ok && writeSideText(path, "Text of " + path.substr(root.size()) +
                                           (generation ? ", saved again" : "") + "\r\nsecond line")
                       .ok();
    }
    return ok;
}

// A program folder with the given number of records in each data file (none: no file), the side
// texts of the first 50 records and, with outputs, an earlier output of every kind.
void buildFolder(const std::string& root, const QList<int>& sizes, bool outputs) {
    for (Folder folder :
         {Folder::Data, Folder::Addinfo, Folder::Comm, Folder::Output, Folder::Backcopies})
        if (outputs || (folder != Folder::Output && folder != Folder::Backcopies))
            std::filesystem::create_directories(folderPath(root, folder));
    for (int k = 0; k < 5; ++k) {
        std::string bytes;
        for (int n = 1; n <= sizes[k]; ++n) {
            const RecordBytes record = recordOf(k, n, 0);
            bytes.append(record.begin(), record.end());
            QVERIFY(n > 50 || writeSideTexts(root, k, n, 0));
        }
        if (sizes[k] >= 0)
            test::writePlain(kindFile(root, Folder::Data, k), bytes);
        if (sizes[k] >= 0 && outputs)
            test::writePlain(kindFile(root, Folder::Backcopies, k), "An earlier copy");
    }
    for (const char* name :
         {"affiliates.txt", "Sales.txt", "Payments.txt", "communications.txt", "APsettings.txt",
          "members.clc", "sales.clc", "payments.clc", "settings.clc"})
        if (outputs)
            test::writePlain(filePath(root, Folder::Output, name),
                             std::string("An earlier ") + name);
}

// An action as the program performs it on the folder in use: "save K N" (an editor's save of
// record N of kind K with its side texts), "export K FIRST LAST", "back up K" (an editor's
// closing) or "calculations".
std::function<bool()> actionOf(const std::string& root, const QString& action) {
    const QStringList w = action.split(' ');
    const int k = w.value(w[0] == "back" ? 2 : 1).toInt(), n = w.value(2).toInt();
    if (w[0] == "save")
        return [=] {
            auto data = RecordFile::open(kindFile(root, Folder::Data, k),
                                         recordKindInfo(kKinds[k]).recordLength);
            return data && data->write(n, recordOf(k, n, 1)).ok() && writeSideTexts(root, k, n, 1);
        };
    if (w[0] == "export")
        return [=] { return saveRecords(testApp(), kKinds[k], n, w[3].toInt()).ok(); };
    if (w[0] == "back")
        return [=] {
            return ensureFolder(root, Folder::Backcopies).ok() &&
                   copyFileReplacing(kindFile(root, Folder::Data, k),
                                     kindFile(root, Folder::Backcopies, k))
                       .ok();
        };
    return [] { return createFilesForCalculations(testApp()).ok(); };
}

RecordFile reading(const std::string& path, int length) {
    return std::move(*RecordFile::openForReading(path, length));
}

void readEveryCellSorted(ResultTable& table) {
    for (int column = -1; column < table.columnCount(); ++column) {
        table.sortByColumn(column);
        for (int c = 0; c < table.columnCount(); ++c)
            for (int r = 0; r < table.rowCount(); ++r)
                QVERIFY(table.cell(r, c).size() < 1000);
    }
}

} // namespace

class RobustnessTest : public QObject {
    Q_OBJECT

    int kills_ = 0;

private slots:
    void cleanupTestCase() { qInfo("crash safety: %d kills survived", kills_); }

    // Every action on folders of several sizes: data files missing, empty, of 1 and 4 records
    // (with earlier outputs), and files larger than a write block.
    void killedAtEveryOperation_data() {
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QString>("action");
        for (const QList<int>& sizes : QList<QList<int>>{
                 {-1, -1, -1, -1, -1}, {0, 0, 0, 0, 0}, {1, 1, 1, 1, 1}, {4, 4, 4, 4, 3}}) {
            QStringList actions{"calculations"};
            for (int k = 0; k < 5; ++k) {
                const int count = sizes[k];
                if (count >= 1)
                    actions << QString("save %1 %2").arg(k).arg((count + 1) / 2)
                            << QString("export %1 %2 %2").arg(k).arg(count)
                            << QString("back up %1").arg(k);
                if (count >= 0) // an editor creates its data file when it opens
                    actions << QString("save %1 %2").arg(k).arg(count + 1);
                if (count != 1) // all of one record: the export of that record above
                    actions << QString("export %1 1 %2").arg(k).arg(std::max(count, 0));
            }
            for (const QString& action : actions)
                QTest::addRow("%d records: %s", sizes[0], qPrintable(action)) << sizes << action;
        }
        for (const char* action : {"export 1 1 70000", "back up 1", "calculations"})
            QTest::addRow("70000 sales: %s", action)
                << QList<int>{-1, 70000, -1, -1, -1} << QString(action);
    }
    // A child process runs the action and dies by SIGKILL when it asks the storage layer for its
    // Nth file operation, for every N the action has, and for every write of a temporary file
    // also after part of that write reached the file. Every file must then hold its content from
    // before or after the action; leftovers carry temporary names, and clearing them at start-up
    // touches nothing else. The folders of 4 records and of 70000 sales hold earlier outputs.
    void killedAtEveryOperation() {
        QFETCH(QList<int>, sizes);
        QFETCH(QString, action);
        test::TempAppDir work;
        const std::string before = work.file("before"), after = work.file("after"),
                          run = work.file("run");
        buildFolder(before, sizes, sizes[0] == 4 || sizes[1] > 4);
        const test::CrashSnapshot old = test::snapshotFolder(before);
        std::filesystem::copy(before, after, std::filesystem::copy_options::recursive);
        test::useProgramFolder(after, LocaleRules::dayMonthYearComma());
        bool succeeded = false;
        const auto ops = test::recordOperations(actionOf(after, action), &succeeded);
        const test::CrashSnapshot fresh = test::snapshotFolder(after);
        QVERIFY(succeeded && fresh.temporaries.empty() && fresh.files != old.files);
        // A commit renames the temporary file: the hook sees the source, then the target.
        std::map<std::string, std::string> targets;
        for (std::size_t i = 0; i + 1 < ops.size(); ++i)
            if (ops[i].op == fs::Op::Rename &&
                isTemporaryName(std::filesystem::path(ops[i].path).filename().string()))
                targets[ops[i].path] = ops[i + 1].path.substr(after.size() + 1);
        test::useProgramFolder(run, LocaleRules::dayMonthYearComma());
        for (std::size_t n = 1; n <= ops.size() + 1; ++n) {
            std::vector<test::KillPoint> points{{n, nullptr, 0}};
            const auto target = n <= ops.size() ? targets.find(ops[n - 1].path) : targets.end();
            if (target != targets.end() && ops[n - 1].op == fs::Op::Write)
                for (double share : {1e-12, 0.5}) // one byte, and half of what is left
                    points.push_back({n, &fresh.files.at(target->second), share});
            for (const test::KillPoint& point : points) {
                std::filesystem::remove_all(run);
                std::filesystem::copy(before, run, std::filesystem::copy_options::recursive);
                const bool past = n > ops.size(); // past the last operation: no kill
                QCOMPARE(test::runAndKill(actionOf(run, action), point),
                         past ? test::ChildEnd::Finished : test::ChildEnd::Killed);
                const test::CrashSnapshot now = test::snapshotFolder(run);
                const QStringList faults = test::oldOrNewFaults(now, old, fresh);
                const QString where =
                    QString::asprintf("killed at operation %zu of %zu, partial %g", n, ops.size(),
                                      point.partialShare);
                QVERIFY2(faults.isEmpty(),
                         qPrintable(where + ": neither old nor new: " + faults.join(", ")));
                QVERIFY(!past || (now.files == fresh.files && now.temporaries.empty()));
                for (Folder folder : {Folder::Data, Folder::Addinfo, Folder::Comm, Folder::Output,
                                      Folder::Backcopies})
                    QVERIFY(removeTemporaryFiles(folderPath(run, folder)).ok());
                const test::CrashSnapshot cleared = test::snapshotFolder(run);
                QVERIFY2(cleared.temporaries.empty() && cleared.files == now.files,
                         qPrintable(where));
                kills_ += past ? 0 : 1;
            }
        }
    }

    // Random bytes in every data and side file, lengths that are no whole number of records:
    // searching, sorting, exporting and the files for calculations never crash and never change
    // a data or side file.
    void damagedFiles_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed = 1; seed <= 40; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }
    void damagedFiles() {
        QFETCH(unsigned, seed);
        std::mt19937 random(seed);
        const int records = static_cast<int>(seed % 5 == 0 ? 0 : seed * 3 % 17);
        const int extra = static_cast<int>(seed % 4) - 2 + (seed % 8 == 0 ? 2 : 0);
        const test::ProgramFolder folder;
        const auto randomBytes = [&](std::size_t size) {
            std::string out(size, '\0');
            for (char& c : out)
                c = static_cast<char>(random());
            return out;
        };
        for (const RecordKind kind : kKinds) {
            const RecordKindInfo& info = recordKindInfo(kind);
            const int length = info.recordLength;
            std::string bytes =
                randomBytes(std::size_t(records * length + (extra == -2   ? length / 2
                                                            : extra == -1 ? length - 1
                                                                          : extra)));
            // Numbers hardest to show: NaN, infinities, dates far outside the calendar, as
            // doubles and as the high half of one (a single).
            const double hard[] = {NAN,    INFINITY, -INFINITY, 1e300,
                                   -1e300, -657435,  2958466,   5e-324};
            for (std::size_t i = 0; bytes.size() >= 8 && i < bytes.size() / 40 + 1; ++i) {
                std::uint8_t raw[8];
                field::putDouble(raw, hard[random() % 8]);
                bytes.replace(random() % (bytes.size() - 7), i % 2 ? 8 : 4,
                              reinterpret_cast<const char*>(raw) + (i % 2 ? 0 : 4), i % 2 ? 8 : 4);
            }
            folder.write(Folder::Data, std::string(info.dataFile), bytes);
            for (int n = 1; n <= records + 1; ++n)
                for (const SideTextFile& side : info.sideTexts)
                    folder.write(side.folder, std::string(side.prefix) + std::to_string(n) + ".txt",
                                 randomBytes(n * 6));
        }
        const auto stored = [&] {
            auto files = test::snapshotFolder(folder.path()).files;
            std::erase_if(files, [](const auto& f) { return f.first.starts_with("output/"); });
            return files;
        };
        const auto before = stored();
        const LocaleRules rules = LocaleRules::dayMonthYearComma();
        auto members = reading(folder.file(Folder::Data, "affiliates.kvr"), 211);
        const std::int32_t memberCount = *members.count();
        QCOMPARE(*countMembers(testApp().dir), memberCount);
        for (const MemberFilters& filters :
             {MemberFilters{"a", "b", "c", "", ""}, {"", "", "", "0", "-1"}})
            readEveryCellSorted(*searchMembers(members, memberCount + 1, filters, rules).table);
        for (const char* name : {"sales.kvr", "payments.kvr"}) {
            auto sales = reading(folder.file(Folder::Data, name), 16);
            readEveryCellSorted( // blank filters: every record listed
                *searchSales(sales, *sales.count(), " ", " ", SaleGridKind::Sales, rules).table);
        }
        auto communications = reading(folder.file(Folder::Data, "communications.kvr"), 50);
        for (const CommunicationFilters& filters :
             {CommunicationFilters{"0", "a", "", ""}, {"", "", "16.11.2001", "31.12.9999"}})
            readEveryCellSorted(
                *searchCommunications(communications, *communications.count(), filters, rules)
                     .table);
        for (const RecordKind kind : kKinds)
            for (auto [first, last] :
                 {std::pair{1, records + 1}, std::pair{records, records}, std::pair{0, 0}})
                QVERIFY(saveRecords(testApp(), kind, first, last).ok());
        QVERIFY(createFilesForCalculations(testApp()).ok());
        QVERIFY2(stored() == before, "a data or side file changed");
    }

    // The fuzzers' checked-in corpus through the same checks the fuzzers run.
    void fuzzCorpus_data() {
        QTest::addColumn<QString>("path");
        const QDir root(QStringLiteral(ZELT_FUZZ_CORPUS_DIR));
        for (const char* target : {"number", "date", "record", "side_text", "compare"}) {
            const QDir dir(root.filePath(target));
            for (const QString& file : dir.entryList(QDir::Files, QDir::Name))
                QTest::addRow("%s/%s", target, qPrintable(file)) << dir.filePath(file);
        }
    }
    void fuzzCorpus() {
        QFETCH(QString, path);
        const std::string input = test::readPlain(path.toStdString());
        const std::map<QString, fuzz::Findings (*)(const std::uint8_t*, std::size_t)> checks = {
            {"number", fuzz::checkNumberText},
            {"date", fuzz::checkDateText},
            {"record", fuzz::checkRecords},
            {"side_text", fuzz::checkSideText},
            {"compare", fuzz::checkGenericCompare}};
        const fuzz::Findings findings = checks.at(QFileInfo(path).dir().dirName())(
            reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
        if (findings.failed())
            QFAIL(findings.first().c_str());
    }
};

ZELT_TEST(RobustnessTest)
#include "test_robustness.moc"
