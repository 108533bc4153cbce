#include "storage/file_system.h"
#include "storage/side_text.h"
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

QByteArray fileBytes(const std::string& path) {
    return bytes(*fs::readWhole(path));
}

} // namespace

class TestSideText : public QObject {
    Q_OBJECT

private slots:
    void writeAddsOneLineEnd_data();
    void writeAddsOneLineEnd();
    void readDropsExactlyOneLineEnd_data();
    void readDropsExactlyOneLineEnd();
    void savingUnchangedTextKeepsTheFile();
    void missingFileIsEmptyText();
    void unreadableFileIsAnError();
    void writeFailureKeepsTheOldText();
    void flattenLineBreaks_data();
    void flattenLineBreaks();
};

void TestSideText::writeAddsOneLineEnd_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("abc") << QByteArray("abc") << QByteArray("abc\r\n") << false;
    QTest::newRow("empty") << QByteArray() << QByteArray("\r\n") << false;
    QTest::newRow("two lines") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n") << false;
    QTest::newRow("Hello") << QByteArray("Hello") << QByteArray("Hello\r\n") << false;
    QTest::newRow("accented") << QByteArray("caf\xC3\xA9") << QByteArray("caf\xE9\r\n") << false;
    QTest::newRow("unstorable") << QByteArray("\xE4\xB8\xAD") << QByteArray("?\r\n") << true;
}

void TestSideText::writeAddsOneLineEnd() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, file);
    QFETCH(bool, replaced);
    test::TempAppDir dir;
    const std::string path = dir.file("s1.txt");
    writePlain(path, "an older and longer text\r\n");
    bool lost = !replaced;
    QVERIFY(writeSideText(path, text.toStdString(), &lost).ok());
    QCOMPARE(fileBytes(path), file);
    QCOMPARE(lost, replaced);
}

void TestSideText::readDropsExactlyOneLineEnd_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("whole");
    QTest::newRow("abc") << QByteArray("abc\r\n") << QByteArray("abc") << QByteArray("abc\r\n");
    QTest::newRow("only CR LF") << QByteArray("\r\n") << QByteArray() << QByteArray("\r\n");
    QTest::newRow("two CR LF") << QByteArray("a\r\n\r\n") << QByteArray("a\r\n")
                               << QByteArray("a\r\n\r\n");
    QTest::newRow("no line end") << QByteArray("abc") << QByteArray("abc") << QByteArray("abc");
    QTest::newRow("lone LF kept") << QByteArray("abc\n") << QByteArray("abc\n")
                                  << QByteArray("abc\n");
    QTest::newRow("empty file") << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("Windows-1252") << QByteArray("\x80\r\n") << QByteArray("\xE2\x82\xAC")
                                  << QByteArray("\xE2\x82\xAC\r\n");
}

void TestSideText::readDropsExactlyOneLineEnd() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, whole);
    test::TempAppDir dir;
    writePlain(dir.file("1.txt"), file.toStdString());
    QCOMPARE(bytes(*readSideText(dir.file("1.txt"))), text);
    QCOMPARE(bytes(*readSideTextWhole(dir.file("1.txt"))), whole);
}

void TestSideText::savingUnchangedTextKeepsTheFile() {
    test::TempAppDir dir;
    const std::string path = dir.file("c3.txt");
    QVERIFY(writeSideText(path, "a\r\nb").ok());
    for (int i = 0; i < 3; ++i)
        QVERIFY(writeSideText(path, *readSideText(path)).ok());
    QCOMPARE(fileBytes(path), QByteArray("a\r\nb\r\n"));
}

void TestSideText::missingFileIsEmptyText() {
    test::TempAppDir dir;
    QCOMPARE(bytes(*readSideText(dir.file("7.txt"))), QByteArray());
    QCOMPARE(bytes(*readSideTextWhole(dir.file("7.txt"))), QByteArray());
    QCOMPARE(bytes(*readSideText(dir.file("no-folder/7.txt"))), QByteArray());
    QCOMPARE(*fs::isFile(dir.file("7.txt")), false); // reading created nothing
}

void TestSideText::unreadableFileIsAnError() {
    test::TempAppDir dir;
    QVERIFY(fs::createFolder(dir.file("12.txt")).ok());
    const auto text = readSideText(dir.file("12.txt"));
    QVERIFY(!text.ok());
    QCOMPARE(text.error().message(), "Cannot open \"" + dir.file("12.txt") + "\": Is a directory");
    QVERIFY(!readSideTextWhole(dir.file("12.txt")).ok());

    writePlain(dir.file("13.txt"), "x\r\n");
    test::ScopedFaultHook hook(test::failOn(fs::Op::Read, dir.file("13.txt"), EIO));
    QCOMPARE(readSideText(dir.file("13.txt")).error().message(),
             "Cannot read \"" + dir.file("13.txt") + "\": Input/output error");
}

void TestSideText::writeFailureKeepsTheOldText() {
    test::TempAppDir dir;
    const std::string path = dir.file("r5.txt");
    QVERIFY(writeSideText(path, "first").ok());
    {
        test::ScopedFaultHook hook(test::failEvery(fs::Op::Write, ENOSPC));
        const Status failed = writeSideText(path, "second");
        QVERIFY(!failed.ok());
        QVERIFY(failed.error().message().ends_with(": No space left on device"));
    }
    QCOMPARE(bytes(*readSideText(path)), QByteArray("first"));
    QCOMPARE(fs::list(dir.path())->size(), std::size_t{1}); // no temporary left behind
}

void TestSideText::flattenLineBreaks_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("flat");
    QTest::newRow("one pair") << QByteArray("a\r\nb") << QByteArray("a b");
    QTest::newRow("final pair") << QByteArray("a\r\n") << QByteArray("a ");
    QTest::newRow("two pairs") << QByteArray("\r\n\r\n") << QByteArray("  ");
    QTest::newRow("lone CR and LF stay") << QByteArray("a\rb\nc") << QByteArray("a\rb\nc");
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QByteArray("a\r b");
    QTest::newRow("LF CR") << QByteArray("a\n\rb") << QByteArray("a\n\rb");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestSideText::flattenLineBreaks() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, flat);
    QCOMPARE(bytes(zelt::flattenLineBreaks(text.toStdString())), flat);
}

ZELT_TEST(TestSideText)
#include "test_side_text.moc"
