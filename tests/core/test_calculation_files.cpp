#include "export/calculation_files.h"

#include "storage/app_paths.h"
#include "storage/date_text.h"
#include "storage/file_system.h"
#include "storage/member_record.h"
#include "storage/record_file.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "support/fault_hook.h"
#include "support/temp_app_dir.h"
#include "support/test_app.h"
#include "support/test_locales.h"
#include "support/test_registry.h"

#include <QtTest>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

using namespace zelt;

namespace {

std::string readFile(Folder folder, const std::string& name) {
    auto bytes = fs::readWhole(filePath(testApp().dir, folder, name));
    return bytes ? *bytes : std::string("<missing>");
}

void writeRecords(const std::string& name, int length, const std::vector<RecordBytes>& records) {
    QVERIFY(ensureFolder(testApp().dir, Folder::Data).ok());
    auto file = RecordFile::open(filePath(testApp().dir, Folder::Data, name), length);
    QVERIFY(file.ok());
    for (std::size_t i = 0; i < records.size(); ++i)
        QVERIFY(file->write(static_cast<std::int32_t>(i + 1), records[i]).ok());
}

// The access mode (O_RDONLY, O_RDWR ...) of this process's descriptor open on the file; -1 when
// there is none.
int accessModeOfOpenFile(const std::string& path) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) != path || error)
            continue;
        const int flags = ::fcntl(std::stoi(entry.path().filename().string()), F_GETFL);
        return flags < 0 ? -1 : flags & O_ACCMODE;
    }
    return -1;
}

SchemeRecord percentsScheme() {
    SchemeRecord scheme;
    scheme.Type_of_payment = "Percents";
    scheme.MinPayment = 10;
    scheme.Periodicity = 30;
    scheme.Unit = "$";
    scheme.Scheme = 1;
    scheme.Level = {5, 3, 1, 0, 0, 0, 0, 0};
    return scheme;
}

MemberRecord member(std::int32_t id, std::int32_t ref, std::int16_t scheme, double date) {
    MemberRecord m;
    m.Name = "Ann";
    m.AffiliateID = id;
    m.Ref_ID = ref;
    m.AP_ID = scheme;
    m.Level = 1;
    m.Date = date;
    return m;
}

} // namespace

class CalculationFilesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempAppDir> dir_;

