#include "storage/file_system.h"
#include "support/byte_text.h"
#include "support/fault_hook.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"

#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <functional>

using namespace zelt;
using zelt::test::bytes;

namespace {

void writePlain(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// Runs one file-system operation and returns its failure, if any.
using Operation = std::function<Status(const test::TempAppDir&)>;

} // namespace

Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(zelt::fs::Op)

class TestFileSystem : public QObject {
    Q_OBJECT

private slots:
    void folderAndFileTests();
    void createFolderMakesOneLevel();
    void openModes();
    void openRefusesAFolder();
    void readAtStopsAtTheEnd();
    void writeAtThenReadAt();
    void copyReplacesTheTarget();
    void listLeavesOutDotEntries();
    void readWholeReadsEverything();
    void faultMakesTheOperationFail_data();
    void faultMakesTheOperationFail();
    void realFailureNamesTheReason();
};

void TestFileSystem::folderAndFileTests() {
    test::TempAppDir dir;
    writePlain(dir.file("plain"), "x");
    QVERIFY(fs::createFolder(dir.file("sub")).ok());

    QCOMPARE(*fs::isFolder(dir.file("sub")), true);
    QCOMPARE(*fs::isFile(dir.file("sub")), false);
    QCOMPARE(*fs::isFile(dir.file("plain")), true);
    QCOMPARE(*fs::isFolder(dir.file("plain")), false);
    // Missing paths are no error, also below a plain file.
    QCOMPARE(*fs::isFile(dir.file("missing")), false);
    QCOMPARE(*fs::isFolder(dir.file("missing")), false);
    QCOMPARE(*fs::isFile(dir.file("plain/below")), false);
}

void TestFileSystem::createFolderMakesOneLevel() {
    test::TempAppDir dir;
    QVERIFY(fs::createFolder(dir.file("data")).ok());
    QVERIFY(fs::createFolder(dir.file("data")).ok()); // already there
    const Status deep = fs::createFolder(dir.file("a/b"));
    QVERIFY(!deep.ok());
    QCOMPARE(deep.error().message(),
             "Cannot create the folder \"" + dir.file("a/b") + "\": No such file or directory");
    writePlain(dir.file("plain"), "");
    QVERIFY(!fs::createFolder(dir.file("plain")).ok());
}

void TestFileSystem::openModes() {
    test::TempAppDir dir;
    const std::string path = dir.file("f.kvr");

    auto missing = fs::open(path, fs::OpenMode::ReadOnly);
    QVERIFY(!missing.ok());
    QVERIFY(missing.error().isMissing());
    QCOMPARE(*fs::isFile(path), false);

    auto created = fs::open(path, fs::OpenMode::ReadWriteCreate);
    QVERIFY(created.ok());
    QCOMPARE(*fs::length(*created), std::uint64_t{0});
    QVERIFY(fs::writeAt(*created, 0, "abcdef", 6).ok());
    created->close();
    QVERIFY(!created->isOpen());

    auto again = fs::open(path, fs::OpenMode::ReadWriteCreate); // keeps the content
    QCOMPARE(*fs::length(*again), std::uint64_t{6});

    auto fresh = fs::open(path, fs::OpenMode::WriteNew); // truncates
    QCOMPARE(*fs::length(*fresh), std::uint64_t{0});
}

void TestFileSystem::openRefusesAFolder() {
    test::TempAppDir dir;
    auto opened = fs::open(dir.path(), fs::OpenMode::ReadOnly);
    QVERIFY(!opened.ok());
    QCOMPARE(opened.error().message(), "Cannot open \"" + dir.path() + "\": Is a directory");
}

void TestFileSystem::readAtStopsAtTheEnd() {
    test::TempAppDir dir;
    writePlain(dir.file("f"), "0123456789");
    auto file = fs::open(dir.file("f"), fs::OpenMode::ReadOnly);
    char buffer[8] = {};
    QCOMPARE(*fs::readAt(*file, 6, buffer, sizeof buffer), std::size_t{4});
    QCOMPARE(QByteArray(buffer, 4), QByteArray("6789"));
    QCOMPARE(*fs::readAt(*file, 10, buffer, sizeof buffer), std::size_t{0});
    QCOMPARE(*fs::readAt(*file, 1000, buffer, sizeof buffer), std::size_t{0});
}

void TestFileSystem::writeAtThenReadAt() {
    test::TempAppDir dir;
    auto file = fs::open(dir.file("f"), fs::OpenMode::ReadWriteCreate);
    // A write past the end leaves a gap of zeros.
    QVERIFY(fs::writeAt(*file, 4, "xy", 2).ok());
    QVERIFY(fs::sync(*file).ok());
    QCOMPARE(bytes(*fs::readWhole(dir.file("f"))), QByteArray("\0\0\0\0xy", 6));
}

void TestFileSystem::copyReplacesTheTarget() {
    test::TempAppDir dir;
    std::string big(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 % 251);
    writePlain(dir.file("from"), big);
    writePlain(dir.file("to"), std::string(5 * 1024 * 1024, 'o'));
    QVERIFY(fs::copy(dir.file("from"), dir.file("to")).ok());
    QVERIFY(*fs::readWhole(dir.file("to")) == big);
}

void TestFileSystem::listLeavesOutDotEntries() {
    test::TempAppDir dir;
    writePlain(dir.file("a"), "");
    QVERIFY(fs::createFolder(dir.file("b")).ok());
    auto names = fs::list(dir.path());
    QVERIFY(names.ok());
    std::sort(names->begin(), names->end());
    QCOMPARE(names->size(), std::size_t{2});
    QCOMPARE((*names)[0], std::string("a"));
    QCOMPARE((*names)[1], std::string("b"));
    QVERIFY(!fs::list(dir.file("missing")).ok());
}

void TestFileSystem::readWholeReadsEverything() {
    test::TempAppDir dir;
    writePlain(dir.file("f"), std::string("a\0b\r\n", 5));
    QCOMPARE(bytes(*fs::readWhole(dir.file("f"))), QByteArray("a\0b\r\n", 5));
    writePlain(dir.file("empty"), "");
    QCOMPARE(bytes(*fs::readWhole(dir.file("empty"))), QByteArray());
    QVERIFY(fs::readWhole(dir.file("missing")).error().isMissing());
}

void TestFileSystem::faultMakesTheOperationFail_data() {
    QTest::addColumn<fs::Op>("op");
    QTest::addColumn<QString>("path");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("message");

    auto withFile = [](auto action) {
        return Operation([action](const test::TempAppDir& dir) {
            auto file = fs::open(dir.file("f"), fs::OpenMode::ReadWriteCreate);
            return file ? action(*file) : file.status();
        });
    };
    const QString f = QStringLiteral("%1/f");
    const QString g = QStringLiteral("%1/g");

    QTest::newRow("exists") << fs::Op::Exists << f << Operation([](const test::TempAppDir& d) {
        return fs::isFile(d.file("f")).status();
    }) << "Cannot find \"%1/f\": Permission denied";
    QTest::newRow("create folder")
        << fs::Op::CreateFolder << QStringLiteral("%1/sub")
        << Operation([](const test::TempAppDir& d) { return fs::createFolder(d.file("sub")); })
        << "Cannot create the folder \"%1/sub\": Permission denied";
    QTest::newRow("open") << fs::Op::Open << f << Operation([](const test::TempAppDir& d) {
        return fs::open(d.file("f"), fs::OpenMode::ReadOnly).status();
    }) << "Cannot open \"%1/f\": Permission denied";
    QTest::newRow("read") << fs::Op::Read << f << withFile([](fs::File& file) {
        char c;
        return fs::readAt(file, 0, &c, 1).status();
    }) << "Cannot read \"%1/f\": Permission denied";
    QTest::newRow("write") << fs::Op::Write << f
                           << withFile([](fs::File& file) { return fs::writeAt(file, 0, "x", 1); })
                           << "Cannot write \"%1/f\": Permission denied";
    QTest::newRow("sync") << fs::Op::Sync << f
                          << withFile([](fs::File& file) { return fs::sync(file); })
                          << "Cannot save to disk \"%1/f\": Permission denied";
    QTest::newRow("length") << fs::Op::Length << f
                            << withFile([](fs::File& file) { return fs::length(file).status(); })
                            << "Cannot get the length of \"%1/f\": Permission denied";
    QTest::newRow("rename by source")
        << fs::Op::Rename << f
        << Operation([](const test::TempAppDir& d) { return fs::rename(d.file("f"), d.file("g")); })
        << "Cannot rename \"%1/f\" to \"%1/g\": Permission denied";
    QTest::newRow("rename by target")
        << fs::Op::Rename << g
        << Operation([](const test::TempAppDir& d) { return fs::rename(d.file("f"), d.file("g")); })
        << "Cannot rename \"%1/f\" to \"%1/g\": Permission denied";
    QTest::newRow("copy") << fs::Op::Copy << g << Operation([](const test::TempAppDir& d) {
        return fs::copy(d.file("f"), d.file("g"));
    }) << "Cannot copy \"%1/f\" to \"%1/g\": Permission denied";
    QTest::newRow("remove") << fs::Op::Remove << f << Operation([](const test::TempAppDir& d) {
        return fs::remove(d.file("f"));
    }) << "Cannot delete \"%1/f\": Permission denied";
    QTest::newRow("list") << fs::Op::List << QStringLiteral("%1")
                          << Operation([](const test::TempAppDir& d) {
                                 return fs::list(d.path()).status();
                             })
                          << "Cannot list \"%1\": Permission denied";
    QTest::newRow("read whole") << fs::Op::Read << f << Operation([](const test::TempAppDir& d) {
        return fs::readWhole(d.file("f")).status();
    }) << "Cannot read \"%1/f\": Permission denied";
}

void TestFileSystem::faultMakesTheOperationFail() {
    QFETCH(fs::Op, op);
    QFETCH(QString, path);
    QFETCH(Operation, operation);
    QFETCH(QString, message);

    test::TempAppDir dir;
    writePlain(dir.file("f"), "content");
    const QString root = QString::fromStdString(dir.path());
    {
        test::ScopedFaultHook hook(test::failOn(op, path.arg(root).toStdString(), EACCES));
        const Status failed = operation(dir);
        QVERIFY(!failed.ok());
        QCOMPARE(QString::fromStdString(failed.error().message()), message.arg(root));
        QCOMPARE(failed.error().code, EACCES);
    }
    // Without the hook the same operation goes through, and the fault changed nothing.
    QVERIFY(operation(dir).ok());
}

void TestFileSystem::realFailureNamesTheReason() {
    test::TempAppDir dir;
    const Status failed = fs::rename(dir.file("missing"), dir.file("other"));
    QCOMPARE(failed.error().message(), "Cannot rename \"" + dir.file("missing") + "\" to \"" +
                                           dir.file("other") + "\": No such file or directory");
    const Status copied = fs::copy(dir.file("missing"), dir.file("other"));
    QVERIFY(copied.error().isMissing());
    QCOMPARE(*fs::isFile(dir.file("other")), false);
}

ZELT_TEST(TestFileSystem)
#include "test_file_system.moc"
