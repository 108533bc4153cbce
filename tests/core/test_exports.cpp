// The text exports of the editors and the files for calculations, byte for byte, and the
// export's short ways of writing values against the general ones.
#include "checks_record.h"
#include "core_fixture.h"
#include "export/calculation_lines.h"
#include "export/export_lines.h"
#include "export/parallel_lines.h"
#include "export/value_text.h"
#include "storage/side_text.h"
#include "storage/whole_file_writer.h"
#include "support/fault_hook.h"
#include "support/test_locales.h"

#include <QDate>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>

using namespace zelt;
using test::bytes;
using test::row;

namespace {

constexpr double kDay = 37211; // 16.11.2001

// The program folder of the export tests: its data and side files.
void writeSampleData(const test::ProgramFolder& folder) {
    folder.writeRecords(
        "sales.kvr", {SaleRecord{3, 10.5f, kDay}.encode(), SaleRecord{2, 2, kDay}.encode(),
                      SaleRecord{-2, 1e8f, 0}.encode(), SaleRecord{7, 0.1f, kDay + 0.5}.encode()});
    folder.writeRecords("payments.kvr", {SaleRecord{1, 0, kDay}.encode(),
                                         SaleRecord{2, 2.25f, kDay + 0.75}.encode()});
    folder.writeRecords("affiliates.kvr", {test::memberBytes(1, "Bob", "", 0, 1),
                                           test::memberBytes(2, "Ann", "Lee", 1, 2, kDay + 0.25)});
    folder.writeRecords("communications.kvr",
                        {CommunicationRecord{1, "x", kDay, kDay + 1}.encode(),
                         CommunicationRecord{2, "x", kDay, kDay + 1}.encode(),
                         CommunicationRecord{17, "Offer", kDay, kDay + 1}.encode()});
    const SchemeRecord scheme{"Fixed", 2.5f, 30, "$", 1, {5, 0, 0, 0, 0, 0, 0, -1.5f}};
    SchemeRecord second = scheme;
    second.Scheme = 2;
    folder.writeRecords("apsettings.kvr", {scheme.encode(), second.encode()});
    folder.write(Folder::Addinfo, "2.txt", "VIP\r\n");
    folder.write(Folder::Comm, "1.txt", "a;b\rc\nd\r\n");
    folder.write(Folder::Comm, "3.txt", "Hi\r\nthere\r\n");
    folder.write(Folder::Comm, "c3.txt", "ok\r\n");
    for (const char* name : {"Sales.txt", "Payments.txt", "APsettings.txt"})
        folder.write(Folder::Output, name, "An earlier export");
}

QByteArray blanks(int n) {
    return QByteArray(n, ' ');
}

const QByteArray kSalesHeader = "Member's ID;Sum;Date\r\n";
const QByteArray kClcHeader = "Member's ID\tSum\tDate\r\n";
const QByteArray kMemberBlanks = blanks(20) + ";" + blanks(20) + ";" + blanks(10) + ";" +
                                 blanks(20) + ";" + blanks(15) + ";" + blanks(30) + ";" +
                                 blanks(30) + ";";

} // namespace

