#include "export/text_export.h"

#include "storage/app_paths.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/file_system.h"
#include "storage/member_record.h"
#include "storage/record_file.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "storage/side_text.h"
#include "support/temp_app_dir.h"
#include "support/test_app.h"
#include "support/test_registry.h"

#include <QtTest>

using namespace zelt;

namespace {

const double kDay = 37211; // 16 November 2001

std::string output(const std::string& name) {
    auto bytes = fs::readWhole(filePath(testApp().dir, Folder::Output, name));
    return bytes ? *bytes : std::string("<missing>");
}

void writeRecords(const std::string& name, int length, const std::vector<RecordBytes>& records) {
    QVERIFY(ensureFolder(testApp().dir, Folder::Data).ok());
    auto file = RecordFile::open(filePath(testApp().dir, Folder::Data, name), length);
    QVERIFY(file.ok());
    for (std::size_t i = 0; i < records.size(); ++i)
        QVERIFY(file->write(static_cast<std::int32_t>(i + 1), records[i]).ok());
}

void writeSide(Folder folder, const std::string& name, const std::string& text) {
    QVERIFY(ensureFolder(testApp().dir, folder).ok());
    QVERIFY(writeSideText(filePath(testApp().dir, folder, name), text).ok());
}

std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width - text.size(), ' ');
}

} // namespace

class TextExportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempAppDir> dir_;

