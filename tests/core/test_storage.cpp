// The storage layer: folders and paths, the file operations and their faults, record files and
// the byte layouts of their records, whole-file writes and the side texts.
#include "core_fixture.h"
#include "storage/communication_record.h"
#include "storage/large_vector.h"
#include "storage/record_kind.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "storage/side_text.h"
#include "storage/whole_file_writer.h"
#include "support/fault_hook.h"

#include <algorithm>
#include <cerrno>
#include <map>

using namespace zelt;
using test::bytes;
using test::hex;
using test::row;
using test::TempAppDir;
using test::writePlain;

namespace {

using Names = std::vector<std::string>;

QByteArray fileBytes(const std::string& path) {
    return bytes(test::readPlain(path));
}

QByteArray padded(const QByteArray& text, int width) {
    return text + QByteArray(width - text.size(), ' ');
}

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

// A file operation by its name in the tables.
fs::Op opNamed(const QByteArray& name) {
    return fs::Op(QByteArrayList{"exists", "create", "open", "read", "write", "sync", "length",
                                 "rename", "copy", "remove", "list"}
                      .indexOf(name));
}

// One operation by name, of the file layer or of the storage built on it, on the files
// "f" (holding "content", a record of 7 bytes, rewritten unchanged) and "g" (holding "old").
Status runOperation(const QByteArray& name, const TempAppDir& d) {
    auto f = fs::open(d.file("f"), fs::OpenMode::ReadWriteCreate);
    char c;
    const std::map<QByteArray, std::function<Status()>> operations = {
        {"exists", [&] { return fs::isFile(d.file("f")).status(); }},
        {"create folder", [&] { return fs::createFolder(d.file("sub")); }},
        {"open", [&] { return fs::open(d.file("f"), fs::OpenMode::ReadOnly).status(); }},
        {"read", [&] { return fs::readAt(*f, 0, &c, 1).status(); }},
        {"write", [&] { return fs::writeAt(*f, 0, "c", 1); }},
        {"sync", [&] { return fs::sync(*f); }},
        {"length", [&] { return fs::length(*f).status(); }},
        {"rename", [&] { return fs::rename(d.file("f"), d.file("g")); }},
        {"copy", [&] { return fs::copy(d.file("f"), d.file("g")); }},
        {"remove", [&] { return fs::remove(d.file("f")); }},
        {"list", [&] { return fs::list(d.path()).status(); }},
        {"record write",
         [&] {
             return RecordFile::open(d.file("f"), 7)->write(1, {'c', 'o', 'n', 't', 'e', 'n', 't'});
         }},
        {"whole file", [&] { return writeWholeFile(d.file("f"), "new"); }},
        {"whole file block", [&] { return writeWholeFile(d.file("f"), patterned(3 << 20)); }}};
    return operations.at(name)();
}

} // namespace

class StorageTest : public QObject {
    Q_OBJECT

private slots:
    void paths_data() {
        test::textRows(R"(
both | /home/x// | //data | /home/x/data | /home/x
root | / | data | /data | /
)");
    }
    // Joined paths, and the folder that holds each (the folder synced after a rename into it).
    void paths() {
        const QByteArrayList f = test::fields();
        const std::string joined = joinPath(f[0].toStdString(), f[1].toStdString());
        QCOMPARE(bytes(joined), f[2]);
        QCOMPARE(bytes(fs::parentFolder(joined)), f[3]);
        QCOMPARE(fs::parentFolder("sales.kvr"), std::string("."));
        QCOMPARE(folderPath("/a/", Folder::Backcopies) + filePath("/a", Folder::Data, "x") +
                     filePath("/a", Folder::Addinfo, "s1") + filePath("/a", Folder::Comm, "r1") +
                     filePath("/a", Folder::Output, "S"),
                 std::string("/a/backcopies/a/data/x/a/addinfo/s1/a/comm/r1/a/output/S"));
    }

    // The side file of a record, by kind and text; none where the kind has no such text.
    void sideFiles_data() {
        test::textRows(R"(
member | members | info | 1 | /a/addinfo/1.txt
sale | sales | info | 12 | /a/addinfo/s12.txt
payment | payments | info | 7 | /a/addinfo/p7.txt
message | communications | message | 105 | /a/comm/105.txt
response | communications | response | 105 | /a/comm/r105.txt
comments | communications | comments | 105 | /a/comm/c105.txt
scheme: none | schemes | info | 1 |
)");
    }
    void sideFiles() {
        const QByteArrayList f = test::fields();
        // By the order of their declaration.
        const auto kind = RecordKind(
            QByteArrayList{"members", "communications", "sales", "payments", "schemes"}.indexOf(
                f[0]));
        const auto text =
            SideText(QByteArrayList{"info", "message", "response", "comments"}.indexOf(f[1]));
        QCOMPARE(bytes(sideFilePath("/a", kind, text, f[2].toInt())), f[3]);
    }