class ExportsTest : public QObject {
    Q_OBJECT

private slots:
    // An export (a kind and its first and last record) or the files for calculations
    // ("calculations"), in a locale: the file it leaves.
    void outputs_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray day = QDate::currentDate().toString("dd.MM.yyyy").toLatin1();
        row("every sale", "sales 1 5", "dmy", "Sales.txt",
            kSalesHeader + "3;10,5;16.11.2001\r\n2;2;16.11.2001\r\n-2;1E+08;30.12.1899\r\n"
                           "7;0,1;16.11.2001 12:00:00\r\n");
        row("one sale in Arabic", "sales 4 4", "ar", "Sales.txt",
            kSalesHeader + "7;0.1;16/11/2001 12:00:00 PM\r\n");
        row("past the end", "sales 5 5", "dmy", "Sales.txt", kSalesHeader);
        row("no current record", "sales 0 0", "dmy", "Sales.txt", QByteArray("<missing>"));
        row("payments", "payments 1 2", "dmy", "Payments.txt",
            kSalesHeader + "1;0;16.11.2001\r\n2;2,25;16.11.2001 18:00:00\r\n");
        row("members", "members 1 2", "dmy", "affiliates.txt",
            "Name;Surname;Street;City;Post Cod;Country;Phone;E_mail;URL;Member's ID;"
            "Refference's ID;Egold's ID;Level;Payment Scheme;Date;Additional Info\r\n"
            "Bob" +
                blanks(17) + ";" + blanks(20) + ";" + kMemberBlanks +
                "1;0;0;1;1;16.11.2001;\r\nAnn" + blanks(17) + ";Lee" + blanks(17) + ";" +
                kMemberBlanks + "2;1;0;2;1;16.11.2001 06:00:00;VIP \r\n");
        row("communications", "communications 1 3", "dmy", "communications.txt",
            "Member's ID;Subject;Message;Date;Responce;Date of responce;Comments\r\n1;x" +
                blanks(29) + ";a;b\rc\nd ;16.11.2001;;17.11.2001;\r\n2;x" + blanks(29) +
                ";;16.11.2001;;17.11.2001;\r\n17;Offer" + blanks(25) +
                ";Hi there ;16.11.2001;;17.11.2001;ok \r\n");
        row("schemes", "schemes 1 2", "dmy", "APsettings.txt",
            "Level1;Level2;Level3;Level4;Level5;Level6;Level7;Level8;MinPayment;Periodicity;"
            "Scheme;Type_of_payment;Unit;Date\r\n5;0;0;0;0;0;0;-1,5;2,5;30;1;Fixed     ;$" +
                blanks(9) + ";" + day + "\r\n5;0;0;0;0;0;0;-1,5;2,5;30;2;Fixed     ;$" + blanks(9) +
                ";" + day + "\r\n");
        row("sales.clc", "calculations", "dmy", "sales.clc",
            kClcHeader + "3\t10,5\t16.11.2001\r\n2\t2\t16.11.2001\r\n-2\t1E+08\t30.12.1899\r\n"
                         "7\t0,1\t16.11.2001 12:00:00\r\n");
        row("payments.clc", "calculations", "dmy", "payments.clc",
            kClcHeader + "1\t0\t16.11.2001\r\n2\t2,25\t16.11.2001 18:00:00\r\n");
        row("members.clc", "calculations", "dmy", "members.clc",
            QByteArray("Member's ID\tRefference ID\tPayment Sheme ID\tDate\r\n1\t0\t1\t16.11.2001"
                       "\r\n2\t1\t1\t16.11.2001 06:00:00\r\n"));
        row("settings.clc", "calculations", "dmy", "settings.clc",
            QByteArray("Scheme\tLevel 1\tLevel 2\tLevel 3\tLevel 4\tLevel 5\tLevel 6\tLevel 7\t"
                       "Level 8\tPayment\tMinPaym\tPeriod\tUnit\r\n1\t5\t0\t0\t0\t0\t0\t0\t-1,5\t"
                       "Fixed     \t2,5\t30\t$         \r\n2\t5\t0\t0\t0\t0\t0\t0\t-1,5\t"
                       "Fixed     \t2,5\t30\t$         \r\n"));
    }
    void outputs() {
        QFETCH(QString, action);
        QFETCH(QString, locale);
        QFETCH(QString, file);
        const test::ProgramFolder folder(test::testRules(locale));
        writeSampleData(folder);
        const QStringList how = action.split(' '); // a kind, in the order of RecordKind
        const auto kind = RecordKind(
            QStringList{"members", "communications", "sales", "payments", "schemes"}.indexOf(
                how[0]));
        for (int run = 0; run < 2; ++run) { // a second run, or nothing left to delete
            QVERIFY((how.size() == 1 ? createFilesForCalculations(testApp())
                                     : saveRecords(testApp(), kind, how[1].toInt(), how[2].toInt()))
                        .ok());
            QTEST(bytes(folder.output(file.toStdString())), "expected");
        }
    }

    void withoutData() {
        const test::ProgramFolder folder;
        QVERIFY(createFilesForCalculations(testApp()).ok());
        for (const char* name : {"members.clc", "sales.clc", "payments.clc", "settings.clc"})
            QCOMPARE(folder.output(name), std::string());
        for (const char* name : {"affiliates.kvr", "sales.kvr", "payments.kvr", "apsettings.kvr"})
            QCOMPARE(test::readPlain(folder.file(Folder::Data, name)), std::string());
        QCOMPARE(test::readPlain(folder.file(Folder::Data, "communications.kvr")),
                 std::string("<missing>"));
        folder.writeRecords("communications.kvr", {CommunicationRecord{1, "s", 0, 0}.encode()});
        QVERIFY(saveRecords(testApp(), RecordKind::Communications, 1, 1).ok());
        QCOMPARE(*fs::isFolder(folderPath(folder.path(), Folder::Comm)), false);
    }

    // Random records of several read blocks (65536 sales or 4969 members), their lines made on
    // both cores while the blocks are read and written, or by the calling thread alone: every
    // record's line once, in record order. Odd and even block counts, a partial last block.
    void linesOnBothCores() {
        const test::ProgramFolder folder;
        const std::string in = folder.file(Folder::Data, "records.kvr"),
                          out = folder.file(Folder::Data, "lines.txt");
        // Sales as in Sales.txt, members as in members.clc: record length, first, last.
        for (auto [length, first, last] :
             {std::tuple{16, 1, 2 * 65536 + 777}, {16, 1, 4 * 65536}, {211, 2, 4 * 4969 + 101}}) {
            std::mt19937 random{static_cast<unsigned>(last)};
            std::string bytes(std::size_t(last * length), '\0');
            std::generate(bytes.begin(), bytes.end(), [&] { return char(random()); });
            folder.write(Folder::Data, "records.kvr", bytes);
            const RecordLinePrinter print =
                length == 16 ? &export_lines::appendSaleLine : &calculation_lines::appendMemberLine;
            ValueText plain(testApp().rules, FormatPath::Plain);
            std::string expected;
            for (std::size_t at = (first - 1) * length; at < bytes.size(); at += length)
                print(expected, reinterpret_cast<const std::uint8_t*>(&bytes[at]), plain);
            for (bool helper : {false, true}) {
                auto data = RecordFile::openForReading(in, length);
                auto writer = WholeFileWriter::create(out);
                QVERIFY(
                    writeRecordLines(*data, first, last, *writer, print, testApp().rules, helper)
                        .ok());
                QVERIFY(writer->commit().ok());
                QVERIFY2(test::readPlain(out) == expected,
                         qPrintable(QString::asprintf("%d..%d, helper %d", first, last, helper)));
            }
        }
    }

    // A partial last record is written zero-filled; a read-only data file is only read.
    void calculationsReadDataOnly() {
        const test::ProgramFolder folder;
        folder.writeRecords("sales.kvr", {SaleRecord{3, 12.5f, kDay}.encode()});
        const std::string sales = folder.file(Folder::Data, "sales.kvr");
        std::ofstream(sales, std::ios::binary | std::ios::app)
            << std::string("\x07\0\0\0\0\0\0\0", 8);
        QCOMPARE(::chmod(sales.c_str(), 0444), 0);
        int mode = -1;
        test::ScopedFaultHook hook([&](fs::Op op, const std::string& path) {
            for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
                if (op == fs::Op::Length && path == sales &&
                    std::filesystem::read_symlink(entry.path()) == path)
                    mode =
                        ::fcntl(std::stoi(entry.path().filename().string()), F_GETFL) & O_ACCMODE;
            return 0;
        });
        QVERIFY(createFilesForCalculations(testApp()).ok());
        QCOMPARE(mode, O_RDONLY);
        QCOMPARE(
            folder.output("sales.clc"),
            std::string("Member's ID\tSum\tDate\r\n3\t12,5\t16.11.2001\r\n7\t0\t30.12.1899\r\n"));
    }

    // Random records of a kind, 20000 at a time, through the fuzzers' record checks: every line
    // of the exports and of the files for calculations, written the exports' short way (one
    // ValueText for all lines, as an export uses it), is the line of the general formatters.
    void fastLinesAreThePlainOnes_data() {
        QTest::addColumn<int>("kind"); // member, sale, communication, scheme
        QTest::addColumn<QString>("locale");
        for (int kind = 0; kind < 4; ++kind)
            for (const char* locale : {"c", "dmy", "mdy"})
                QTest::addRow("%d %s", kind, locale) << kind << QString(locale);
    }
    void fastLinesAreThePlainOnes() {
        QFETCH(int, kind);
        QFETCH(QString, locale);
        const std::vector<int> schemeSingles = {10, 28, 32, 36, 40, 44, 48, 52, 56};
        const std::tuple<int, std::vector<int>, std::vector<int>> layouts[] = {
            {211, {}, {203}}, {16, {4}, {8}}, {50, {}, {34, 42}}, {60, schemeSingles, {}}};
        const auto& [length, singles, dates] = layouts[kind];
        const LocaleRules rules = test::testRules(locale);
        std::mt19937_64 random(qHash(locale) + unsigned(kind));
        std::vector<double> common; // a few hundred days and times, so that dates repeat
        for (int i = 0; i < 300; ++i)
            common.push_back(36161 + double(random() % 9000) +
                             (i % 10 ? 0 : double(random() % 86400) / 86400));
        std::vector<RecordBytes> records(20000, RecordBytes(std::size_t(length)));
        for (RecordBytes& stored : records) {
            std::uint8_t* record = stored.data();
            for (std::uint8_t& byte : stored)
                byte = static_cast<std::uint8_t>(random());
            for (int offset : singles) {
                // Whole cents, values of every size, halves that round to even at the seventh
                // digit, whole numbers, or the random bits (NaN, infinities, tiny values).
                const double sign = random() % 4 == 0 ? -1.0 : 1.0;
                const double magnitudes[] = {
                    double(random() % 1'000'000'000) / 100.0,
                    std::pow(10.0, -6.0 + 15.0 * double(random() % 1000) / 1000),
                    double(500'000 + random() % 8'000'000) + 0.5, double(random() % 20'000'000), 0};
                const std::uint64_t pick = random() % 6;
                if (pick < 5)
                    field::putSingle(record + offset, float(sign * magnitudes[pick]));
            }
            for (int offset : dates) {
                const std::uint64_t pick = random() % 5;
                if (pick < 3)
                    field::putDouble(record + offset, common[random() % common.size()]);
                else if (pick == 3)
                    field::putDouble(record + offset,
                                     double(std::int64_t(random() % 4'000'000) - 700'000) / 7.0);
            }
        }
        fuzz::Findings found;
        if (kind == 0)
            fuzz::record_checks::members(found, records, rules);
        else if (kind == 1)
            fuzz::record_checks::sales(found, records, rules, SaleGridKind::Sales);
        else if (kind == 2)
            fuzz::record_checks::communications(found, records, rules);
        else
            fuzz::record_checks::schemes(found, records, rules);
        if (found.failed())
            QFAIL(found.first().c_str());
        ValueText plain(rules, FormatPath::Plain); // the general formatters behind one ValueText
        std::string line;
        plain.appendInt(line, -17);
        plain.appendSingle(line, 10.5f);
        plain.appendDate(line, 37211.5);
        QCOMPARE(line, "-17" + formatSingle(10.5f, rules) + formatDate(37211.5, rules));
    }
};

ZELT_TEST(ExportsTest)
#include "test_exports.moc"