private slots:
    void init() {
        dir_ = std::make_unique<test::TempAppDir>();
        testApp().dir = dir_->path();
        testApp().rules = LocaleRules::dayMonthYearComma();
    }
    void cleanup() { dir_.reset(); }

    void salesAndPaymentsGoToTheirOwnFiles() {
        writeRecords("sales.kvr", 16, {SaleRecord{3, 10.5f, kDay}.encode()});
        writeRecords("payments.kvr", 16,
                     {SaleRecord{1, 0, kDay}.encode(), SaleRecord{2, 2.25f, kDay + 0.75}.encode()});
        QVERIFY(saveRecords(testApp(), RecordKind::Sales, 1, 1).ok());
        QCOMPARE(output("Sales.txt"), std::string("Member's ID;Sum;Date\r\n3;10,5;16.11.2001\r\n"));
        QCOMPARE(output("Payments.txt"), std::string("<missing>"));

        QVERIFY(saveRecords(testApp(), RecordKind::Payments, 1, 2).ok());
        QCOMPARE(output("Payments.txt"), std::string("Member's ID;Sum;Date\r\n1;0;16.11.2001\r\n"
                                                     "2;2,25;16.11.2001 18:00:00\r\n"));
        QCOMPARE(output("Sales.txt"), std::string("Member's ID;Sum;Date\r\n3;10,5;16.11.2001\r\n"));
    }

    void oneRecordOfFiveAndReplacement() {
        std::vector<RecordBytes> records;
        for (int i = 1; i <= 5; ++i)
            records.push_back(SaleRecord{i, float(i), kDay}.encode());
        writeRecords("sales.kvr", 16, records);
        QVERIFY(saveRecords(testApp(), RecordKind::Sales, 1, 5).ok());
        QVERIFY(saveRecords(testApp(), RecordKind::Sales, 2, 2).ok());
        QCOMPARE(output("Sales.txt"), std::string("Member's ID;Sum;Date\r\n2;2;16.11.2001\r\n"));
    }

    void emptyFileAndNoCurrentRecord() {
        writeRecords("sales.kvr", 16, {});
        QVERIFY(saveRecords(testApp(), RecordKind::Sales, 1, 0).ok());
        QCOMPARE(output("Sales.txt"), std::string("Member's ID;Sum;Date\r\n"));
        QVERIFY(saveRecords(testApp(), RecordKind::Sales, 0, 0).ok());
        QCOMPARE(output("Sales.txt"), std::string("<missing>"));
        QVERIFY(
            saveRecords(testApp(), RecordKind::Sales, 0, 0).ok()); // nothing to delete: still fine
    }

    void recordsPastTheEndGetNoLine() {
        // A record allotted but not yet saved lies past the end of the file.
        writeRecords("sales.kvr", 16, {SaleRecord{3, 10.5f, kDay}.encode()});
        QVERIFY(saveRecords(testApp(), RecordKind::Sales, 2, 2).ok());
        QCOMPARE(output("Sales.txt"), std::string("Member's ID;Sum;Date\r\n"));
        QVERIFY(saveRecords(testApp(), RecordKind::Sales, 1, 2).ok());
        QCOMPARE(output("Sales.txt"), std::string("Member's ID;Sum;Date\r\n3;10,5;16.11.2001\r\n"));
    }

    void memberLinesCarryTheirAdditionalInfo() {
        MemberRecord first;
        first.Name = "Bob";
        first.AffiliateID = 1;
        first.Level = 1;
        first.AP_ID = 1;
        first.Date = kDay;
        MemberRecord ann;
        ann.Name = "Ann";
        ann.Surname = "Lee";
        ann.AffiliateID = 2;
        ann.Ref_ID = 1;
        ann.Level = 2;
        ann.AP_ID = 1;
        ann.Date = kDay;
        writeRecords("affiliates.kvr", 211, {first.encode(), ann.encode()});
        writeSide(Folder::Addinfo, "2.txt", "VIP");

        QVERIFY(saveRecords(testApp(), RecordKind::Members, 1, 2).ok());
        const std::string blanks = std::string(20, ' ') + ";" + std::string(20, ' ') + ";" +
                                   std::string(10, ' ') + ";" + std::string(20, ' ') + ";" +
                                   std::string(15, ' ') + ";" + std::string(30, ' ') + ";" +
                                   std::string(30, ' ') + ";";
        QCOMPARE(output("affiliates.txt"),
                 std::string("Name;Surname;Street;City;Post Cod;Country;Phone;E_mail;URL;"
                             "Member's ID;Refference's ID;Egold's ID;Level;Payment Scheme;Date;"
                             "Additional Info\r\n") +
                     padded("Bob", 20) + ";" + padded("", 20) + ";" + blanks +
                     "1;0;0;1;1;16.11.2001;\r\n" + padded("Ann", 20) + ";" + padded("Lee", 20) +
                     ";" + blanks + "2;1;0;2;1;16.11.2001;VIP \r\n");
    }

    void communicationLineFlattensTheThreeTexts() {
        std::vector<RecordBytes> records;
        for (int i = 1; i <= 3; ++i) {
            CommunicationRecord c;
            c.MemberID = i == 3 ? 17 : i;
            c.Subject = i == 3 ? "Offer" : "x";
            c.Date = kDay;
            c.Date_R = kDay + 1;
            records.push_back(c.encode());
        }
        writeRecords("communications.kvr", 50, records);
        writeSide(Folder::Comm, "3.txt", "Hi\r\nthere");
        writeSide(Folder::Comm, "c3.txt", "ok");
        writeSide(Folder::Comm, "1.txt", "a;b\rc\nd");

        QVERIFY(saveRecords(testApp(), RecordKind::Communications, 1, 3).ok());
        QCOMPARE(output("communications.txt"),
                 std::string("Member's ID;Subject;Message;Date;Responce;Date of responce;"
                             "Comments\r\n") +
                     "1;" + padded("x", 30) + ";a;b\rc\nd ;16.11.2001;;17.11.2001;\r\n" + "2;" +
                     padded("x", 30) + ";;16.11.2001;;17.11.2001;\r\n" + "17;" +
                     padded("Offer", 30) + ";Hi there ;16.11.2001;;17.11.2001;ok \r\n");
    }

    void communicationExportDoesNotCreateTheCommFolder() {
        CommunicationRecord c;
        c.Subject = "s";
        writeRecords("communications.kvr", 50, {c.encode()});
        QVERIFY(saveRecords(testApp(), RecordKind::Communications, 1, 1).ok());
        QCOMPARE(fs::isFolder(folderPath(testApp().dir, Folder::Comm)).value(), false);
    }

    void schemeLinesEndWithTheExportDay() {
        SchemeRecord scheme;
        scheme.Type_of_payment = "Fixed";
        scheme.MinPayment = 2.5f;
        scheme.Periodicity = 30;
        scheme.Unit = "$";
        scheme.Scheme = 1;
        scheme.Level = {5, 0, 0, 0, 0, 0, 0, -1.5f};
        SchemeRecord second = scheme;
        second.Scheme = 2;
        writeRecords("apsettings.kvr", 60, {scheme.encode(), second.encode()});

        QVERIFY(saveRecords(testApp(), RecordKind::Schemes, 1, 2).ok());
        const std::string day = formatDate(today(), testApp().rules);
        const std::string header = "Level1;Level2;Level3;Level4;Level5;Level6;Level7;Level8;"
                                   "MinPayment;Periodicity;Scheme;Type_of_payment;Unit;Date\r\n";
        QCOMPARE(output("APsettings.txt"),
                 header + "5;0;0;0;0;0;0;-1,5;2,5;30;1;Fixed     ;$         ;" + day + "\r\n" +
                     "5;0;0;0;0;0;0;-1,5;2,5;30;2;Fixed     ;$         ;" + day + "\r\n");
        QVERIFY(saveRecords(testApp(), RecordKind::Schemes, 0, 0).ok());
        QCOMPARE(output("APsettings.txt"), std::string("<missing>"));
    }
};

ZELT_TEST(TextExportTest)
#include "test_text_export.moc"