    void fileOperations() {
        TempAppDir dir;
        QVERIFY(ensureFolder(dir.path(), Folder::Comm).ok());
        QVERIFY(fs::createFolder(dir.file("comm")).ok()); // made meanwhile by another program
        QVERIFY(!ensureFolder(dir.file("missing"), Folder::Data).ok()); // one level only
        writePlain(dir.file("output"), "a file, not a folder");
        QVERIFY(!ensureFolder(dir.path(), Folder::Output).ok());
        QVERIFY(!*fs::isFile(dir.file("comm")) && !*fs::isFolder(dir.file("output/x")));
        QCOMPARE(sortedNames(dir.path()), (Names{"comm", "output"}));
        QVERIFY(!fs::list(dir.file("missing")).ok());
        const std::string path = dir.file("f.kvr");
        auto created = fs::open(path, fs::OpenMode::ReadWriteCreate);
        QVERIFY(fs::writeAt(*created, 4, "xy", 2).ok()); // past the end: a gap of zeros
        created->close();
        QCOMPARE(fileBytes(path), QByteArray("\0\0\0\0xy", 6));
        QCOMPARE(*fs::length(*fs::open(path, fs::OpenMode::WriteNew)), std::uint64_t{0});
        const std::string big = patterned(3 * 1024 * 1024 + 17);
        writePlain(dir.file("from"), big);
        writePlain(dir.file("to"), std::string(5 * 1024 * 1024, 'o'));
        QVERIFY(fs::copy(dir.file("from"), dir.file("to")).ok());
        QVERIFY(*fs::readWhole(dir.file("to")) == big);
    }

    // A fault on one operation and path (*: any) fails just that operation, the reason and the
    // file named (a whole file's temporary, when renamed, as .zelt-tmp-*), and changes nothing, nor
    // leaves a file behind.
    void faultFailsTheOperation_data() {
        test::textRows(R"(
exists | exists /f | Cannot find "%1/f"
create folder | create /sub | Cannot create the folder "%1/sub"
open | open /f | Cannot open "%1/f"
read | read /f | Cannot read "%1/f"
write | write /f | Cannot write "%1/f"
sync | sync /f | Cannot save to disk "%1/f"
length | length /f | Cannot get the length of "%1/f"
rename | rename /f | Cannot rename "%1/f" to "%1/g"
copy | copy /g | Cannot copy "%1/f" to "%1/g"
remove | remove /f | Cannot delete "%1/f"
list | list | Cannot list "%1"
record write: synced | sync /f | Cannot save to disk "%1/f"
whole file: open | open * | Cannot open "%1/f"
whole file: write at commit | write * | Cannot write "%1/f"
whole file block: write of a full block | write * | Cannot write "%1/f"
whole file: sync | sync * | Cannot save to disk "%1/f"
whole file: rename | rename * | Cannot rename "%1/.zelt-tmp-*" to "%1/f"
)");
    }
    void faultFailsTheOperation() {
        const QByteArrayList f = test::fields();
        const QByteArrayList fault = f[0].split(' ');
        const QByteArray tag = QTest::currentDataTag(), operation = tag.split(':').first();
        TempAppDir dir;
        writePlain(dir.file("f"), "content");
        writePlain(dir.file("g"), "old");
        {
            test::ScopedFaultHook hook(fault.value(1) == "*"
                                           ? test::failEvery(opNamed(fault[0]), EACCES)
                                           : test::failOn(opNamed(fault[0]),
                                                          dir.path() + fault.value(1).toStdString(),
                                                          EACCES));
            const Status failed = runOperation(operation, dir);
            QCOMPARE(QString::fromStdString(failed.error().message())
                         .replace(QRegularExpression(R"(\.zelt-tmp-[^\x22]*)"), ".zelt-tmp-*"),
                     QString(f[1]).arg(dir.path().c_str()) + ": Permission denied");
        }
        QCOMPARE(fileBytes(dir.file("f")) + fileBytes(dir.file("g")), QByteArray("contentold"));
        QCOMPARE(sortedNames(dir.path()), (Names{"f", "g"}));
        QVERIFY(runOperation(operation, dir).ok());
    }

