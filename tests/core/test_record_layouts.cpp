#include "storage/communication_record.h"
#include "storage/member_record.h"
#include "storage/record_file.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "support/byte_text.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"

#include <QtTest>

using namespace zelt;
using zelt::test::bytes;
using zelt::test::hex;

namespace {

constexpr double k2001_11_16 = 37211.0;

QByteArray slice(const RecordBytes& record, int offset, int width) {
    return bytes(record).mid(offset, width);
}

QByteArray blanks(int n) {
    return QByteArray(n, ' ');
}

} // namespace

class TestRecordLayouts : public QObject {
    Q_OBJECT

private slots:
    void memberNumericTail();
    void memberTexts_data();
    void memberTexts();
    void memberFieldsDoNotOverlap();
    void memberRoundTrip();
    void saleBytes();
    void communicationBytes();
    void communicationSubjectCut();
    void schemeBytes();
    void schemeUnitCut();
    void schemesInAFile();
    void replacedCharacterIsReported();
};

void TestRecordLayouts::memberNumericTail() {
    MemberRecord m;
    m.AffiliateID = 2;
    m.Ref_ID = 1;
    m.Egold_ID = 0;
    m.AP_ID = 1;
    m.Level = 2;
    m.Date = k2001_11_16;
    const RecordBytes record = m.encode();
    QCOMPARE(record.size(), std::size_t{211});
    QCOMPARE(slice(record, 185, 26), hex("02 00 00 00 01 00 00 00 00 00 00 00 01 00 02 00 00 00"
                                         "00 00 00 00 60 2B E2 40"));
    // Empty texts are blanks, all 185 bytes of them.
    QCOMPARE(slice(record, 0, 185), blanks(185));
}

void TestRecordLayouts::memberTexts_data() {
    QTest::addColumn<int>("field"); // index into the table below
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("Ann") << 0 << "Ann" << QByteArray("Ann") + blanks(17);
    QTest::newRow("surname of 25 cut to 20")
        << 1 << "ABCDEFGHIJKLMNOPQRSTUVWXY" << QByteArray("ABCDEFGHIJKLMNOPQRST");
    QTest::newRow("post code exactly 10") << 4 << "1234567890" << QByteArray("1234567890");
    QTest::newRow("phone with e acute")
        << 6 << QString::fromUtf8("+33 \xC3\xA9") << QByteArray("+33 \xE9") + blanks(10);
    QTest::newRow("url of 31") << 8 << QString(31, QLatin1Char('u')) << QByteArray(30, 'u');
    QTest::newRow("cut counts characters, not UTF-8 bytes")
        << 3 << QString(25, QChar(0xE9)) << QByteArray(20, '\xE9');
}

void TestRecordLayouts::memberTexts() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QByteArray, stored);

    const MemberRecord::Field fields[] = {
        MemberRecord::kName,  MemberRecord::kSurname,  MemberRecord::kStreet,
        MemberRecord::kCity,  MemberRecord::kPost_Cod, MemberRecord::kCountry,
        MemberRecord::kPhone, MemberRecord::kE_mail,   MemberRecord::kURL};
    std::string MemberRecord::*members[] = {
        &MemberRecord::Name,  &MemberRecord::Surname,  &MemberRecord::Street,
        &MemberRecord::City,  &MemberRecord::Post_Cod, &MemberRecord::Country,
        &MemberRecord::Phone, &MemberRecord::E_mail,   &MemberRecord::URL};

    MemberRecord m;
    m.*members[field] = text.toStdString();
    const RecordBytes record = m.encode();
    QCOMPARE(slice(record, fields[field].offset, fields[field].width), stored);
    // Read back at full width, trailing blanks included.
    const MemberRecord back = MemberRecord::decode(record.data());
    QCOMPARE(QString::fromStdString(back.*members[field]),
             QString::fromLatin1(stored.constData(), stored.size()));
}

void TestRecordLayouts::memberFieldsDoNotOverlap() {
    const MemberRecord::Field fields[] = {
        MemberRecord::kName,  MemberRecord::kSurname,  MemberRecord::kStreet,
        MemberRecord::kCity,  MemberRecord::kPost_Cod, MemberRecord::kCountry,
        MemberRecord::kPhone, MemberRecord::kE_mail,   MemberRecord::kURL};
    int next = 0;
    for (const auto& f : fields) {
        QCOMPARE(f.offset, next);
        next += f.width;
    }
    QCOMPARE(next, MemberRecord::kAffiliateID);
}

void TestRecordLayouts::memberRoundTrip() {
    MemberRecord m;
    m.Name = "Ann";
    m.Surname = "Smith";
    m.City = "K\xC3\xB6ln"; // Köln
    m.E_mail = "ann@example.org";
    m.AffiliateID = 70000;
    m.Ref_ID = -3;
    m.Egold_ID = 2147483647;
    m.AP_ID = -32768;
    m.Level = 9;
    m.Date = 37211.5;
    const MemberRecord back = MemberRecord::decode(m.encode().data());
    QCOMPARE(back.Name, std::string("Ann") + std::string(17, ' '));
    QCOMPARE(back.City, std::string("K\xC3\xB6ln") + std::string(16, ' '));
    QCOMPARE(back.E_mail, std::string("ann@example.org") + std::string(15, ' '));
    QCOMPARE(back.AffiliateID, 70000);
    QCOMPARE(back.Ref_ID, -3);
    QCOMPARE(back.Egold_ID, 2147483647);
    QCOMPARE(back.AP_ID, std::int16_t(-32768));
    QCOMPARE(back.Level, 9);
    QCOMPARE(back.Date, 37211.5);
    QCOMPARE(bytes(back.encode()), bytes(m.encode()));
}

