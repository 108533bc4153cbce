#include "storage/file_system.h"
#include "storage/whole_file_writer.h"
#include "support/byte_text.h"
#include "support/fault_hook.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"

#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <fstream>

using namespace zelt;
using zelt::test::bytes;

namespace {

void writePlain(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

QByteArray fileBytes(const std::string& path) {
    return bytes(*fs::readWhole(path));
}

// Entries of the folder that are leftovers of a write.
int temporaryCount(const std::string& folder) {
    const auto names = fs::list(folder);
    return static_cast<int>(std::count_if(names->begin(), names->end(),
                                          [](const std::string& n) { return isTemporaryName(n); }));
}

std::string patterned(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 31 + i / 1000) % 256);
    return data;
}

} // namespace

Q_DECLARE_METATYPE(zelt::fs::Op)

class TestWholeFileWriter : public QObject {
    Q_OBJECT

private slots:
    void replacesTheWholeFile();
    void createsAMissingFile();
    void writesManyBlocks();
    void targetUnchangedUntilCommit();
    void destroyedWithoutCommitLeavesNoTemporary();
    void failureKeepsTheOldFile_data();
    void failureKeepsTheOldFile();
    void failedWriterStaysFailed();
    void moveAssignmentAbandonsTheOldTemporary();
    void copyReplacesTheTarget();
    void copyOfAMissingFileChangesNothing();
    void removesOnlyTemporaryFiles();
};

void TestWholeFileWriter::replacesTheWholeFile() {
    test::TempAppDir dir;
    const std::string path = dir.file("Sales.txt");
    writePlain(path, "a much longer old content that must not survive");
    QVERIFY(writeWholeFile(path, "new").ok());
    QCOMPARE(fileBytes(path), QByteArray("new"));
    QCOMPARE(temporaryCount(dir.path()), 0);
}

void TestWholeFileWriter::createsAMissingFile() {
    test::TempAppDir dir;
    QVERIFY(writeWholeFile(dir.file("empty.txt"), "").ok());
    QCOMPARE(*fs::isFile(dir.file("empty.txt")), true);
    QCOMPARE(fileBytes(dir.file("empty.txt")), QByteArray());
    QVERIFY(!writeWholeFile(dir.file("missing-folder/x.txt"), "x").ok());
}

void TestWholeFileWriter::writesManyBlocks() {
    test::TempAppDir dir;
    const std::string data = patterned(3 * 1024 * 1024 + 123);
    auto writer = WholeFileWriter::create(dir.file("members.clc"));
    QVERIFY(writer.ok());
    // Appends of uneven sizes, small and large.
    std::size_t at = 0;
    for (std::size_t step = 1; at < data.size(); step = step * 3 + 1) {
        const std::size_t n = std::min(step, data.size() - at);
        QVERIFY(writer->append(std::string_view(data).substr(at, n)).ok());
        at += n;
    }
    QVERIFY(writer->commit().ok());
    QVERIFY(*fs::readWhole(dir.file("members.clc")) == data);
}

void TestWholeFileWriter::targetUnchangedUntilCommit() {
    test::TempAppDir dir;
    const std::string path = dir.file("t.txt");
    writePlain(path, "old");
    auto writer = WholeFileWriter::create(path);
    QVERIFY(writer->append(std::string(2 * 1024 * 1024, 'n')).ok()); // flushed to the temporary
    QCOMPARE(fileBytes(path), QByteArray("old"));
    QCOMPARE(temporaryCount(dir.path()), 1);
    QVERIFY(writer->commit().ok());
    QCOMPARE(fileBytes(path).size(), 2 * 1024 * 1024);
    QCOMPARE(temporaryCount(dir.path()), 0);
}

void TestWholeFileWriter::destroyedWithoutCommitLeavesNoTemporary() {
    test::TempAppDir dir;
    writePlain(dir.file("t.txt"), "old");
    {
        auto writer = WholeFileWriter::create(dir.file("t.txt"));
        QVERIFY(writer->append("new").ok());
    }
    {
        auto writer = WholeFileWriter::create(dir.file("t.txt"));
        QVERIFY(writer->append("newer").ok());
        writer->abandon();
        QVERIFY(!writer->commit().ok());
    }
    QCOMPARE(fileBytes(dir.file("t.txt")), QByteArray("old"));
    QCOMPARE(fs::list(dir.path())->size(), std::size_t{1});
}

void TestWholeFileWriter::failureKeepsTheOldFile_data() {
    QTest::addColumn<fs::Op>("op");
    QTest::addColumn<int>("size"); // bytes written: small stays in the buffer until commit
    QTest::addColumn<QString>("action");
    QTest::newRow("open") << fs::Op::Open << 10 << "open";
    QTest::newRow("write at commit") << fs::Op::Write << 10 << "write";
    QTest::newRow("write of a full block") << fs::Op::Write << 3 * 1024 * 1024 << "write";
    QTest::newRow("sync") << fs::Op::Sync << 10 << "save to disk";
    QTest::newRow("rename") << fs::Op::Rename << 10 << "rename";
}

