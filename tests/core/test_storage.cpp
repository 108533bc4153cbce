// The storage layer: folders and paths, the file operations and their faults, record files and
// the byte layouts of their records, whole-file writes and the side texts.
#include "core_fixture.h"
#include "storage/communication_record.h"
#include "storage/member_record.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "storage/side_text.h"
#include "storage/whole_file_writer.h"
#include "support/fault_hook.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

using namespace zelt;
using test::bytes;
using test::hex;
using test::row;
using test::TempAppDir;
using test::writePlain;

Q_DECLARE_METATYPE(zelt::fs::Op)

namespace {

QByteArray fileBytes(const std::string& path) {
    return bytes(test::readPlain(path));
}

QByteArray padded(const QByteArray& text, int width) {
    return text + QByteArray(width - text.size(), ' ');
}

using Names = std::vector<std::string>;

Names sortedNames(const std::string& folder) {
    auto names = *fs::list(folder);
    std::sort(names.begin(), names.end());
    return names;
}

std::string patterned(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 31 + i / 1000) % 256);
    return data;
}

// One file operation by name, on the files "f" (holding "content") and "g" of the folder.
Status runOperation(const QString& name, const TempAppDir& d) {
    auto f = fs::open(d.file("f"), fs::OpenMode::ReadWriteCreate);
    char c;
    if (name == "exists")
        return fs::isFile(d.file("f")).status();
    if (name == "create folder")
        return fs::createFolder(d.file("sub"));
    if (name == "open")
        return fs::open(d.file("f"), fs::OpenMode::ReadOnly).status();
    if (name == "read")
        return fs::readAt(*f, 0, &c, 1).status();
    if (name == "write")
        return fs::writeAt(*f, 0, "c", 1);
    if (name == "sync")
        return fs::sync(*f);
    if (name == "length")
        return fs::length(*f).status();
    if (name.startsWith("rename"))
        return fs::rename(d.file("f"), d.file("g"));
    if (name == "copy")
        return fs::copy(d.file("f"), d.file("g"));
    if (name == "remove")
        return fs::remove(d.file("f"));
    if (name == "list")
        return fs::list(d.path()).status();
    return fs::readWhole(d.file("f")).status();
}

} // namespace

