// What the program's files survive: a kill in the middle of any file operation of a save, an
// export, the files for calculations or a backup; damaged data files of random bytes; and the
// fuzzers' corpus run through the fuzzers' own checks.
#include "checks_compare.h"
#include "checks_date.h"
#include "checks_number.h"
#include "checks_record.h"
#include "checks_side_text.h"
#include "core_fixture.h"
#include "search/communication_search.h"
#include "search/member_search.h"
#include "search/sale_search.h"
#include "storage/field_codec.h"
#include "storage/side_text.h"
#include "storage/whole_file_writer.h"
#include "support/crash_harness.h"

#include <QDir>

#include <filesystem>
#include <random>

using namespace zelt;
using test::row;

namespace {

// The data files, their record lengths, exports and side texts (folder and name prefix).
struct Kind {
    const char* dataFile;
    int length;
    RecordKind exportKind;
    std::vector<std::pair<Folder, std::string>> sides;
};
const Kind kKinds[] = {{"affiliates.kvr", 211, RecordKind::Members, {{Folder::Addinfo, ""}}},
                       {"sales.kvr", 16, RecordKind::Sales, {{Folder::Addinfo, "s"}}},
                       {"payments.kvr", 16, RecordKind::Payments, {{Folder::Addinfo, "p"}}},
                       {"communications.kvr",
                        50,
                        RecordKind::Communications,
                        {{Folder::Comm, ""}, {Folder::Comm, "r"}, {Folder::Comm, "c"}}},
                       {"apsettings.kvr", 60, RecordKind::Schemes, {}}};

// Record n of a kind as first stored (generation 0) and saved again (1): bytes of a pattern.
RecordBytes recordOf(int kind, int n, int generation) {
    RecordBytes record(static_cast<std::size_t>(kKinds[kind].length));
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<std::uint8_t>((n * 31 + int(i) * 7 + generation * 13 + kind) % 251);
    return record;
}

std::string sideTextOf(const std::string& name, int generation) {
    return "Text of " + name + (generation ? ", saved again" : "") + "\r\nsecond line\r\n";
}

// A program folder with the given number of records in each data file (none: no file), a side
// text for each of the first 50 records and, with outputs, an earlier output of every kind.
void buildFolder(const std::string& root, const QList<int>& sizes, bool outputs) {
    for (Folder folder :
         {Folder::Data, Folder::Addinfo, Folder::Comm, Folder::Output, Folder::Backcopies})
        if (outputs || (folder != Folder::Output && folder != Folder::Backcopies))
            std::filesystem::create_directories(folderPath(root, folder));
    for (int k = 0; k < 5; ++k) {
        if (sizes[k] < 0)
            continue;
        std::string bytes;
        for (int n = 1; n <= sizes[k]; ++n) {
            const RecordBytes record = recordOf(k, n, 0);
            bytes.append(record.begin(), record.end());
            for (const auto& [folder, prefix] : kKinds[k].sides)
                if (n <= 50)
                    test::writePlain(filePath(root, folder, prefix + std::to_string(n) + ".txt"),
                                     sideTextOf(prefix + std::to_string(n), 0));
        }
        test::writePlain(filePath(root, Folder::Data, kKinds[k].dataFile), bytes);
        if (outputs)
            test::writePlain(filePath(root, Folder::Backcopies, kKinds[k].dataFile),
                             "An earlier copy");
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
    const int k = w.size() > 1 ? w.back().toInt() : 0;
    if (w[0] == "save")
        return [=, n = w[2].toInt(), k = w[1].toInt()] {
            auto data = RecordFile::open(filePath(root, Folder::Data, kKinds[k].dataFile),
                                         kKinds[k].length);
            bool ok = data && data->write(n, recordOf(k, n, 1)).ok();
            for (const auto& [folder, prefix] : kKinds[k].sides)
                ok =
                    ok && writeSideText(filePath(root, folder, prefix + std::to_string(n) + ".txt"),
                                        sideTextOf(prefix + std::to_string(n), 1))
                              .ok();
            return ok;
        };
    if (w[0] == "export")
        return [=, k = w[1].toInt(), first = w[2].toInt()] {
            return saveRecords(testApp(), kKinds[k].exportKind, first, w[3].toInt()).ok();
        };
    if (w[0] == "back")
        return [=] {
            return ensureFolder(root, Folder::Backcopies).ok() &&
                   copyFileReplacing(filePath(root, Folder::Data, kKinds[k].dataFile),
                                     filePath(root, Folder::Backcopies, kKinds[k].dataFile))
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

class TestRobustness : public QObject {
    Q_OBJECT

    int kills_ = 0;

private slots:
    void cleanupTestCase() { qInfo("crash safety: %d kills survived", kills_); }

    // Every action on folders of several sizes: data files missing, empty, of 1 and 4 records
    // (with earlier outputs), and files larger than a write block.
    void killedAtEveryOperation_data() {
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<bool>("outputs");
        QTest::addColumn<QString>("action");
        const QList<QList<int>> folders = {
            {-1, -1, -1, -1, -1}, {0, 0, 0, 0, 0}, {1, 1, 1, 1, 1}, {4, 4, 4, 4, 3}};
        for (const QList<int>& sizes : folders) {
            const bool outputs = sizes[0] == 4;
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
            if (outputs)
                actions << "export 3 0 0";
            for (const QString& action : actions)
                QTest::addRow("%d records: %s", sizes[0], qPrintable(action))
                    << sizes << outputs << action;
        }
        for (const char* action : {"export 1 1 70000", "back up 1", "calculations"})
            QTest::addRow("70000 sales: %s", action)
                << QList<int>{-1, 70000, -1, -1, -1} << true << QString(action);
    }
    // A child process runs the action and dies by SIGKILL when it asks the storage layer for its
    // Nth file operation, for every N the action has, and for every write of a temporary file
    // also after part of that write reached the file. Every file must then hold its content from
    // before or after the action; leftovers carry temporary names, and clearing them at start-up
    // touches nothing else.
    void killedAtEveryOperation() {
        QFETCH(QList<int>, sizes);
        QFETCH(bool, outputs);
        QFETCH(QString, action);
        test::TempAppDir work;
        const std::string before = work.file("before"), after = work.file("after"),
                          run = work.file("run");
        buildFolder(before, sizes, outputs);
        const test::CrashSnapshot old = test::snapshotFolder(before);
        std::filesystem::copy(before, after, std::filesystem::copy_options::recursive);
        test::useProgramFolder(after, LocaleRules::dayMonthYearComma());
        bool succeeded = false;
        const auto ops = test::recordOperations(actionOf(after, action), &succeeded);
        QVERIFY(succeeded);
        const test::CrashSnapshot fresh = test::snapshotFolder(after);
        QVERIFY(fresh.temporaries.empty() && fresh.files != old.files);
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
                const QString where = QString("killed at operation %1 of %2 (%3), partial %4")
                                          .arg(n)
                                          .arg(ops.size())
                                          .arg(n <= ops.size() ? ops[n - 1].path.c_str() : "")
                                          .arg(point.partialShare);
                const bool past = n > ops.size(); // past the last operation: no kill
                QCOMPARE(test::runAndKill(actionOf(run, action), point),
                         past ? test::ChildEnd::Finished : test::ChildEnd::Killed);
                const test::CrashSnapshot now = test::snapshotFolder(run);
                const QStringList faults = test::oldOrNewFaults(now, old, fresh);
                QVERIFY2(faults.isEmpty(), qPrintable(where + ": " + faults.join("; ")));
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
        for (const Kind& kind : kKinds) {
            std::string bytes =
                randomBytes(std::size_t(records * kind.length + (extra == -2   ? kind.length / 2
                                                                 : extra == -1 ? kind.length - 1
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
            folder.write(Folder::Data, kind.dataFile, bytes);
            for (int n = 1; n <= records + 1; ++n)
                for (const auto& [side, prefix] : kind.sides)
                    folder.write(side, prefix + std::to_string(n) + ".txt", randomBytes(n * 6));
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
        for (const MemberFilters& filters : {MemberFilters{"a", "", "", "", ""},
                                             {"", "", "", "0", ""},
                                             {"", "", "", "", "-1"},
                                             {" ", "b", "c", "", ""}})
            readEveryCellSorted(*searchMembers(members, memberCount + 1, filters, rules).table);
        for (const char* name : {"sales.kvr", "payments.kvr"}) {
            auto sales = reading(folder.file(Folder::Data, name), 16);
            for (const char* id : {"0", "1", "-5"})
                for (const char* date : {"", "16.11.2001"})
                    readEveryCellSorted(
                        *searchSales(sales, *sales.count(), date, id, SaleGridKind::Sales, rules)
                             .table);
        }
        auto communications = reading(folder.file(Folder::Data, "communications.kvr"), 50);
        for (const CommunicationFilters& filters : {CommunicationFilters{"0", "", "", ""},
                                                    {"", "a", "", ""},
                                                    {"", "", "16.11.2001", ""},
                                                    {"", "", "", "31.12.9999"}})
            readEveryCellSorted(
                *searchCommunications(communications, *communications.count(), filters, rules)
                     .table);
        for (const Kind& kind : kKinds)
            for (auto [first, last] :
                 {std::pair{1, records + 1}, std::pair{records, records}, std::pair{0, 0}})
                QVERIFY(saveRecords(testApp(), kind.exportKind, first, last).ok());
        QVERIFY(createFilesForCalculations(testApp()).ok());
        QVERIFY2(stored() == before, "a data or side file changed");
    }

    // A sale, a member and a communication whose single and dates cannot be shown: empty values.
    void unshowableValues_data() {
        QTest::addColumn<double>("date");
        QTest::addColumn<float>("single");
        row("NaN", double(NAN), float(NAN));
        row("infinity", double(INFINITY), float(INFINITY));
        row("year 99", -657435.0, float(NAN));
        row("year 10000", 2958466.0, float(INFINITY));
        row("-1e300", -1e300, -float(INFINITY));
    }
    void unshowableValues() {
        QFETCH(double, date);
        QFETCH(float, single);
        const test::ProgramFolder folder;
        RecordBytes sale(16, 0), member(211, 0), communication(50, ' ');
        field::putInt32(sale.data(), 7);
        field::putSingle(sale.data() + 4, single);
        field::putDouble(sale.data() + 8, date);
        field::putInt32(member.data() + 185, 1);
        field::putDouble(member.data() + 203, date);
        field::putInt32(communication.data(), 7);
        field::putDouble(communication.data() + 34, date);
        field::putDouble(communication.data() + 42, date);
        folder.writeRecords("sales.kvr", {sale});
        folder.writeRecords("affiliates.kvr", {member});
        folder.writeRecords("communications.kvr", {communication});
        QVERIFY(saveRecords(testApp(), RecordKind::Sales, 1, 1).ok());
        QVERIFY(saveRecords(testApp(), RecordKind::Communications, 1, 1).ok());
        QVERIFY(createFilesForCalculations(testApp()).ok());
        QCOMPARE(folder.output("Sales.txt"), std::string("Member's ID;Sum;Date\r\n7;;\r\n"));
        QVERIFY(folder.output("sales.clc").ends_with("\r\n7\t\t\r\n"));
        QVERIFY(folder.output("members.clc").ends_with("\r\n1\t0\t0\t\r\n"));
        QVERIFY(folder.output("communications.txt").ends_with(std::string(30, ' ') + ";;;;;\r\n"));
        const LocaleRules rules = LocaleRules::dayMonthYearComma();
        auto sales = reading(folder.file(Folder::Data, "sales.kvr"), 16);
        const auto listedSale = searchSales(sales, 1, "", "7", SaleGridKind::Sales, rules);
        auto members = reading(folder.file(Folder::Data, "affiliates.kvr"), 211);
        const auto listedMember = searchMembers(members, 1, {"", "", "", "0", ""}, rules);
        auto comms = reading(folder.file(Folder::Data, "communications.kvr"), 50);
        const auto listed = searchCommunications(comms, 1, {"7", "", "", ""}, rules);
        QCOMPARE(listedSale.table->cell(0, 1) + listedSale.table->cell(0, 3) +
                     listedMember.table->cell(0, 13) + listed.table->cell(0, 3) +
                     listed.table->cell(0, 4),
                 std::string());
    }

    // The fuzzers' checked-in corpus through the same checks the fuzzers run.
    void fuzzCorpus_data() {
        QTest::addColumn<QString>("path");
        const QDir root(QStringLiteral(ZELT_FUZZ_CORPUS_DIR));
        for (const char* target : {"number", "date", "record", "side_text", "compare"}) {
            const QDir dir(root.filePath(target));
            const QStringList files = dir.entryList(QDir::Files, QDir::Name);
            if (files.size() < 10) // a missing corpus would pass without checking anything
                qFatal("corpus of %s has %lld files", target, qlonglong(files.size()));
            for (const QString& file : files)
                QTest::addRow("%s/%s", target, qPrintable(file)) << dir.filePath(file);
        }
    }
    void fuzzCorpus() {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray input = file.readAll();
        const std::map<QString, fuzz::Findings (*)(const std::uint8_t*, std::size_t)> checks = {
            {"number", fuzz::checkNumberText},
            {"date", fuzz::checkDateText},
            {"record", fuzz::checkRecords},
            {"side_text", fuzz::checkSideText},
            {"compare", fuzz::checkGenericCompare}};
        const fuzz::Findings findings = checks.at(QFileInfo(path).dir().dirName())(
            reinterpret_cast<const std::uint8_t*>(input.constData()), std::size_t(input.size()));
        if (findings.failed())
            QFAIL(findings.first().c_str());
    }
};

ZELT_TEST(TestRobustness)
#include "test_robustness.moc"