    // File length | record length | records counted (a partial record over half counts).
    void recordCount_data() {
        test::textRows(R"(
half of one, to even 0 | 8 | 16 | 0
a bit over half | 9 | 16 | 1
1.5 to even 2 | 24 | 16 | 2
clamped | 1 | 0 | 0
beyond 32 bits | 1099511627776 | 16 | 2147483647
)");
    }
    void recordCount() {
        const QByteArrayList f = test::fields();
        QCOMPARE(recordCountForLength(f[0].toULongLong(), f[1].toInt()), f[2].toInt());
    }

    void recordFileWrites() {
        TempAppDir dir;
        const std::string path = dir.file("f.kvr");
        QVERIFY(RecordFile::openForReading(path, 16).error().isMissing());
        QCOMPARE(*fs::isFile(path), false); // reading creates nothing; an editor's open does
        auto file = RecordFile::open(path, 16);
        QCOMPARE(*file->count() + file->recordLength(), 16);
        auto reader = RecordFile::openForReading(path, 16);
        for (int n : {1, 2, 3, 2}) // the second write of 2 in place
            QVERIFY(file->write(n, RecordBytes(16, n == 2 ? '2' : n)).ok());
        QCOMPARE(*reader->count(), 3); // another handle sees the writes
        const QByteArray written = QByteArray(16, 1) + QByteArray(16, '2') + QByteArray(16, 3);
        QCOMPARE(bytes(**reader->read(2)), QByteArray(16, '2'));
        QVERIFY(!file->write(4, RecordBytes(15, 0)).ok() && !file->write(0, RecordBytes(16)).ok());
        {
            // The disk fills in the middle of an append: the half record is cut off again.
            test::ScopedFaultHook hook([&](fs::Op op, const std::string& where) {
                if (op == fs::Op::Write && where == path)
                    std::ofstream(path, std::ios::binary | std::ios::app) << std::string(8, 4);
                return op == fs::Op::Write && where == path ? ENOSPC : 0;
            });
            QVERIFY(!file->write(4, RecordBytes(16, 4)).ok());
        }
        QCOMPARE(fileBytes(path), written);
        QVERIFY(file->write(4, RecordBytes(16, 4)).ok()); // the handle stays usable
        QCOMPARE(*file->count(), 4);
    }

    // File length | first | last | records visited (the visitor stops after record 4). Every
    // record with a byte in the file reads as stored, zero-filled when partial, and is visited
    // when in the range; reading changes nothing.
    void scan_data() {
        test::textRows(R"(
one byte of the last | 17 | 1 | 10 | 1 2
first below 1 | 32 | -5 | 1 | 1
empty range | 48 | 3 | 2 |
stops when asked | 160 | 1 | 10 | 1 2 3 4
across blocks of 211-byte records | 2532000 | 1 | 12005 | 12000
)");
    }
    void scan() {
        const QByteArrayList f = test::fields();
        const int length = f[0].toInt(), recordLength = length > 9999 ? 211 : 16;
        const int first = f[1].toInt(), last = f[2].toInt();
        TempAppDir dir;
        QByteArray content(length, '\0');
        for (int i = 0; i < length; ++i)
            content[i] = char(0x80 + i * 7 + i / recordLength);
        content.chop(length > 9999 ? 100 : 0);
        writePlain(dir.file("f.kvr"), content.toStdString());
        const auto stored = [&](int n) {
            return content.mid((n - 1) * recordLength, recordLength)
                .leftJustified(recordLength, '\0');
        };
        auto file = RecordFile::open(dir.file("f.kvr"), recordLength);
        QByteArrayList seen;
        QVERIFY(file->scan(first, last,
                           [&](std::int32_t n, const std::uint8_t* r) {
                               if (QByteArray(reinterpret_cast<const char*>(r), recordLength) !=
                                       stored(n) ||
                                   (!seen.isEmpty() && n != seen.last().toInt() + 1))
                                   return false;
                               seen << QByteArray::number(n);
                               return n < 4 || recordLength > 16;
                           })
                    .ok());
        QCOMPARE(recordLength > 16 ? QByteArray::number(seen.size()) : seen.join(' '), f[3]);
        for (int n = std::min(first, 0); n <= std::min(last + 1, 20); ++n) {
            const auto read = file->read(n);
            QCOMPARE(read->has_value(), n >= 1 && (n - 1) * recordLength < content.size());
            if (read->has_value())
                QCOMPARE(bytes(**read), stored(n));
        }
        QCOMPARE(fileBytes(dir.file("f.kvr")), content);
    }