class TestStorage : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { fs::setFaultHook({}); }

    void paths_data() {
        test::textRows(R"(
plain | /home/x | data | /home/x/data
head ends in slash | /home/x/ | data | /home/x/data
tail begins with slash | /home/x | /data | /home/x/data
both | /home/x// | //data | /home/x/data
root | / | data | /data
relative | app | sales.kvr | app/sales.kvr
)");
    }
    void paths() {
        const QByteArrayList f = test::fields();
        QCOMPARE(bytes(joinPath(f[0].toStdString(), f[1].toStdString())), f[2]);
        QCOMPARE(folderPath("/a/", Folder::Backcopies), std::string("/a/backcopies"));
        QCOMPARE(filePath("/a", Folder::Data, "x") + filePath("/a", Folder::Addinfo, "s1") +
                     filePath("/a", Folder::Comm, "r1") + filePath("/a", Folder::Output, "S"),
                 std::string("/a/data/x/a/addinfo/s1/a/comm/r1/a/output/S"));
    }

    void folders() {
        TempAppDir dir;
        QVERIFY(ensureFolder(dir.path(), Folder::Comm).ok());
        writePlain(dir.file("comm/1.txt"), "kept");
        QVERIFY(ensureFolder(dir.path(), Folder::Comm).ok()); // found and left unchanged
        QCOMPARE(fileBytes(dir.file("comm/1.txt")), QByteArray("kept"));
        QVERIFY(!ensureFolder(dir.file("missing"), Folder::Data).ok()); // one level only
        writePlain(dir.file("output"), "a file, not a folder");
        QVERIFY(!ensureFolder(dir.path(), Folder::Output).ok());
        QCOMPARE(*fs::isFolder(dir.file("comm")), true);
        QCOMPARE(*fs::isFile(dir.file("comm")), false);
        QCOMPARE(*fs::isFile(dir.file("output")), true);
        QCOMPARE(*fs::isFolder(dir.file("output")), false);
        QCOMPARE(*fs::isFile(dir.file("missing")), false); // missing paths are no error
        QCOMPARE(*fs::isFolder(dir.file("output/below")), false);
        QCOMPARE(fs::createFolder(dir.file("a/b")).error().message(),
                 "Cannot create the folder \"" + dir.file("a/b") + "\": No such file or directory");
        QCOMPARE(sortedNames(dir.path()), (Names{"comm", "output"}));
        QVERIFY(!fs::list(dir.file("missing")).ok());
    }

    void plainFileOperations() {
        TempAppDir dir;
        const std::string path = dir.file("f.kvr");
        QVERIFY(fs::open(path, fs::OpenMode::ReadOnly).error().isMissing());
        QCOMPARE(*fs::isFile(path), false);
        auto created = fs::open(path, fs::OpenMode::ReadWriteCreate);
        QCOMPARE(*fs::length(*created), std::uint64_t{0});
        QVERIFY(fs::writeAt(*created, 4, "xy", 2).ok()); // past the end: a gap of zeros
        QVERIFY(fs::sync(*created).ok());
        QCOMPARE(fileBytes(path), QByteArray("\0\0\0\0xy", 6));
        char buffer[8] = {};
        QCOMPARE(*fs::readAt(*created, 3, buffer, sizeof buffer), std::size_t{3});
        QCOMPARE(QByteArray(buffer, 3), QByteArray("\0xy", 3));
        QCOMPARE(*fs::readAt(*created, 6, buffer, sizeof buffer), std::size_t{0});
        created->close();
        QVERIFY(!created->isOpen());
        QCOMPARE(*fs::length(*fs::open(path, fs::OpenMode::ReadWriteCreate)), std::uint64_t{6});
        QCOMPARE(*fs::length(*fs::open(path, fs::OpenMode::WriteNew)), std::uint64_t{0});
        QCOMPARE(fs::open(dir.path(), fs::OpenMode::ReadOnly).error().message(),
                 "Cannot open \"" + dir.path() + "\": Is a directory");
        const std::string big = patterned(3 * 1024 * 1024 + 17);
        writePlain(dir.file("from"), big);
        writePlain(dir.file("to"), std::string(5 * 1024 * 1024, 'o'));
        QVERIFY(fs::copy(dir.file("from"), dir.file("to")).ok());
        QVERIFY(*fs::readWhole(dir.file("to")) == big);
        QVERIFY(fs::copy(dir.file("missing"), dir.file("other")).error().isMissing());
        QCOMPARE(*fs::isFile(dir.file("other")), false);
        QCOMPARE(fs::rename(dir.file("missing"), dir.file("other")).error().message(),
                 "Cannot rename \"" + dir.file("missing") + "\" to \"" + dir.file("other") +
                     "\": No such file or directory");
        QVERIFY(fs::readWhole(dir.file("missing")).error().isMissing());
    }

    // A fault on one operation and path fails just that operation, with the reason named.
    void faultFailsTheOperation_data() {
        QTest::addColumn<fs::Op>("op");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        row("exists", fs::Op::Exists, "/f", "Cannot find \"%1/f\"");
        row("create folder", fs::Op::CreateFolder, "/sub", "Cannot create the folder \"%1/sub\"");
        row("open", fs::Op::Open, "/f", "Cannot open \"%1/f\"");
        row("read", fs::Op::Read, "/f", "Cannot read \"%1/f\"");
        row("write", fs::Op::Write, "/f", "Cannot write \"%1/f\"");
        row("sync", fs::Op::Sync, "/f", "Cannot save to disk \"%1/f\"");
        row("length", fs::Op::Length, "/f", "Cannot get the length of \"%1/f\"");
        row("rename by source", fs::Op::Rename, "/f", "Cannot rename \"%1/f\" to \"%1/g\"");
        row("rename by target", fs::Op::Rename, "/g", "Cannot rename \"%1/f\" to \"%1/g\"");
        row("copy", fs::Op::Copy, "/g", "Cannot copy \"%1/f\" to \"%1/g\"");
        row("remove", fs::Op::Remove, "/f", "Cannot delete \"%1/f\"");
        row("list", fs::Op::List, "", "Cannot list \"%1\"");
        row("read whole", fs::Op::Read, "/f", "Cannot read \"%1/f\"");
    }
    void faultFailsTheOperation() {
        QFETCH(fs::Op, op);
        QFETCH(QString, path);
        QFETCH(QString, message);
        TempAppDir dir;
        writePlain(dir.file("f"), "content");
        const QString root = QString::fromStdString(dir.path());
        {
            test::ScopedFaultHook hook(test::failOn(op, (root + path).toStdString(), EACCES));
            const Status failed = runOperation(QTest::currentDataTag(), dir);
            QCOMPARE(QString::fromStdString(failed.error().message()),
                     message.arg(root) + ": Permission denied");
            QCOMPARE(failed.error().code, EACCES);
        }
        QVERIFY(runOperation(QTest::currentDataTag(), dir).ok()); // the fault changed nothing
    }

    // File length | record length | records counted (a partial record over half counts).
    void recordCount_data() {
        test::textRows(R"(
empty | 0 | 16 | 0
half of one, to even 0 | 8 | 16 | 0
a bit over half | 9 | 16 | 1
whole | 32 | 16 | 2
1.5 to even 2 | 24 | 16 | 2
2.5 to even 2 | 40 | 16 | 2
3.5 to even 4 | 56 | 16 | 4
members 317 | 317 | 211 | 2
members 316 | 316 | 211 | 1
just under half, odd length | 738 | 211 | 3
communications 125 | 125 | 50 | 2
clamped | 1 | 0 | 0
beyond 32 bits | 1099511627776 | 16 | 2147483647
)");
    }
    void recordCount() {
        const QByteArrayList f = test::fields();
        QCOMPARE(recordCountForLength(f[0].toULongLong(), f[1].toInt()), f[2].toInt());
    }

    // File length | record read | bytes of it from the file (-1: no record). The file holds
    // the bytes 0x80, 0x81, ...; a partial record is zero-filled.
    void readRecord_data() {
        test::textRows(R"(
whole record | 32 | 2 | 16
half record | 24 | 2 | 8
one byte | 17 | 2 | 1
just past the end | 32 | 3 | -1
far past the end | 32 | 1000 | -1
record 0 | 32 | 0 | -1
negative record | 32 | -1 | -1
)");
    }
    void readRecord() {
        const QByteArrayList f = test::fields();
        const int record = f[1].toInt(), stored = f[2].toInt();
        TempAppDir dir;
        std::string content;
        for (int i = 0; i < f[0].toInt(); ++i)
            content += static_cast<char>(0x80 + i);
        writePlain(dir.file("f.kvr"), content);
        auto read = RecordFile::open(dir.file("f.kvr"), 16)->read(record);
        QCOMPARE(read->has_value(), stored >= 0);
        if (stored >= 0)
            QCOMPARE(bytes(**read),
                     bytes(content).mid((record - 1) * 16, stored) + QByteArray(16 - stored, 0));
        QCOMPARE(fileBytes(dir.file("f.kvr")), bytes(content)); // reading changed nothing
    }

    void recordFileWrites() {
        TempAppDir dir;
        const std::string path = dir.file("f.kvr");
        QVERIFY(RecordFile::openForReading(path, 16).error().isMissing());
        QCOMPARE(*fs::isFile(path), false); // reading creates nothing
        auto file = RecordFile::open(path, 16);
        QCOMPARE(*fs::isFile(path), true); // an editor's open creates it empty
        QCOMPARE(*file->count(), 0);
        QCOMPARE(file->recordLength(), 16);
        QVERIFY(!file->read(1)->has_value());
        auto reader = RecordFile::openForReading(path, 16);
        QVERIFY(file->write(1, RecordBytes(16, 1)).ok());
        QVERIFY(file->write(2, RecordBytes(16, 'a')).ok());
        QVERIFY(file->write(3, RecordBytes(16, 3)).ok());
        QVERIFY(file->write(2, RecordBytes(16, 2)).ok()); // in place
        QCOMPARE(*reader->count(), 3);                    // another handle sees the writes
        QCOMPARE(bytes(**reader->read(2)), QByteArray(16, 2));
        QCOMPARE(fileBytes(path), QByteArray(16, 1) + QByteArray(16, 2) + QByteArray(16, 3));
        QVERIFY(!file->write(4, RecordBytes(15, 0)).ok());
        QVERIFY(!file->write(0, RecordBytes(16, 0)).ok());
        {
            test::ScopedFaultHook hook(test::failOn(fs::Op::Write, path, ENOSPC));
            QCOMPARE(file->write(4, RecordBytes(16, 4)).error().message(),
                     "Cannot write \"" + path + "\": No space left on device");
        }
        {
            // The disk fills in the middle of an append: the half record is cut off again.
            test::ScopedFaultHook hook([&](fs::Op op, const std::string& where) {
                if (op == fs::Op::Write && where == path)
                    std::ofstream(path, std::ios::binary | std::ios::app) << std::string(8, 4);
                return op == fs::Op::Write && where == path ? ENOSPC : 0;
            });
            QVERIFY(!file->write(4, RecordBytes(16, 4)).ok());
        }
        {
            test::ScopedFaultHook hook(test::failOn(fs::Op::Sync, path, EIO));
            QCOMPARE(file->write(1, RecordBytes(16, 1)).error().action,
                     std::string("save to disk"));
        }
        QCOMPARE(fileBytes(path), QByteArray(16, 1) + QByteArray(16, 2) + QByteArray(16, 3));
        QVERIFY(file->write(4, RecordBytes(16, 4)).ok()); // the handle stays usable
        QCOMPARE(*file->count(), 4);
    }

    // File length | first | last | records visited (the visitor stops after record 4). Record n
    // holds bytes n, zero-filled when partial.
    void scan_data() {
        test::textRows(R"(
all | 48 | 1 | 3 | 1 2 3
past the end not visited | 48 | 1 | 10 | 1 2 3
partial last visited | 40 | 1 | 10 | 1 2 3
range | 48 | 2 | 2 | 2
first below 1 | 32 | -5 | 1 | 1
empty range | 48 | 3 | 2 |
empty file | 0 | 1 | 5 |
stops when asked | 160 | 1 | 10 | 1 2 3 4
)");
    }
    void scan() {
        const QByteArrayList f = test::fields();
        const int length = f[0].toInt();
        TempAppDir dir;
        std::string content;
        for (int i = 0; i < length; ++i)
            content += static_cast<char>(i / 16 + 1);
        writePlain(dir.file("f.kvr"), content);
        auto file = RecordFile::open(dir.file("f.kvr"), 16);
        QByteArrayList seen;
        QVERIFY(file->scan(f[1].toInt(), f[2].toInt(),
                           [&](std::int32_t n, const std::uint8_t* r) {
                               seen << QByteArray::number(n);
                               for (int i = 0; i < 16; ++i)
                                   if (r[i] != (i < std::min(16, length - (n - 1) * 16) ? n : 0))
                                       seen << "wrong byte";
                               return n < 4;
                           })
                    .ok());
        QCOMPARE(seen.join(' '), f[3]);
        test::ScopedFaultHook hook(test::failEvery(fs::Op::Read, EIO));
        QVERIFY(length == 0 ||
                !file->scan(1, 10, [](std::int32_t, const std::uint8_t*) { return true; }).ok());
    }

    void scanCrossesBlocks() {
        // More than one block of 211-byte records, ending in a partial record.
        constexpr int kRecords = 12000;
        TempAppDir dir;
        std::string content(std::size_t{kRecords} * 211 - 100, '\0');
        for (int n = 1; n <= kRecords; ++n)
            std::memcpy(content.data() + (n - 1) * 211, &n, sizeof n); // the test's own marker
        writePlain(dir.file("affiliates.kvr"), content);
        auto file = RecordFile::openForReading(dir.file("affiliates.kvr"), 211);
        int expected = 1;
        QVERIFY(file->scan(1, kRecords + 5,
                           [&](std::int32_t n, const std::uint8_t* record) {
                               int marker;
                               std::memcpy(&marker, record, sizeof marker);
                               expected += n == expected && marker == n ? 1 : 1000000;
                               return true;
                           })
                    .ok());
        QCOMPARE(expected - 1, kRecords);
    }

    // Records as stored: the exact bytes of each kind, and the same bytes again once read back.
    void layouts_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("encoded");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<QByteArray>("expected");
        MemberRecord m;
        row("empty member", "member", bytes(m.encode()), false,
            QByteArray(185, ' ') + QByteArray(26, '\0'));
        m.Name = "Ann";
        m.Surname = "ABCDEFGHIJKLMNOPQRSTUVWXY";
        m.Street = "Main street";
        m.City = std::string(25 * 2, '\0');
        for (int i = 0; i < 25; ++i)
            m.City.replace(i * 2, 2, "\xC3\xA9");
        m.Post_Cod = "1234567890";
        m.Country = "K\xC3\xB6ln";
        m.Phone = "+33 \xE2\x82\xAC";
        m.E_mail = "ann@x.org";
        m.URL = std::string(31, 'u');
        m.AffiliateID = 2;
        m.Ref_ID = -3;
        m.Egold_ID = 2147483647;
        m.AP_ID = -32768;
        m.Level = 2;
        m.Date = 37211;
        bool replaced = true;
        const RecordBytes member = m.encode(&replaced);
        row("member", "member", bytes(member), replaced,
            padded("Ann", 20) + "ABCDEFGHIJKLMNOPQRST" + padded("Main street", 20) +
                QByteArray(20, '\xE9') + "1234567890" + padded("K\xF6ln", 20) +
                padded("+33 \x80", 15) + padded("ann@x.org", 30) + QByteArray(30, 'u') +
                hex("02 00 00 00 FD FF FF FF FF FF FF 7F 00 80 02 00 00 00 00 00 00 00 60 2B E2 "
                    "40"));
        m.Surname = "\xE4\xB8\xAD"; // a character Windows-1252 lacks
        row("member, unstorable", "member", bytes(m.encode(&replaced)), replaced,
            bytes(member).left(20) + padded("?", 20) + bytes(member).mid(40));
        row("sale", "sale", bytes(SaleRecord{3, 10.5f, 37211}.encode()), false,
            hex("03 00 00 00 00 00 28 41 00 00 00 00 60 2B E2 40"));
        CommunicationRecord c{12, "Invoice", 37211, 37211.5};
        row("communication", "communication", bytes(c.encode(&replaced)), replaced,
            hex("0C 00 00 00") + padded("Invoice", 30) + hex("00 00 00 00 60 2B E2 40") +
                hex("00 00 00 00 70 2B E2 40"));
        c.Subject = "\xE2\x82\xAC 5" + std::string(30, 'a');
        row("communication, cut", "communication", bytes(c.encode(&replaced)), replaced,
            hex("0C 00 00 00 80 20 35") + QByteArray(27, 'a') + hex("00 00 00 00 60 2B E2 40") +
                hex("00 00 00 00 70 2B E2 40"));
        SchemeRecord s{"Fixed", 10.5f, 30, "EUR", 2, {10.5f, 1, 0, 0, 0, 0, 0, -1}};
        row("scheme", "scheme", bytes(s.encode(&replaced)), replaced,
            padded("Fixed", 10) + hex("00 00 28 41 1E 00") + padded("EUR", 10) +
                hex("02 00 00 00 28 41 00 00 80 3F") + QByteArray(20, '\0') + hex("00 00 80 BF"));
        s = SchemeRecord{"Percents", 0, 0, "Deutsche Mark", 0, {}};
        row("scheme, cut", "scheme", bytes(s.encode(&replaced)), replaced,
            padded("Percents", 10) + QByteArray(6, '\0') + "Deutsche M" + QByteArray(34, '\0'));
        s.Unit = "\xF0\x9F\x98\x80";
        row("scheme, unstorable", "scheme", bytes(s.encode(&replaced)), replaced,
            padded("Percents", 10) + QByteArray(6, '\0') + padded("?", 10) + QByteArray(34, '\0'));
    }
    void layouts() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, encoded);
        QFETCH(bool, replaced);
        QFETCH(QByteArray, expected);
        QCOMPARE(encoded, expected);
        QCOMPARE(replaced, QByteArray(QTest::currentDataTag()).contains("unstorable"));
        const auto* raw = reinterpret_cast<const std::uint8_t*>(encoded.constData());
        const RecordBytes back = kind == "member"   ? MemberRecord::decode(raw).encode()
                                 : kind == "sale"   ? SaleRecord::decode(raw).encode()
                                 : kind == "scheme" ? SchemeRecord::decode(raw).encode()
                                                    : CommunicationRecord::decode(raw).encode();
        QCOMPARE(bytes(back), expected);
    }

    // Texts read at their full width, numbers from their places.
    void decodedFields() {
        const QByteArray member =
            padded("K\xF6ln", 185) + hex("46 00 00 00 FD FF FF FF 00 00 00 00"
                                         "09 00 09 00 00 00 00 00 00 00 70 2B E2 40");
        const MemberRecord m =
            MemberRecord::decode(reinterpret_cast<const std::uint8_t*>(member.constData()));
        QCOMPARE(m.Name + m.Surname, "K\xC3\xB6ln" + std::string(36, ' '));
        QCOMPARE(QList<double>({double(m.AffiliateID), double(m.Ref_ID), double(m.Egold_ID),
                                double(m.AP_ID), double(m.Level), m.Date}),
                 QList<double>({70, -3, 0, 9, 9, 37211.5}));
        const QByteArray sale = hex("FD FF FF FF 00 00 28 C1 00 00 00 00 00 00 F0 BF");
        const SaleRecord s = SaleRecord::decode(reinterpret_cast<const std::uint8_t*>(sale.data()));
        QCOMPARE(QList<double>({double(s.MemberID), s.Sum, s.Date}),
                 QList<double>({-3, -10.5, -1}));
    }

    void wholeFileWrites() {
        TempAppDir dir;
        const std::string path = dir.file("t.txt");
        writePlain(path, "a much longer old content that must not survive");
        QVERIFY(writeWholeFile(path, "new").ok());
        QCOMPARE(fileBytes(path), QByteArray("new"));
        QVERIFY(writeWholeFile(dir.file("empty.txt"), "").ok());
        QCOMPARE(*fs::isFile(dir.file("empty.txt")), true);
        QVERIFY(!writeWholeFile(dir.file("missing/x.txt"), "x").ok());
        QCOMPARE(sortedNames(dir.path()), (Names{"empty.txt", "t.txt"}));
        // Appends of uneven sizes, small and large; the target unchanged until the commit.
        const std::string data = patterned(3 * 1024 * 1024 + 123);
        auto writer = WholeFileWriter::create(path);
        for (std::size_t at = 0, step = 1; at < data.size(); at += step, step = step * 3 + 1)
            QVERIFY(writer->append(std::string_view(data).substr(at, step)).ok());
        QCOMPARE(fileBytes(path), QByteArray("new"));
        QCOMPARE(sortedNames(dir.path()).size(), std::size_t{3}); // the temporary
        QVERIFY(writer->commit().ok());
        QVERIFY(*fs::readWhole(path) == data);
        for (bool abandoned : {false, true}) {
            auto lost = WholeFileWriter::create(path);
            QVERIFY(lost->append("lost").ok());
            if (abandoned) {
                lost->abandon();
                QVERIFY(!lost->commit().ok());
            }
        }
        QVERIFY(*fs::readWhole(path) == data);
        auto first = WholeFileWriter::create(dir.file("a.txt"));
        auto second = WholeFileWriter::create(dir.file("b.txt"));
        *first = std::move(*second); // abandons a.txt's temporary
        QVERIFY(first->append("b").ok());
        QVERIFY(first->commit().ok());
        QCOMPARE(fileBytes(dir.file("b.txt")), QByteArray("b"));
        QCOMPARE(sortedNames(dir.path()), (Names{"b.txt", "empty.txt", "t.txt"}));
    }

    void wholeFileFailure_data() {
        QTest::addColumn<fs::Op>("op");
        QTest::addColumn<int>("size"); // bytes written: small stays in the buffer until commit
        QTest::addColumn<QString>("action");
        row("open", fs::Op::Open, 10, "open");
        row("write at commit", fs::Op::Write, 10, "write");
        row("write of a full block", fs::Op::Write, 3 * 1024 * 1024, "write");
        row("sync", fs::Op::Sync, 10, "save to disk");
        row("rename", fs::Op::Rename, 10, "rename");
    }
    void wholeFileFailure() {
        QFETCH(fs::Op, op);
        QFETCH(int, size);
        TempAppDir dir;
        const std::string path = dir.file("affiliates.txt");
        writePlain(path, "old content");
        Status result;
        {
            test::ScopedFaultHook hook(test::failEvery(op, ENOSPC));
            result = writeWholeFile(path, std::string(static_cast<std::size_t>(size), 'x'));
        }
        QTEST(QString::fromStdString(result.error().action), "action");
        QCOMPARE(result.error().reason, std::string("No space left on device"));
        QCOMPARE(fileBytes(path), QByteArray("old content"));
        QCOMPARE(sortedNames(dir.path()), Names{"affiliates.txt"});
        // A writer that lost a block stays failed after the fault is gone.
        auto writer = WholeFileWriter::create(path);
        {
            test::ScopedFaultHook hook(test::failEvery(fs::Op::Write, EIO));
            QVERIFY(!writer->append(std::string(2 * 1024 * 1024, 'x')).ok());
        }
        QVERIFY(!writer->append("more").ok());
        QCOMPARE(writer->commit().error().code, EIO);
        QCOMPARE(fileBytes(path), QByteArray("old content"));
    }

    void copiesAndLeftovers() {
        TempAppDir dir;
        const std::string data = patterned(2 * 1024 * 1024 + 5);
        const std::string backup = dir.file("backcopies/sales.kvr");
        writePlain(dir.file("sales.kvr"), data);
        QVERIFY(fs::createFolder(dir.file("backcopies")).ok());
        writePlain(backup, "previous backup");
        {
            test::ScopedFaultHook hook(test::failOn(fs::Op::Read, dir.file("sales.kvr"), EIO));
            QVERIFY(!copyFileReplacing(dir.file("sales.kvr"), backup).ok());
        }
        QVERIFY(copyFileReplacing(dir.file("missing.kvr"), backup).error().isMissing());
        QCOMPARE(fileBytes(backup), QByteArray("previous backup"));
        QVERIFY(copyFileReplacing(dir.file("sales.kvr"), backup).ok());
        QVERIFY(*fs::readWhole(backup) == data);
        QCOMPARE(sortedNames(dir.file("backcopies")), Names{"sales.kvr"});
        for (const char* name : {".zelt-tmp-abc123", ".zelt-tmp-", "x.zelt-tmp-1"})
            writePlain(dir.file(name), "leftover");
        QVERIFY(removeTemporaryFiles(dir.path()).ok());
        QCOMPARE(sortedNames(dir.path()), (Names{"backcopies", "sales.kvr", "x.zelt-tmp-1"}));
        QVERIFY(removeTemporaryFiles(dir.file("missing")).ok());
        QVERIFY(!isTemporaryName("sales.kvr") && isTemporaryName(".zelt-tmp-x"));
    }

    // Side texts: written in Windows-1252 with one line end added, read back with one line end
    // dropped: text | file | characters replaced.
    void sideTexts_data() {
        test::textRows(R"(
abc | abc | abc\r\n | 0
empty | | \r\n | 0
two lines | a\r\nb | a\r\nb\r\n | 0
ends in a line end | a\r\n | a\r\n\r\n | 0
lone LF | abc\n | abc\n\r\n | 0
accented | caf\u00E9\u20AC | caf\xE9\x80\r\n | 0
unstorable | \u4E2D | ?\r\n | 1
)");
    }
    void sideTexts() {
        const QByteArrayList f = test::fields();
        TempAppDir dir;
        const std::string path = dir.file("s1.txt");
        writePlain(path, "an older and longer text\r\n");
        bool replaced = f[2] == "0";
        QVERIFY(writeSideText(path, f[0].toStdString(), &replaced).ok());
        QCOMPARE(fileBytes(path), f[1]);
        QCOMPARE(replaced, f[2] == "1");
        if (!replaced) {
            QCOMPARE(bytes(*readSideText(path)), f[0]);
            QCOMPARE(bytes(*readSideTextWhole(path)), f[0] + "\r\n");
            QVERIFY(writeSideText(path, *readSideText(path)).ok()); // an unchanged save
            QCOMPARE(fileBytes(path), f[1]);
        }
    }

    void sideTextFiles() {
        TempAppDir dir;
        writePlain(dir.file("1.txt"), "abc");
        QCOMPARE(bytes(*readSideText(dir.file("1.txt"))), QByteArray("abc"));
        QCOMPARE(bytes(*readSideTextWhole(dir.file("1.txt"))), QByteArray("abc"));
        writePlain(dir.file("2.txt"), "");
        QCOMPARE(bytes(*readSideText(dir.file("2.txt"))), QByteArray());
        for (const char* missing : {"7.txt", "no-folder/7.txt"}) {
            QCOMPARE(bytes(*readSideText(dir.file(missing))), QByteArray());
            QCOMPARE(bytes(*readSideTextWhole(dir.file(missing))), QByteArray());
        }
        QCOMPARE(*fs::isFile(dir.file("7.txt")), false); // reading created nothing
        QVERIFY(fs::createFolder(dir.file("12.txt")).ok());
        QCOMPARE(readSideText(dir.file("12.txt")).error().message(),
                 "Cannot open \"" + dir.file("12.txt") + "\": Is a directory");
        QVERIFY(!readSideTextWhole(dir.file("12.txt")).ok());
        {
            test::ScopedFaultHook hook(test::failOn(fs::Op::Read, dir.file("1.txt"), EIO));
            QCOMPARE(readSideText(dir.file("1.txt")).error().message(),
                     "Cannot read \"" + dir.file("1.txt") + "\": Input/output error");
        }
        test::ScopedFaultHook hook(test::failEvery(fs::Op::Write, ENOSPC));
        QVERIFY(!writeSideText(dir.file("1.txt"), "second").ok());
        QCOMPARE(fileBytes(dir.file("1.txt")), QByteArray("abc"));
        QCOMPARE(fs::list(dir.path())->size(), std::size_t{3}); // no temporary left behind
    }

    void flattenLineBreaks_data() {
        test::textRows(R"(
one pair | a\r\nb | a b
final pair | a\r\n | a\s
two pairs | \r\n\r\n | \s\s
lone CR and LF stay | a\rb\nc | a\rb\nc
CR CR LF | a\r\r\nb | a\r b
LF CR | a\n\rb | a\n\rb
empty | |
)");
    }
    void flattenLineBreaks() {
        const QByteArrayList f = test::fields();
        QCOMPARE(bytes(zelt::flattenLineBreaks(f[0].toStdString())), f[1]);
    }
};

ZELT_TEST(TestStorage)
#include "test_storage.moc"