void TestWholeFileWriter::failureKeepsTheOldFile() {
    QFETCH(fs::Op, op);
    QFETCH(int, size);
    QFETCH(QString, action);
    test::TempAppDir dir;
    const std::string path = dir.file("affiliates.txt");
    writePlain(path, "old content");
    Status result;
    {
        test::ScopedFaultHook hook(test::failEvery(op, ENOSPC));
        result = writeWholeFile(path, std::string(static_cast<std::size_t>(size), 'x'));
    }
    QVERIFY(!result.ok());
    QCOMPARE(QString::fromStdString(result.error().action), action);
    QCOMPARE(QString::fromStdString(result.error().reason),
             QStringLiteral("No space left on device"));
    QCOMPARE(fileBytes(path), QByteArray("old content"));
    QCOMPARE(fs::list(dir.path())->size(), std::size_t{1}); // no temporary left behind
}

void TestWholeFileWriter::failedWriterStaysFailed() {
    test::TempAppDir dir;
    writePlain(dir.file("t.txt"), "old");
    auto writer = WholeFileWriter::create(dir.file("t.txt"));
    {
        test::ScopedFaultHook hook(test::failEvery(fs::Op::Write, EIO));
        QVERIFY(!writer->append(std::string(2 * 1024 * 1024, 'x')).ok());
    }
    // The fault is gone, but the lost block must not let a commit through.
    QVERIFY(!writer->append("more").ok());
    const Status committed = writer->commit();
    QVERIFY(!committed.ok());
    QCOMPARE(committed.error().code, EIO);
    QCOMPARE(fileBytes(dir.file("t.txt")), QByteArray("old"));
    QCOMPARE(fs::list(dir.path())->size(), std::size_t{1});
}

void TestWholeFileWriter::moveAssignmentAbandonsTheOldTemporary() {
    test::TempAppDir dir;
    auto first = WholeFileWriter::create(dir.file("a.txt"));
    auto second = WholeFileWriter::create(dir.file("b.txt"));
    QCOMPARE(temporaryCount(dir.path()), 2);
    *first = std::move(*second);
    QCOMPARE(temporaryCount(dir.path()), 1);
    QVERIFY(first->append("b").ok());
    QVERIFY(first->commit().ok());
    QCOMPARE(fileBytes(dir.file("b.txt")), QByteArray("b"));
    QCOMPARE(fs::list(dir.path())->size(), std::size_t{1});
}

void TestWholeFileWriter::copyReplacesTheTarget() {
    test::TempAppDir dir;
    const std::string data = patterned(2 * 1024 * 1024 + 5);
    writePlain(dir.file("sales.kvr"), data);
    QVERIFY(fs::createFolder(dir.file("backcopies")).ok());
    writePlain(dir.file("backcopies/sales.kvr"), "previous backup");
    QVERIFY(copyFileReplacing(dir.file("sales.kvr"), dir.file("backcopies/sales.kvr")).ok());
    QVERIFY(*fs::readWhole(dir.file("backcopies/sales.kvr")) == data);
    QCOMPARE(temporaryCount(dir.file("backcopies")), 0);

    // A copy that fails half-way leaves the previous backup whole.
    writePlain(dir.file("backcopies/sales.kvr"), "previous backup");
    {
        test::ScopedFaultHook hook(test::failOn(fs::Op::Read, dir.file("sales.kvr"), EIO));
        QVERIFY(!copyFileReplacing(dir.file("sales.kvr"), dir.file("backcopies/sales.kvr")).ok());
    }
    QCOMPARE(fileBytes(dir.file("backcopies/sales.kvr")), QByteArray("previous backup"));
    QCOMPARE(temporaryCount(dir.file("backcopies")), 0);
}

void TestWholeFileWriter::copyOfAMissingFileChangesNothing() {
    test::TempAppDir dir;
    writePlain(dir.file("backup.kvr"), "kept");
    const Status copied = copyFileReplacing(dir.file("missing.kvr"), dir.file("backup.kvr"));
    QVERIFY(copied.error().isMissing());
    QCOMPARE(fileBytes(dir.file("backup.kvr")), QByteArray("kept"));
}

void TestWholeFileWriter::removesOnlyTemporaryFiles() {
    test::TempAppDir dir;
    writePlain(dir.file(".zelt-tmp-abc123"), "leftover");
    writePlain(dir.file(".zelt-tmp-"), "leftover");
    writePlain(dir.file("sales.kvr"), "data");
    writePlain(dir.file("x.zelt-tmp-1"), "not ours to remove");
    QVERIFY(removeTemporaryFiles(dir.path()).ok());
    auto names = *fs::list(dir.path());
    std::sort(names.begin(), names.end());
    QCOMPARE(names, (std::vector<std::string>{"sales.kvr", "x.zelt-tmp-1"}));
    QVERIFY(removeTemporaryFiles(dir.file("missing")).ok());
    QVERIFY(!isTemporaryName("sales.kvr"));
    QVERIFY(isTemporaryName(".zelt-tmp-x"));
}

ZELT_TEST(TestWholeFileWriter)
#include "test_whole_file_writer.moc"