    // Records as stored: the exact bytes of each kind, and the same bytes again once read back.
    void layouts_data() {
        QTest::addColumn<QByteArray>("encoded");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<QByteArray>("expected");
        bool replaced = true;
        row("empty member", bytes(MemberRecord().encode()), false,
            QByteArray(185, ' ') + QByteArray(26, '\0'));
        MemberRecord m("Ann", "ABCDEFGHIJKLMNOPQRSTUVWXY", "Main street",
                       QByteArray("\xC3\xA9").repeated(25).toStdString(), "1234567890",
                       "K\xC3\xB6ln", "+33 \xE2\x82\xAC", "ann@x.org", std::string(31, 'u'), 2, -3,
                       2147483647, -32768, 2, 37211);
        const RecordBytes member = m.encode(&replaced);
        row("member", bytes(member), replaced,
            padded("Ann", 20) + "ABCDEFGHIJKLMNOPQRST" + padded("Main street", 20) +
                QByteArray(20, '\xE9') + "1234567890" + padded("K\xF6ln", 20) +
                padded("+33 \x80", 15) + padded("ann@x.org", 30) + QByteArray(30, 'u') +
                hex("02 00 00 00 FD FF FF FF FF FF FF 7F 00 80 02 00 00 00 00 00 00 00 60 2B E2 "
                    "40"));
        m.Surname = "\xE4\xB8\xAD"; // a character Windows-1252 lacks
        row("member, unstorable", bytes(m.encode(&replaced)), replaced,
            bytes(member).left(20) + padded("?", 20) + bytes(member).mid(40));
        row("sale", bytes(SaleRecord{3, 10.5f, 37211}.encode()), false,
            hex("03 00 00 00 00 00 28 41 00 00 00 00 60 2B E2 40"));
        CommunicationRecord c{12, "Invoice", 37211, 37211.5};
        const QByteArray dates = hex("00 00 00 00 60 2B E2 40 00 00 00 00 70 2B E2 40");
        row("communication", bytes(c.encode(&replaced)), replaced,
            hex("0C 00 00 00") + padded("Invoice", 30) + dates);
        c.Subject = "\xE2\x82\xAC 5" + std::string(30, 'a');
        row("communication, cut", bytes(c.encode(&replaced)), replaced,
            hex("0C 00 00 00 80 20 35") + QByteArray(27, 'a') + dates);
        SchemeRecord s{"Fixed", 10.5f, 30, "EUR", 2, {10.5f, 1, 0, 0, 0, 0, 0, -1}};
        row("scheme", bytes(s.encode(&replaced)), replaced,
            padded("Fixed", 10) + hex("00 00 28 41 1E 00") + padded("EUR", 10) +
                hex("02 00 00 00 28 41 00 00 80 3F") + QByteArray(20, '\0') + hex("00 00 80 BF"));
        s = SchemeRecord{"Percents", 0, 0, "\xF0\x9F\x98\x80", 0, {}};
        row("scheme, unstorable", bytes(s.encode(&replaced)), replaced,
            padded("Percents", 10) + QByteArray(6, '\0') + padded("?", 10) + QByteArray(34, '\0'));
    }
    void layouts() {
        QFETCH(QByteArray, encoded);
        QFETCH(bool, replaced);
        QFETCH(QByteArray, expected);
        QCOMPARE(encoded, expected);
        QCOMPARE(replaced, QByteArray(QTest::currentDataTag()).contains("unstorable"));
        const auto* raw = reinterpret_cast<const std::uint8_t*>(encoded.constData());
        const RecordBytes back = encoded.size() == 211  ? MemberRecord::decode(raw).encode()
                                 : encoded.size() == 16 ? SaleRecord::decode(raw).encode()
                                 : encoded.size() == 60 ? SchemeRecord::decode(raw).encode()
                                                        : CommunicationRecord::decode(raw).encode();
        QCOMPARE(bytes(back), expected);
    }

