#include "storage/record_file.h"
#include "support/byte_text.h"
#include "support/fault_hook.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"

#include <QtTest>

#include <cerrno>
#include <fstream>

using namespace zelt;
using zelt::test::bytes;

namespace {

void writePlain(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// A 16-byte record whose every byte is the given value.
RecordBytes filled(std::uint8_t value) {
    return RecordBytes(16, value);
}

} // namespace

class TestRecordFile : public QObject {
    Q_OBJECT

private slots:
    void recordCount_data();
    void recordCount();
    void openCreatesAMissingFileEmpty();
    void openForReadingCreatesNothing();
    void readsPastTheEnd_data();
    void readsPastTheEnd();
    void writeExtendsByOneRecord();
    void writeOverwritesInPlace();
    void twoHandlesSeeEachOthersWrites();
    void writeRefusesAWrongRecord();
    void failedWriteIsReported();
    void scanVisitsStoredRecords_data();
    void scanVisitsStoredRecords();
    void scanCrossesBlocks();
    void scanStopsWhenAsked();
};

void TestRecordFile::recordCount_data() {
    QTest::addColumn<quint64>("length");
    QTest::addColumn<int>("recordLength");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << quint64(0) << 16 << 0;
    QTest::newRow("half of one, to even 0") << quint64(8) << 16 << 0;
    QTest::newRow("a bit over half") << quint64(9) << 16 << 1;
    QTest::newRow("whole") << quint64(32) << 16 << 2;
    QTest::newRow("1.5 to even 2") << quint64(24) << 16 << 2;
    QTest::newRow("2.5 to even 2") << quint64(40) << 16 << 2;
    QTest::newRow("3.5 to even 4") << quint64(56) << 16 << 4;
    QTest::newRow("members 317") << quint64(317) << 211 << 2;
    QTest::newRow("members 422") << quint64(422) << 211 << 2;
    QTest::newRow("members 316") << quint64(316) << 211 << 1;
    QTest::newRow("just under half of an odd length") << quint64(211 * 3 + 105) << 211 << 3;
    QTest::newRow("communications 100") << quint64(100) << 50 << 2;
    QTest::newRow("communications 125 to even 2") << quint64(125) << 50 << 2;
    QTest::newRow("schemes 120") << quint64(120) << 60 << 2;
    QTest::newRow("clamped") << quint64(1) << 0 << 0;
    QTest::newRow("beyond 32 bits") << (quint64(1) << 40) << 16 << 2147483647;
}

void TestRecordFile::recordCount() {
    QFETCH(quint64, length);
    QFETCH(int, recordLength);
    QFETCH(int, count);
    QCOMPARE(recordCountForLength(length, recordLength), count);
}

void TestRecordFile::openCreatesAMissingFileEmpty() {
    test::TempAppDir dir;
    auto file = RecordFile::open(dir.file("sales.kvr"), 16);
    QVERIFY(file.ok());
    QCOMPARE(*file->count(), 0);
    QCOMPARE(file->recordLength(), 16);
    QCOMPARE(*fs::isFile(dir.file("sales.kvr")), true);
    QCOMPARE(bytes(*fs::readWhole(dir.file("sales.kvr"))), QByteArray());
    QVERIFY(!file->read(1)->has_value());
}

void TestRecordFile::openForReadingCreatesNothing() {
    test::TempAppDir dir;
    auto file = RecordFile::openForReading(dir.file("affiliates.kvr"), 211);
    QVERIFY(!file.ok());
    QVERIFY(file.error().isMissing());
    QCOMPARE(*fs::isFile(dir.file("affiliates.kvr")), false);
}

void TestRecordFile::readsPastTheEnd_data() {
    QTest::addColumn<int>("fileLength");
    QTest::addColumn<int>("record");
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<int>("storedBytes"); // bytes of the record that come from the file
    QTest::newRow("whole record") << 32 << 2 << true << 16;
    QTest::newRow("half record") << 24 << 2 << true << 8;
    QTest::newRow("one byte") << 17 << 2 << true << 1;
    QTest::newRow("just past the end") << 32 << 3 << false << 0;
    QTest::newRow("far past the end") << 32 << 1000 << false << 0;
    QTest::newRow("record 0") << 32 << 0 << false << 0;
    QTest::newRow("negative record") << 32 << -1 << false << 0;
}

void TestRecordFile::readsPastTheEnd() {
    QFETCH(int, fileLength);
    QFETCH(int, record);
    QFETCH(bool, hasValue);
    QFETCH(int, storedBytes);

    test::TempAppDir dir;
    std::string content(static_cast<std::size_t>(fileLength), '\0');
    for (int i = 0; i < fileLength; ++i)
        content[static_cast<std::size_t>(i)] = static_cast<char>(0x80 + i);
    writePlain(dir.file("f.kvr"), content);

    auto file = RecordFile::open(dir.file("f.kvr"), 16);
    auto read = file->read(record);
    QVERIFY(read.ok());
    QCOMPARE(read->has_value(), hasValue);
    if (!hasValue)
        return;
    QByteArray expected(16, '\0');
    for (int i = 0; i < storedBytes; ++i)
        expected[i] = static_cast<char>(0x80 + (record - 1) * 16 + i);
    QCOMPARE(bytes(**read), expected);
    QCOMPARE(bytes(*fs::readWhole(dir.file("f.kvr"))), bytes(content)); // reading changed nothing
}

void TestRecordFile::writeExtendsByOneRecord() {
    test::TempAppDir dir;
    auto file = RecordFile::open(dir.file("f.kvr"), 16);
    QVERIFY(file->write(1, filled(0x11)).ok());
    QVERIFY(file->write(*file->count() + 1, filled(0x22)).ok());
    QCOMPARE(*file->count(), 2);
    QCOMPARE(bytes(*fs::readWhole(dir.file("f.kvr"))),
             QByteArray(16, '\x11') + QByteArray(16, '\x22'));
}

void TestRecordFile::writeOverwritesInPlace() {
    test::TempAppDir dir;
    writePlain(dir.file("f.kvr"), std::string(48, 'a'));
    auto file = RecordFile::open(dir.file("f.kvr"), 16);
    QVERIFY(file->write(2, filled('b')).ok());
    QCOMPARE(bytes(*fs::readWhole(dir.file("f.kvr"))),
             QByteArray(16, 'a') + QByteArray(16, 'b') + QByteArray(16, 'a'));
}

void TestRecordFile::twoHandlesSeeEachOthersWrites() {
    test::TempAppDir dir;
    auto editor = RecordFile::open(dir.file("f.kvr"), 16);
    auto reader = RecordFile::openForReading(dir.file("f.kvr"), 16);
    QVERIFY(editor.ok() && reader.ok());
    QCOMPARE(*reader->count(), 0);

    QVERIFY(editor->write(1, filled(7)).ok());
    QCOMPARE(*reader->count(), 1);
    QCOMPARE(bytes(**reader->read(1)), bytes(filled(7)));

    auto second = RecordFile::open(dir.file("f.kvr"), 16);
    QVERIFY(second->write(1, filled(9)).ok());
    QCOMPARE(bytes(**editor->read(1)), bytes(filled(9)));
}

void TestRecordFile::writeRefusesAWrongRecord() {
    test::TempAppDir dir;
    auto file = RecordFile::open(dir.file("f.kvr"), 16);
    QVERIFY(!file->write(1, RecordBytes(15, 0)).ok());
    QVERIFY(!file->write(0, filled(1)).ok());
    QCOMPARE(*file->count(), 0);
}

void TestRecordFile::failedWriteIsReported() {
    test::TempAppDir dir;
    const std::string path = dir.file("f.kvr");
    auto file = RecordFile::open(path, 16);
    QVERIFY(file->write(1, filled(1)).ok());
    {
        test::ScopedFaultHook hook(test::failOn(fs::Op::Write, path, ENOSPC));
        const Status failed = file->write(2, filled(2));
        QCOMPARE(failed.error().message(),
                 "Cannot write \"" + path + "\": No space left on device");
    }
    {
        // The disk fills in the middle of the append: the half record written is cut off again.
        test::ScopedFaultHook hook([&](fs::Op op, const std::string& where) {
            if (op != fs::Op::Write || where != path)
                return 0;
            std::ofstream(path, std::ios::binary | std::ios::app) << std::string(8, '\x02');
            return ENOSPC;
        });
        QVERIFY(!file->write(2, filled(2)).ok());
        QCOMPARE(bytes(*fs::readWhole(path)), QByteArray(16, '\x01'));
    }
    {
        test::ScopedFaultHook hook(test::failOn(fs::Op::Sync, path, EIO));
        QCOMPARE(file->write(1, filled(3)).error().action, std::string("save to disk"));
    }
    QCOMPARE(*file->count(), 1);             // the failed append left the file as it was
    QVERIFY(file->write(2, filled(2)).ok()); // and the handle stays usable
    QCOMPARE(*file->count(), 2);
}

void TestRecordFile::scanVisitsStoredRecords_data() {
    QTest::addColumn<int>("fileLength");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QList<int>>("visited");
    QTest::newRow("all") << 48 << 1 << 3 << QList<int>{1, 2, 3};
    QTest::newRow("past the end not visited") << 48 << 1 << 10 << QList<int>{1, 2, 3};
    QTest::newRow("partial last visited") << 40 << 1 << 10 << QList<int>{1, 2, 3};
    QTest::newRow("range") << 48 << 2 << 2 << QList<int>{2};
    QTest::newRow("first below 1") << 32 << -5 << 1 << QList<int>{1};
    QTest::newRow("empty range") << 48 << 3 << 2 << QList<int>{};
    QTest::newRow("empty file") << 0 << 1 << 5 << QList<int>{};
}

void TestRecordFile::scanVisitsStoredRecords() {
    QFETCH(int, fileLength);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QList<int>, visited);

