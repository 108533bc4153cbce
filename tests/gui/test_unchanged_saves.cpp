// "Edit" and "Save" with nothing typed leave every byte of the data files and side files as they
// were, in all five editors, whatever awkward values another program stored there.
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"
#include "storage/member_record.h"
#include "storage/scheme_record.h"
#include "support/byte_text.h"
#include "support/folder_snapshot.h"
#include "support/test_registry.h"
#include "test_sales_fixture.h"

#include <QtTest>

#include <cstring>

using namespace zelt;
using namespace zelt::test;

namespace {

std::string asString(const RecordBytes& record) {
    return std::string(record.begin(), record.end());
}

// Puts raw bytes into a record at offset (a text field as another program may have left it).
void patch(RecordBytes& record, int offset, std::string_view bytes) {
    std::memcpy(record.data() + offset, bytes.data(), bytes.size());
}

// Dates with seconds, fractions of a second, and one just before midnight.
const double kNoon = serialFromDate(2001, 11, 16) + 0.5;
const double kFraction = serialFromDate(2001, 11, 16) + 45296.789 / 86400;
const double kBeforeMidnight = serialFromDate(2001, 11, 16) + 0.99999999;

} // namespace

class TestUnchangedSaves : public QObject, private SaleWindowFixture {
    Q_OBJECT

    void writeAwkwardFolder() {
        SchemeRecord scheme;
        scheme.Type_of_payment = "Percents";
        scheme.MinPayment = 123456.78f;
        scheme.Periodicity = 30;
        scheme.Unit = "$";
        scheme.Scheme = 1;
        scheme.Level = {12345678.0f, 1.5e-8f, 0.1f, 3.4e38f, -2.5f, 99999.99f, 1e10f, 0};
        RecordBytes first = scheme.encode();
        patch(first, 16, "\xA0$\x01"); // the unit with a no-break space and a control byte
        scheme.Type_of_payment = "Fixed";
        scheme.Scheme = 2;
        scheme.Level = {0.3f, 16777217.0f, 1.17549435e-38f, 0, 0, 0, 0, 7};
        writeBytes(dataFile("apsettings.kvr"), asString(first) + asString(scheme.encode()));

        MemberRecord member;
        member.Name = "Ann";
        member.AffiliateID = 1;
        member.Level = 1;
        member.Egold_ID = -5;
        member.AP_ID = 1;
        member.Date = kFraction;
        RecordBytes one = member.encode();
        patch(one, MemberRecord::kName.offset, "  Ann\xA0\x01");                // leading blanks
        patch(one, MemberRecord::kSurname.offset, std::string("Lee\0\0\0", 6)); // zero-filled
        patch(one, MemberRecord::kCity.offset, "\x81\x8D\x8F\x90\x9D");         // undefined bytes
        patch(one, MemberRecord::kURL.offset, "123456789012345678901234567890");
        member.Name = "Bob";
        member.AffiliateID = 2;
        member.Ref_ID = 1;
        member.Level = 2;
        member.AP_ID = 2;
        member.Date = kBeforeMidnight;
        writeBytes(dataFile("affiliates.kvr"), asString(one) + asString(member.encode()));
        writeBytes(addinfo("1.txt"), "a\xA0"
                                     "b\rc\nd\r\n");
        // Member 2 has no additional info file: a save creates it empty.

        writeRecords("sales.kvr", {{1, 123456.78f, kFraction}, {2, 12345678.0f, kBeforeMidnight}});
        writeRecords("payments.kvr", {{2, 1.5e-8f, kNoon}, {1, 16777217.0f, kFraction}});
        writeBytes(addinfo("s1.txt"), "a\xA0"
                                      "b\rc\r\n");
        writeBytes(addinfo("s2.txt"), "no line end\n\x01\x7F\t");
        writeBytes(addinfo("p1.txt"), "\r\n\r\n");

        CommunicationRecord exchange;
        exchange.MemberID = 1;
        exchange.Subject = "  Invoice\xA0";
        exchange.Date = kFraction;
        exchange.Date_R = kBeforeMidnight;
        RecordBytes message = exchange.encode();
        patch(message, 4 + 20, std::string("\0\x01\x1F", 3));
        exchange.MemberID = -7;
        exchange.Date = kNoon;
        writeBytes(dataFile("communications.kvr"), asString(message) + asString(exchange.encode()));
        writeBytes(dir_->file("comm/1.txt"), "line\rline\nline\x0B\xA0");
        writeBytes(dir_->file("comm/r1.txt"), "\xA0\r\n\r\n\r\n");
        writeBytes(dir_->file("comm/c2.txt"), "\x01");
    }

private slots:
    void initTestCase() { fill_message_table(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void editAndSaveChangesNothing_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("created"); // files a save creates on purpose
        QTest::newRow("members") << int(EditorKind::Members) << QStringList{"addinfo/2.txt"};
        QTest::newRow("sales") << int(EditorKind::Sales) << QStringList{};
        QTest::newRow("payments") << int(EditorKind::Payments) << QStringList{};
        QTest::newRow("communications") << int(EditorKind::Communications) << QStringList{};
        QTest::newRow("schemes") << int(EditorKind::Schemes) << QStringList{};
    }
    void editAndSaveChangesNothing() {
        QFETCH(int, kind);
        QFETCH(QStringList, created);
        writeAwkwardFolder();
        std::filesystem::create_directories(dir_->file("backcopies"));
        const FolderSnapshot before = FolderSnapshot::of(dir_->path());
        openEditor(static_cast<EditorKind>(kind));
        click("cmdFirst");
        for (int n = 1; n <= 2; ++n) {
            if (n > 1)
                click("cmdNext");
            QCOMPARE(editor_->currentRecord(), n);
            click("cmdEdit");
            click("cmdSave");
            QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
            // Saved twice: the second save starts from what the first one left on screen.
            click("cmdEdit");
            click("cmdSave");
        }
        FolderSnapshot after = FolderSnapshot::of(dir_->path());
        for (const QString& file : created) {
            QCOMPARE(bytes(after.files[file.toStdString()]), QByteArray("\r\n"));
            after.files.erase(file.toStdString());
        }
        QCOMPARE(differences(before, after), QStringList());
    }

    // A changed long text is written with CR LF line ends and keeps every character the
    // operator did not touch.
    void changedLongTextKeepsItsCharacters() {
        writeAwkwardFolder();
        openEditor(EditorKind::Sales);
        click("cmdFirst");
        click("cmdEdit");
        auto* details = control<QPlainTextEdit>("txtDetails");
        details->moveCursor(QTextCursor::End);
        QTest::keyClicks(details, QStringLiteral("d"));
        click("cmdSave");
        QCOMPARE(fileBytes(addinfo("s1.txt")), hex("61 A0 62 0D 0A 63 64 0D 0A"));
    }
};

ZELT_TEST(TestUnchangedSaves)
#include "test_unchanged_saves.moc"
