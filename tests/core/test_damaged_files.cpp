// Damaged data files: random bytes in every data file and lengths that are no whole number of
// records. Searching, sorting, exporting and the files for calculations must never crash and
// never change a data or side file; a stored single or date that cannot be shown comes out as an
// empty value.

#include "export/calculation_files.h"
#include "export/text_export.h"
#include "search/communication_search.h"
#include "search/member_search.h"
#include "search/sale_search.h"
#include "storage/app_paths.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"
#include "storage/member_record.h"
#include "storage/number_text.h"
#include "storage/record_file.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "support/byte_text.h"
#include "support/crash_harness.h"
#include "support/temp_app_dir.h"
#include "support/test_app.h"
#include "support/test_registry.h"

#include <QtTest>

#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

using namespace zelt;
using zelt::test::bytes;

namespace {

constexpr double kDay = 37211; // 16 November 2001

struct DataFile {
    const char* name;
    int length;
};
const DataFile kDataFiles[] = {{"affiliates.kvr", MemberRecord::kLength},
                               {"sales.kvr", SaleRecord::kLength},
                               {"payments.kvr", SaleRecord::kLength},
                               {"communications.kvr", CommunicationRecord::kLength},
                               {"apsettings.kvr", SchemeRecord::kLength}};

void writePlain(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::string readPlain(const std::string& path) {
    auto content = fs::readWhole(path);
    return content ? *content : std::string("<missing>");
}

// Random bytes; every byte value is as likely, control bytes and NUL included.
std::string randomBytes(std::mt19937& engine, std::size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string out(size, '\0');
    for (char& c : out)
        c = static_cast<char>(byte(engine));
    return out;
}

// Random bytes in which some numbers are made the values hardest to show: NaN, infinities,
// dates far outside the calendar.
std::string damagedRecords(std::mt19937& engine, std::size_t size) {
    std::string out = randomBytes(engine, size);
    const double doubles[] = {std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(),
                              1e300,
                              -1e300,
                              serialFromDate(99, 12, 31),
                              serialFromDate(10000, 1, 1),
                              std::numeric_limits<double>::denorm_min()};
    std::uniform_int_distribution<std::size_t> at(0, size > 8 ? size - 8 : 0);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(doubles) - 1);
    for (std::size_t i = 0; size >= 8 && i < size / 40 + 1; ++i) {
        std::uint8_t raw[8];
        field::putDouble(raw, doubles[pick(engine)]);
        // Half of them as singles: the high half of the double is a NaN or infinity there too.
        const std::size_t where = at(engine);
        out.replace(where, i % 2 ? 8 : 4, reinterpret_cast<const char*>(raw) + (i % 2 ? 0 : 4),
                    i % 2 ? 8 : 4);
    }
    return out;
}

// Every data and side file of the folder, to compare before and after.
std::map<std::string, std::string> storedFiles(const std::string& root) {
    std::map<std::string, std::string> files = test::snapshotFolder(root).files;
    std::erase_if(files, [](const auto& entry) {
        return entry.first.starts_with("output/") || entry.first.starts_with("backcopies/");
    });
    return files;
}

void readEveryCell(const ResultTable& table) {
    std::size_t length = 0;
    for (int column = 0; column < table.columnCount(); ++column)
        for (int row = 0; row < table.rowCount(); ++row)
            length += table.cell(row, column).size();
    QVERIFY(length < std::numeric_limits<std::size_t>::max());
}

void sortByEveryColumn(ResultTable& table) {
    for (int column = 0; column < table.columnCount(); ++column) {
        table.sortByColumn(column);
        readEveryCell(table);
    }
}

} // namespace

class TestDamagedFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void randomBytesNeverCrash_data();
    void randomBytesNeverCrash();
    void unshowableValuesComeOutEmpty_data();
    void unshowableValuesComeOutEmpty();
    void cleanupTestCase();

private:
    test::TempAppDir* dir_ = nullptr;
    int cases_ = 0;
};

void TestDamagedFiles::initTestCase() {
    testApp().rules = LocaleRules::dayMonthYearComma();
}

void TestDamagedFiles::init() {
    dir_ = new test::TempAppDir;
    testApp().dir = dir_->path();
    for (Folder folder : {Folder::Data, Folder::Addinfo, Folder::Comm})
        QVERIFY(ensureFolder(testApp().dir, folder).ok());
}

void TestDamagedFiles::cleanup() {
    delete dir_;
    dir_ = nullptr;
}

void TestDamagedFiles::randomBytesNeverCrash_data() {
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("extraBytes"); // 0, 1, half a record (-2) or all but one byte (-1)
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const int records = static_cast<int>(seed % 5 == 0 ? 0 : seed * 3 % 17);
        const int extra = static_cast<int>(seed % 4) - 2 + (seed % 8 == 0 ? 2 : 0);
        QTest::addRow("seed %u, %d records %+d", seed, records, extra) << seed << records << extra;
    }
}