    test::TempAppDir dir;
    std::string content;
    for (int i = 0; i < fileLength; ++i)
        content += static_cast<char>(i / 16 + 1);
    writePlain(dir.file("f.kvr"), content);
    auto file = RecordFile::open(dir.file("f.kvr"), 16);

    QList<int> seen;
    QVERIFY(file->scan(first, last,
                       [&](std::int32_t n, const std::uint8_t* record) {
                           seen << n;
                           const auto stored = std::min(16, fileLength - (n - 1) * 16);
                           for (int i = 0; i < 16; ++i)
                               if (record[i] != (i < stored ? n : 0))
                                   return false;
                           return true;
                       })
                .ok());
    QCOMPARE(seen, visited);
}

void TestRecordFile::scanCrossesBlocks() {
    // More than one block of 211-byte records, ending in a partial record.
    constexpr int kRecords = 12000;
    test::TempAppDir dir;
    std::string content;
    content.reserve(kRecords * 211);
    for (int n = 1; n <= kRecords; ++n) {
        std::string record(211, '\0');
        std::memcpy(record.data(), &n, sizeof n); // the test's own marker, not a record layout
        content += record;
    }
    content.resize(content.size() - 100);
    writePlain(dir.file("affiliates.kvr"), content);

    auto file = RecordFile::openForReading(dir.file("affiliates.kvr"), 211);
    int expected = 1;
    bool inOrder = true;
    QVERIFY(file->scan(1, kRecords + 5,
                       [&](std::int32_t n, const std::uint8_t* record) {
                           int marker;
                           std::memcpy(&marker, record, sizeof marker);
                           inOrder = inOrder && n == expected && marker == n;
                           ++expected;
                           return true;
                       })
                .ok());
    QVERIFY(inOrder);
    QCOMPARE(expected - 1, kRecords);
}

void TestRecordFile::scanStopsWhenAsked() {
    test::TempAppDir dir;
    writePlain(dir.file("f.kvr"), std::string(16 * 10, 'x'));
    auto file = RecordFile::open(dir.file("f.kvr"), 16);
    int visits = 0;
    QVERIFY(file->scan(1, 10,
                       [&](std::int32_t n, const std::uint8_t*) {
                           ++visits;
                           return n < 4;
                       })
                .ok());
    QCOMPARE(visits, 4);

    test::ScopedFaultHook hook(test::failEvery(fs::Op::Read, EIO));
    QVERIFY(!file->scan(1, 10, [](std::int32_t, const std::uint8_t*) { return true; }).ok());
}

ZELT_TEST(TestRecordFile)
#include "test_record_file.moc"