    void wholeFiles() {
        TempAppDir dir;
        const std::string path = dir.file("t.txt");
        writePlain(path, "a much longer old content that must not survive");
        QVERIFY(writeWholeFile(path, "new").ok());
        QCOMPARE(fileBytes(path), QByteArray("new"));
        QVERIFY(writeWholeFile(dir.file("empty.txt"), "").ok());
        // Appends of uneven sizes, small and large; the target unchanged until the commit.
        const std::string data = patterned(3 * 1024 * 1024 + 123);
        auto writer = WholeFileWriter::create(path);
        for (std::size_t at = 0, step = 1; at < data.size(); at += step, step = step * 3 + 1)
            QVERIFY(writer->append(std::string_view(data).substr(at, step)).ok());
        QCOMPARE(fileBytes(path), QByteArray("new"));
        QCOMPARE(sortedNames(dir.path()).size(), std::size_t{3}); // the temporary
        QVERIFY(writer->commit().ok());
        for (bool abandoned : {false, true}) {
            auto lost = WholeFileWriter::create(path);
            QVERIFY(lost->append("lost").ok());
            if (abandoned)
                lost->abandon();
            QVERIFY(!abandoned || !lost->commit().ok());
        }
        auto failing = WholeFileWriter::create(path); // a writer that lost a block stays failed
        {
            test::ScopedFaultHook hook(test::failEvery(fs::Op::Write, EIO));
            QVERIFY(!failing->append(std::string(2 * 1024 * 1024, 'x')).ok());
        }
        QVERIFY(!failing->append("more").ok());
        QCOMPARE(failing->commit().error().code, EIO);
        QVERIFY(*fs::readWhole(path) == data);
        auto first = WholeFileWriter::create(dir.file("a.txt"));
        auto second = WholeFileWriter::create(dir.file("b.txt"));
        *first = std::move(*second); // abandons a.txt's temporary
        QVERIFY(first->append("b").ok() && first->commit().ok());
        QCOMPARE(fileBytes(dir.file("b.txt")), QByteArray("b"));
        QCOMPARE(sortedNames(dir.path()), (Names{"b.txt", "empty.txt", "t.txt"}));
        // Backup copies: a missing source leaves the previous backup whole.
        const std::string backup = dir.file("b.txt");
        QVERIFY(copyFileReplacing(dir.file("missing"), backup).error().isMissing());
        QCOMPARE(fileBytes(backup), QByteArray("b"));
        QVERIFY(copyFileReplacing(path, backup).ok());
        QVERIFY(*fs::readWhole(backup) == data);
        for (const char* name : {".zelt-tmp-abc123", ".zelt-tmp-", "x.zelt-tmp-1"})
            writePlain(dir.file(name), "leftover");
        QVERIFY(removeTemporaryFiles(dir.path()).ok() && removeTemporaryFiles(dir.file("no")).ok());
        QCOMPARE(sortedNames(dir.path()), (Names{"b.txt", "empty.txt", "t.txt", "x.zelt-tmp-1"}));
    }

    // Side texts: written in Windows-1252 with one line end added, read back with one line end
    // dropped: text | file | characters replaced.
    void sideTexts_data() {
        test::textRows(R"(
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
        QCOMPARE(bytes(*readSideText(dir.file("1.txt")) + *readSideTextWhole(dir.file("1.txt"))),
                 QByteArray("abcabc"));
        for (const char* missing : {"7.txt", "no-folder/7.txt"}) // empty, and nothing created
            QCOMPARE(*readSideText(dir.file(missing)) + *readSideTextWhole(dir.file(missing)) +
                         (*fs::isFile(dir.file("7.txt")) ? "created" : ""),
                     std::string());
        QVERIFY(fs::createFolder(dir.file("12.txt")).ok());
        QCOMPARE(readSideText(dir.file("12.txt")).error().message(),
                 "Cannot open \"" + dir.file("12.txt") + "\": Is a directory");
        QVERIFY(!readSideTextWhole(dir.file("12.txt")).ok());
    }

    void flattenLineBreaks_data() {
        test::textRows(R"(
final pair | a\r\n | a\s
lone CR and LF stay | a\rb\nc | a\rb\nc
CR CR LF | a\r\r\nb | a\r b
)");
    }
    void flattenLineBreaks() {
        const QByteArrayList f = test::fields();
        QCOMPARE(bytes(zelt::flattenLineBreaks(f[0].toStdString())), f[1]);
    }

    // Member-sized arrays grow from small blocks into ones of huge pages and keep their values.
    void largeVectors() {
        LargeVector<std::uint32_t> values;
        for (std::uint32_t i = 0; i < (3u << 20) / 4; ++i)
            values.push_back(i);
        QCOMPARE(values[0] + values[524287] + values[524288], 1048575u);
        QCOMPARE(reinterpret_cast<std::uintptr_t>(values.data()) % (2u << 20), 0u);
    }
};

ZELT_TEST(StorageTest)
#include "test_storage.moc"