void TestDamagedFiles::randomBytesNeverCrash() {
    QFETCH(unsigned, seed);
    QFETCH(int, records);
    QFETCH(int, extraBytes);
    std::mt19937 engine(seed);

    for (const DataFile& file : kDataFiles) {
        const int extra = extraBytes == -2   ? file.length / 2
                          : extraBytes == -1 ? file.length - 1
                                             : extraBytes;
        writePlain(filePath(testApp().dir, Folder::Data, file.name),
                   damagedRecords(engine, std::size_t(records * file.length + extra)));
    }
    // Side texts of random bytes: control bytes, lone CR and LF, bytes the code page leaves
    // undefined.
    for (int n = 1; n <= records + 1; ++n) {
        const std::string number = std::to_string(n);
        for (const std::string& name :
             {number + ".txt", "s" + number + ".txt", "p" + number + ".txt"})
            writePlain(filePath(testApp().dir, Folder::Addinfo, name), randomBytes(engine, n * 7));
        for (const char* prefix : {"", "r", "c"})
            writePlain(filePath(testApp().dir, Folder::Comm, prefix + number + ".txt"),
                       randomBytes(engine, n * 5));
    }
    const auto before = storedFiles(testApp().dir);
    const LocaleRules& rules = testApp().rules;

    auto members = RecordFile::openForReading(
        filePath(testApp().dir, Folder::Data, "affiliates.kvr"), MemberRecord::kLength);
    QVERIFY(members.ok());
    const std::int32_t memberCount = *members->count();
    QCOMPARE(*countMembers(testApp().dir), memberCount);
    const MemberFilters memberFilters[] = {{"a", "", "", "", ""},
                                           {"", "", "", "0", ""},
                                           {"", "", "", "", "-1"},
                                           {" ", "b", "c", "", ""},
                                           {"", "", "x@y", "", ""}};
    for (const MemberFilters& filters : memberFilters) {
        auto found = searchMembers(*members, memberCount + 1, filters, rules);
        QVERIFY(found.kind == MemberSearchOutcome::Kind::Listed);
        sortByEveryColumn(*found.table);
    }
    // Everything listed: a filter that every record passes is not at hand, so list by the
    // filters the records themselves hold.
    for (const char* name : {"sales.kvr", "payments.kvr"}) {
        auto sales = RecordFile::openForReading(filePath(testApp().dir, Folder::Data, name), 16);
        QVERIFY(sales.ok());
        const std::int32_t count = *sales->count();
        std::vector<std::string> memberIds{"0", "1", "-5"};
        if (auto first = sales->read(1); first.ok() && first->has_value())
            memberIds.push_back(formatInt(SaleRecord::decode((*first)->data()).MemberID));
        for (const std::string& id : memberIds)
            for (const std::string& date : {std::string(), formatDate(kDay, rules)}) {
                auto found = searchSales(*sales, count, date, id, SaleGridKind::Sales, rules);
                QVERIFY(found.kind == SaleSearchOutcome::Kind::Listed);
                sortByEveryColumn(*found.table);
            }
    }
    auto communications = RecordFile::openForReading(
        filePath(testApp().dir, Folder::Data, "communications.kvr"), CommunicationRecord::kLength);
    QVERIFY(communications.ok());
    const std::int32_t communicationCount = *communications->count();
    const std::string dayText = formatDate(kDay, rules); // the filters only view their texts
    const CommunicationFilters communicationFilters[] = {
        {"0", "", "", ""}, {"", "a", "", ""}, {"", "", dayText, ""}, {"", "", "", "31.12.9999"}};
    for (const CommunicationFilters& filters : communicationFilters) {
        auto found = searchCommunications(*communications, communicationCount, filters, rules);
        QVERIFY(found.kind == CommunicationSearchOutcome::Kind::Listed);
        sortByEveryColumn(*found.table);
    }

    for (RecordKind kind : {RecordKind::Members, RecordKind::Sales, RecordKind::Payments,
                            RecordKind::Communications, RecordKind::Schemes}) {
        for (auto [first, last] : {std::pair{1, records + 1}, std::pair{records, records},
                                   std::pair{records + 1, records + 1}, std::pair{0, 0}})
            QVERIFY2(saveRecords(testApp(), kind, first, last).ok(),
                     "an export of damaged records failed");
    }
    QVERIFY(createFilesForCalculations(testApp()).ok());

    QVERIFY2(storedFiles(testApp().dir) == before, "a data or side file changed");
    ++cases_;
}

