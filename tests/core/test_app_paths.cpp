#include "storage/app_paths.h"
#include "storage/file_system.h"
#include "storage/record_kind.h"
#include "support/byte_text.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"

#include <QtTest>

#include <fstream>

using namespace zelt;
using zelt::test::bytes;

Q_DECLARE_METATYPE(zelt::RecordKind)
Q_DECLARE_METATYPE(zelt::SideText)

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
    void sideFilePath_data();
    void sideFilePath();
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

void TestAppPaths::sideFilePath_data() {
    QTest::addColumn<RecordKind>("kind");
    QTest::addColumn<SideText>("text");
    QTest::addColumn<std::int32_t>("record");
    QTest::addColumn<QByteArray>("path");
    QTest::newRow("member") << RecordKind::Members << SideText::AdditionalInfo << 1
                            << QByteArray("/a/addinfo/1.txt");
    QTest::newRow("member, largest number")
        << RecordKind::Members << SideText::AdditionalInfo << 2147483647
        << QByteArray("/a/addinfo/2147483647.txt");
    QTest::newRow("sale") << RecordKind::Sales << SideText::AdditionalInfo << 12
                          << QByteArray("/a/addinfo/s12.txt");
    QTest::newRow("payment") << RecordKind::Payments << SideText::AdditionalInfo << 7
                             << QByteArray("/a/addinfo/p7.txt");
    QTest::newRow("message") << RecordKind::Communications << SideText::Message << 105
                             << QByteArray("/a/comm/105.txt");
    QTest::newRow("response") << RecordKind::Communications << SideText::Response << 105
                              << QByteArray("/a/comm/r105.txt");
    QTest::newRow("comments") << RecordKind::Communications << SideText::Comments << 105
                              << QByteArray("/a/comm/c105.txt");
    QTest::newRow("scheme: none") << RecordKind::Schemes << SideText::AdditionalInfo << 1
                                  << QByteArray();
    QTest::newRow("member message: none")
        << RecordKind::Members << SideText::Message << 1 << QByteArray();
    QTest::newRow("communication info: none")
        << RecordKind::Communications << SideText::AdditionalInfo << 1 << QByteArray();
    QTest::newRow("sale response: none")
        << RecordKind::Sales << SideText::Response << 1 << QByteArray();
}

void TestAppPaths::sideFilePath() {
    QFETCH(RecordKind, kind);
    QFETCH(SideText, text);
    QFETCH(std::int32_t, record);
    QFETCH(QByteArray, path);
    QCOMPARE(bytes(zelt::sideFilePath("/a/", kind, text, record)), path);
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