private slots:
    void init() {
        dir_ = std::make_unique<test::TempAppDir>();
        testApp().dir = dir_->path();
        testApp().rules = LocaleRules::dayMonthYearComma();
    }
    void cleanup() {
        fs::setFaultHook({});
        dir_.reset();
    }

    void noDataGivesFourEmptyFilesAndEmptyDataFiles() {
        const Status status = createFilesForCalculations(testApp());
        QVERIFY2(status.ok(), status.ok() ? "" : status.error().message().c_str());
        for (const char* name : {"members.clc", "sales.clc", "payments.clc", "settings.clc"})
            QCOMPARE(readFile(Folder::Output, name), std::string());
        for (const char* name : {"affiliates.kvr", "sales.kvr", "payments.kvr", "apsettings.kvr"})
            QCOMPARE(readFile(Folder::Data, name), std::string());
        QCOMPARE(readFile(Folder::Data, "communications.kvr"), std::string("<missing>"));
    }

    void everyFileByteForByte() {
        const double day = serialFromDate(2001, 11, 16);
        writeRecords("sales.kvr", 16, {SaleRecord{3, 12.5f, day}.encode()});
        writeRecords("payments.kvr", 16,
                     {SaleRecord{1, 0.1f, day + 0.5}.encode(), SaleRecord{-2, 1e8f, 0}.encode()});
        writeRecords("apsettings.kvr", 60, {percentsScheme().encode()});
        writeRecords("affiliates.kvr", 211,
                     {member(1, 0, 1, day).encode(), member(2, 1, 3, day + 0.25).encode()});

        QVERIFY(createFilesForCalculations(testApp()).ok());

        QCOMPARE(readFile(Folder::Output, "sales.clc"),
                 std::string("Member's ID\tSum\tDate\r\n3\t12,5\t16.11.2001\r\n"));
        QCOMPARE(readFile(Folder::Output, "payments.clc"),
                 std::string("Member's ID\tSum\tDate\r\n"
                             "1\t0,1\t16.11.2001 12:00:00\r\n"
                             "-2\t1E+08\t30.12.1899\r\n"));
        QCOMPARE(readFile(Folder::Output, "members.clc"),
                 std::string("Member's ID\tRefference ID\tPayment Sheme ID\tDate\r\n"
                             "1\t0\t1\t16.11.2001\r\n"
                             "2\t1\t3\t16.11.2001 06:00:00\r\n"));
        QCOMPARE(readFile(Folder::Output, "settings.clc"),
                 std::string("Scheme\tLevel 1\tLevel 2\tLevel 3\tLevel 4\tLevel 5\tLevel 6\t"
                             "Level 7\tLevel 8\tPayment\tMinPaym\tPeriod\tUnit\r\n"
                             "1\t5\t3\t1\t0\t0\t0\t0\t0\tPercents  \t10\t30\t$         \r\n"));
    }

    void secondRunGivesTheSameFiles() {
        writeRecords("sales.kvr", 16, {SaleRecord{3, 12.5f, 37211}.encode()});
        QVERIFY(createFilesForCalculations(testApp()).ok());
        const std::string first = readFile(Folder::Output, "sales.clc");
        QVERIFY(createFilesForCalculations(testApp()).ok());
        QCOMPARE(readFile(Folder::Output, "sales.clc"), first);
    }

    void partialLastRecordIsWrittenZeroFilled() {
        // 24 bytes of 16-byte records count 2 records; the second reads as zeros.
        writeRecords("sales.kvr", 16, {SaleRecord{3, 12.5f, 37211}.encode()});
        auto file = fs::open(filePath(testApp().dir, Folder::Data, "sales.kvr"),
                             fs::OpenMode::ReadWriteCreate);
        QVERIFY(file.ok());
        const char tail[8] = {7, 0, 0, 0, 0, 0, 0, 0};
        QVERIFY(fs::writeAt(*file, 16, tail, sizeof tail).ok());
        QVERIFY(createSales(testApp(), "sales").ok());
        QCOMPARE(
            readFile(Folder::Output, "sales.clc"),
            std::string("Member's ID\tSum\tDate\r\n3\t12,5\t16.11.2001\r\n7\t0\t30.12.1899\r\n"));
    }

    void failingWriterStopsTheRunAndKeepsEarlierFiles() {
        writeRecords("sales.kvr", 16, {SaleRecord{3, 12.5f, 37211}.encode()});
        QVERIFY(createFilesForCalculations(testApp()).ok());
        const std::string sales = readFile(Folder::Output, "sales.clc");
        writeRecords("sales.kvr", 16, {SaleRecord{4, 1, 37211}.encode()});

        const std::string payments = filePath(testApp().dir, Folder::Data, "payments.kvr");
        fs::setFaultHook([&](fs::Op op, const std::string& path) {
            return op == fs::Op::Open && path == payments ? EACCES : 0;
        });
        const Status status = createFilesForCalculations(testApp());
        QVERIFY(!status.ok());
        QVERIFY(status.error().message().find(payments) != std::string::npos);
        QVERIFY(status.error().message().find("Permission denied") != std::string::npos);
        QVERIFY(readFile(Folder::Output, "sales.clc") != sales); // rewritten before the failure
        QCOMPARE(readFile(Folder::Output, "payments.clc"), std::string());
    }

    void localeFormsAreSingleByte_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("Arabic") << "ar" << QByteArray("3\t12.5\t16/11/2001 6:00:00 PM\r\n");
        QTest::newRow("Korean") << "ko" << QByteArray("3\t12.5\t2001. 11. 16. PM 6:00:00\r\n");
        QTest::newRow("Finnish") << "fi" << QByteArray("3\t12,5\t16.11.2001 18.00.00\r\n");
    }
    void localeFormsAreSingleByte() {
        // The windows' forms of the locale become Windows-1252 text in the files.
        QFETCH(QString, locale);
        QFETCH(QByteArray, line);
        testApp().rules = test::testRules(locale);
        writeRecords("sales.kvr", 16, {SaleRecord{3, 12.5f, 37211.75}.encode()});
        QVERIFY(createSales(testApp(), "sales").ok());
        QCOMPARE(QByteArray::fromStdString(readFile(Folder::Output, "sales.clc")),
                 "Member's ID\tSum\tDate\r\n" + line);
    }

    void existingDataFileIsOnlyRead() {
        // A read-only sales.kvr does not stop the run: the writer opens it for reading only.
        writeRecords("sales.kvr", 16, {SaleRecord{3, 12.5f, 37211}.encode()});
        const std::string sales = filePath(testApp().dir, Folder::Data, "sales.kvr");
        QCOMPARE(::chmod(sales.c_str(), 0444), 0);
        int mode = -1; // also seen where the process may write any file (root)
        test::ScopedFaultHook hook([&](fs::Op op, const std::string& path) {
            if (op == fs::Op::Length && path == sales)
                mode = accessModeOfOpenFile(path);
            return 0;
        });
        QVERIFY(createFilesForCalculations(testApp()).ok());
        QCOMPARE(mode, O_RDONLY);
        QCOMPARE(readFile(Folder::Output, "sales.clc"),
                 std::string("Member's ID\tSum\tDate\r\n3\t12,5\t16.11.2001\r\n"));
    }

    void outputFolderThatIsAFileIsReported() {
        auto blocker = fs::open(folderPath(testApp().dir, Folder::Output), fs::OpenMode::WriteNew);
        QVERIFY(blocker.ok());
        const Status status = createFilesForCalculations(testApp());
        QVERIFY(!status.ok());
        QVERIFY(status.error().message().find(folderPath(testApp().dir, Folder::Output)) !=
                std::string::npos);
    }
};

ZELT_TEST(CalculationFilesTest)
#include "test_calculation_files.moc"