void TestDamagedFiles::unshowableValuesComeOutEmpty_data() {
    QTest::addColumn<double>("date");
    QTest::addColumn<float>("single");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const float nanf = std::numeric_limits<float>::quiet_NaN();
    const float inff = std::numeric_limits<float>::infinity();
    QTest::newRow("NaN") << nan << nanf;
    QTest::newRow("infinity") << inf << inff;
    QTest::newRow("minus infinity") << -inf << -inff;
    QTest::newRow("year 99") << serialFromDate(99, 12, 31) << nanf;
    QTest::newRow("year 10000") << serialFromDate(10000, 1, 1) << inff;
    QTest::newRow("1e300") << 1e300 << -nanf;
    QTest::newRow("-1e300") << -1e300 << -inff;
}

// A sale of member 7, a member and a communication whose singles and dates cannot be shown.
void TestDamagedFiles::unshowableValuesComeOutEmpty() {
    QFETCH(double, date);
    QFETCH(float, single);
    RecordBytes sale(16, 0);
    field::putInt32(sale.data(), 7);
    field::putSingle(sale.data() + 4, single);
    field::putDouble(sale.data() + 8, date);
    RecordBytes member(MemberRecord::kLength, 0);
    field::putInt32(member.data() + MemberRecord::kAffiliateID, 1);
    field::putDouble(member.data() + MemberRecord::kDate, date);
    RecordBytes communication(CommunicationRecord::kLength, ' ');
    field::putInt32(communication.data(), 7);
    field::putDouble(communication.data() + 34, date);
    field::putDouble(communication.data() + 42, date);

    writePlain(filePath(testApp().dir, Folder::Data, "sales.kvr"),
               std::string(sale.begin(), sale.end()));
    writePlain(filePath(testApp().dir, Folder::Data, MemberRecord::kFileName),
               std::string(member.begin(), member.end()));
    writePlain(filePath(testApp().dir, Folder::Data, CommunicationRecord::kFileName),
               std::string(communication.begin(), communication.end()));
    const LocaleRules& rules = testApp().rules;

    QVERIFY(saveRecords(testApp(), RecordKind::Sales, 1, 1).ok());
    QCOMPARE(bytes(readPlain(filePath(testApp().dir, Folder::Output, "Sales.txt"))),
             QByteArray("Member's ID;Sum;Date\r\n7;;\r\n"));
    QVERIFY(createFilesForCalculations(testApp()).ok());
    const std::string sales = readPlain(filePath(testApp().dir, Folder::Output, "sales.clc"));
    QVERIFY2(sales.ends_with("\r\n7\t\t\r\n"), sales.c_str());
    const std::string members = readPlain(filePath(testApp().dir, Folder::Output, "members.clc"));
    QVERIFY2(members.ends_with("\r\n1\t0\t0\t\r\n"), members.c_str());

    QVERIFY(saveRecords(testApp(), RecordKind::Communications, 1, 1).ok());
    const std::string exported =
        readPlain(filePath(testApp().dir, Folder::Output, "communications.txt"));
    // Subject; message; date; response; date of the response; comments.
    QVERIFY2(exported.ends_with(std::string(30, ' ') + ";;;;;\r\n"), exported.c_str());

    auto salesFile =
        RecordFile::openForReading(filePath(testApp().dir, Folder::Data, "sales.kvr"), 16);
    auto listedSales = searchSales(*salesFile, 1, "", "7", SaleGridKind::Sales, rules);
    QCOMPARE(listedSales.table->rowCount(), 1);
    QCOMPARE(listedSales.table->cell(0, SaleResultTable::Sum), std::string());
    QCOMPARE(listedSales.table->cell(0, SaleResultTable::Date), std::string());

    auto memberFile = RecordFile::openForReading(
        filePath(testApp().dir, Folder::Data, MemberRecord::kFileName), MemberRecord::kLength);
    auto listedMembers = searchMembers(*memberFile, 1, {"", "", "", "0", ""}, rules);
    QCOMPARE(listedMembers.table->rowCount(), 1);
    QCOMPARE(listedMembers.table->cell(0, MemberResultTable::Date), std::string());

    auto communicationFile = RecordFile::openForReading(
        filePath(testApp().dir, Folder::Data, CommunicationRecord::kFileName),
        CommunicationRecord::kLength);
    auto listed = searchCommunications(*communicationFile, 1, {"7", "", "", ""}, rules);
    QCOMPARE(listed.table->rowCount(), 1);
    QCOMPARE(listed.table->cell(0, CommunicationResultTable::Date), std::string());
    QCOMPARE(listed.table->cell(0, CommunicationResultTable::Date_R), std::string());
    ++cases_;
}

void TestDamagedFiles::cleanupTestCase() {
    qInfo("damaged files: %d cases without a crash or a changed data file", cases_);
}

ZELT_TEST(TestDamagedFiles)
#include "test_damaged_files.moc"
