#include "storage/app_paths.h"
#include "storage/file_system.h"
#include "support/byte_text.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"

#include <QtTest>

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

} // namespace

class TestAppPaths : public QObject {
    Q_OBJECT

private slots:
    void folderNames();
    void joinPath_data();
    void joinPath();
    void folderPaths();
    void ensureFolderCreatesOneLevel();
};

void TestAppPaths::folderNames() {
    QCOMPARE(folderName(Folder::Data), std::string_view("data"));
    QCOMPARE(folderName(Folder::Addinfo), std::string_view("addinfo"));
    QCOMPARE(folderName(Folder::Comm), std::string_view("comm"));
    QCOMPARE(folderName(Folder::Output), std::string_view("output"));
    QCOMPARE(folderName(Folder::Backcopies), std::string_view("backcopies"));
}

void TestAppPaths::joinPath_data() {
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("joined");
    QTest::newRow("plain") << "/home/x"
                           << "data"
                           << "/home/x/data";
    QTest::newRow("head ends in slash") << "/home/x/"
                                        << "data"
                                        << "/home/x/data";
    QTest::newRow("tail begins with slash") << "/home/x"
                                            << "/data"
                                            << "/home/x/data";
    QTest::newRow("both") << "/home/x//"
                          << "//data"
                          << "/home/x/data";
    QTest::newRow("root") << "/"
                          << "data"
                          << "/data";
    QTest::newRow("relative") << "app"
                              << "sales.kvr"
                              << "app/sales.kvr";
}

void TestAppPaths::joinPath() {
    QFETCH(QString, head);
    QFETCH(QString, tail);
    QFETCH(QString, joined);
    QCOMPARE(QString::fromStdString(zelt::joinPath(head.toStdString(), tail.toStdString())),
             joined);
}

void TestAppPaths::folderPaths() {
    QCOMPARE(folderPath("/a/", Folder::Backcopies), std::string("/a/backcopies"));
    QCOMPARE(filePath("/a", Folder::Data, "affiliates.kvr"), std::string("/a/data/affiliates.kvr"));
    QCOMPARE(filePath("/a", Folder::Addinfo, "s12.txt"), std::string("/a/addinfo/s12.txt"));
    QCOMPARE(filePath("/a", Folder::Comm, "r105.txt"), std::string("/a/comm/r105.txt"));
    QCOMPARE(filePath("/a", Folder::Output, "Sales.txt"), std::string("/a/output/Sales.txt"));
}

void TestAppPaths::ensureFolderCreatesOneLevel() {
    test::TempAppDir dir;
    QVERIFY(ensureFolder(dir.path(), Folder::Comm).ok());
    QCOMPARE(*fs::isFolder(dir.file("comm")), true);
    writePlain(dir.file("comm/1.txt"), "kept");
    QVERIFY(ensureFolder(dir.path(), Folder::Comm).ok()); // found and left unchanged
    QCOMPARE(fileBytes(dir.file("comm/1.txt")), QByteArray("kept"));

    QVERIFY(!ensureFolder(dir.file("missing"), Folder::Data).ok()); // one level only
    writePlain(dir.file("output"), "a file, not a folder");
    QVERIFY(!ensureFolder(dir.path(), Folder::Output).ok());
}

ZELT_TEST(TestAppPaths)
#include "test_app_paths.moc"