void TestRecordLayouts::saleBytes() {
    SaleRecord s;
    s.MemberID = 3;
    s.Sum = 10.5f;
    s.Date = k2001_11_16;
    const RecordBytes record = s.encode();
    QCOMPARE(bytes(record), hex("03 00 00 00 00 00 28 41 00 00 00 00 60 2B E2 40"));
    const SaleRecord back = SaleRecord::decode(record.data());
    QCOMPARE(back.MemberID, 3);
    QCOMPARE(back.Sum, 10.5f);
    QCOMPARE(back.Date, k2001_11_16);
}

void TestRecordLayouts::communicationBytes() {
    CommunicationRecord c;
    c.MemberID = 12;
    c.Subject = "Invoice";
    c.Date = k2001_11_16;
    c.Date_R = 37211.5;
    const RecordBytes record = c.encode();
    QCOMPARE(record.size(), std::size_t{50});
    QCOMPARE(slice(record, 0, 4), hex("0C 00 00 00"));
    QCOMPARE(slice(record, 4, 30), QByteArray("Invoice") + blanks(23));
    QCOMPARE(slice(record, 34, 8), hex("00 00 00 00 60 2B E2 40"));
    QCOMPARE(slice(record, 42, 8), hex("00 00 00 00 70 2B E2 40"));
    const CommunicationRecord back = CommunicationRecord::decode(record.data());
    QCOMPARE(back.MemberID, 12);
    QCOMPARE(back.Subject, std::string("Invoice") + std::string(23, ' '));
    QCOMPARE(back.Date_R, 37211.5);
}

void TestRecordLayouts::communicationSubjectCut() {
    CommunicationRecord c;
    c.Subject = std::string(30, 'a') + "bcdef";
    QCOMPARE(slice(c.encode(), 4, 30), QByteArray(30, 'a'));
    QCOMPARE(slice(c.encode(), 34, 8), QByteArray(8, '\0')); // nothing spilt into Date
}

void TestRecordLayouts::schemeBytes() {
    SchemeRecord s;
    s.Type_of_payment = "Fixed";
    s.MinPayment = 10.5f;
    s.Periodicity = 30;
    s.Unit = "EUR";
    s.Scheme = 2;
    s.Level = {10.5f, 1, 0, 0, 0, 0, 0, -1};
    const RecordBytes record = s.encode();
    QCOMPARE(bytes(record), QByteArray("Fixed") + blanks(5) + hex("00 00 28 41 1E 00") + "EUR" +
                                blanks(7) + hex("02 00 00 00 28 41 00 00 80 3F") +
                                QByteArray(20, '\0') + hex("00 00 80 BF"));
    const SchemeRecord back = SchemeRecord::decode(record.data());
    QCOMPARE(back.Type_of_payment, std::string("Fixed     "));
    QCOMPARE(back.Unit, std::string("EUR       "));
    QCOMPARE(back.MinPayment, 10.5f);
    QCOMPARE(back.Periodicity, std::int16_t(30));
    QCOMPARE(back.Scheme, std::int16_t(2));
    QCOMPARE(back.Level[0], 10.5f);
    QCOMPARE(back.Level[1], 1.0f);
    QCOMPARE(back.Level[7], -1.0f);
}

void TestRecordLayouts::schemeUnitCut() {
    SchemeRecord s;
    s.Type_of_payment = "Percents";
    s.Unit = "Deutsche Mark";
    const RecordBytes record = s.encode();
    QCOMPARE(slice(record, 0, 10), QByteArray("Percents  "));
    QCOMPARE(slice(record, 16, 10), QByteArray("Deutsche M"));
    QCOMPARE(slice(record, 26, 2), hex("00 00"));
}

void TestRecordLayouts::schemesInAFile() {
    test::TempAppDir dir;
    auto file = RecordFile::open(dir.file(SchemeRecord::kFileName), SchemeRecord::kLength);
    for (std::int16_t n = 1; n <= 2; ++n) {
        SchemeRecord s;
        s.Type_of_payment = "Percents";
        s.Scheme = n;
        s.Level[0] = 5;
        QVERIFY(file->write(n, s.encode()).ok());
    }
    QCOMPARE(*fs::length(*fs::open(dir.file("apsettings.kvr"), fs::OpenMode::ReadOnly)),
             std::uint64_t{120});
    QCOMPARE(*file->count(), 2);
    for (std::int32_t n = 1; n <= 2; ++n)
        QCOMPARE(SchemeRecord::decode((*file->read(n))->data()).Scheme, n);
}

void TestRecordLayouts::replacedCharacterIsReported() {
    bool replaced = false;
    MemberRecord m;
    m.Name = "Ann";
    m.encode(&replaced);
    QVERIFY(!replaced);
    m.Surname = "\xE4\xB8\xAD"; // a character Windows-1252 lacks
    const RecordBytes record = m.encode(&replaced);
    QVERIFY(replaced);
    QCOMPARE(slice(record, 20, 20), QByteArray("?") + blanks(19));

    CommunicationRecord c;
    c.Subject = "\xE2\x82\xAC 5"; // the euro sign is stored
    QCOMPARE(slice(c.encode(&replaced), 4, 3), hex("80 20 35"));
    QVERIFY(!replaced);

    SchemeRecord s;
    s.Unit = "\xF0\x9F\x98\x80";
    QCOMPARE(slice(s.encode(&replaced), 16, 2), QByteArray("? "));
    QVERIFY(replaced);
}

ZELT_TEST(TestRecordLayouts)
#include "test_record_layouts.moc"
