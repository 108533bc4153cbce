#include "storage/code_page.h"
#include "storage/field_codec.h"
#include "support/byte_text.h"
#include "support/test_registry.h"

#include <QtTest>

using namespace zelt;
using zelt::test::bytes;

class TestCodePage : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTrips();
    void decodesToUnicode_data();
    void decodesToUnicode();
    void unstorableBecomesQuestionMark_data();
    void unstorableBecomesQuestionMark();
    void countsAndCutsCharacters_data();
    void countsAndCutsCharacters();
    void fieldPaddingAndCutting_data();
    void fieldPaddingAndCutting();
};

void TestCodePage::everyByteRoundTrips() {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string text = decodeCp1252(all);
    QCOMPARE(characterCount(text), std::size_t{256});
    const EncodedText back = encodeCp1252(text);
    QCOMPARE(bytes(back.bytes), bytes(all));
    QVERIFY(!back.replaced);
    // Qt's own UTF-8 reader agrees that the decoded text is valid.
    QCOMPARE(QString::fromUtf8(text.data(), qsizetype(text.size())).size(), 256);
}

void TestCodePage::decodesToUnicode_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("codePoint");
    QTest::newRow("A") << 0x41 << 0x41;
    QTest::newRow("NUL") << 0x00 << 0x00;
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("undefined 81") << 0x81 << 0x81;
    QTest::newRow("low quote") << 0x82 << 0x201A;
    QTest::newRow("undefined 8D") << 0x8D << 0x8D;
    QTest::newRow("Z caron") << 0x8E << 0x017D;
    QTest::newRow("undefined 8F") << 0x8F << 0x8F;
    QTest::newRow("undefined 90") << 0x90 << 0x90;
    QTest::newRow("left quote") << 0x91 << 0x2018;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("undefined 9D") << 0x9D << 0x9D;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("no-break space") << 0xA0 << 0xA0;
    QTest::newRow("e acute") << 0xE9 << 0xE9;
    QTest::newRow("y diaeresis") << 0xFF << 0xFF;
}

void TestCodePage::decodesToUnicode() {
    QFETCH(int, byte);
    QFETCH(int, codePoint);
    const std::string text = decodeCp1252(std::string(1, static_cast<char>(byte)));
    const QString decoded = QString::fromUtf8(text.data(), qsizetype(text.size()));
    QCOMPARE(decoded.size(), 1);
    QCOMPARE(int(decoded.at(0).unicode()), codePoint);
    const EncodedText back = encodeCp1252(text);
    QCOMPARE(bytes(back.bytes), QByteArray(1, static_cast<char>(byte)));
}

void TestCodePage::unstorableBecomesQuestionMark_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("plain") << QByteArray("abc") << QByteArray("abc") << false;
    QTest::newRow("empty") << QByteArray() << QByteArray() << false;
    QTest::newRow("CJK") << QByteArray("a\xE4\xB8\xAD"
                                       "b")
                         << QByteArray("a?b") << true;
    QTest::newRow("emoji") << QByteArray("\xF0\x9F\x98\x80") << QByteArray("?") << true;
    QTest::newRow("C1 control 80 has no byte") << QByteArray("\xC2\x80") << QByteArray("?") << true;
    QTest::newRow("lone continuation") << QByteArray("a\x80"
                                                     "b")
                                       << QByteArray("a?b") << true;
    QTest::newRow("invalid FF") << QByteArray("\xFF") << QByteArray("?") << true;
    QTest::newRow("truncated sequence") << QByteArray("\xC3") << QByteArray("?") << true;
    QTest::newRow("truncated before ASCII") << QByteArray("\xE2\x82"
                                                          "x")
                                            << QByteArray("??x") << true;
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << QByteArray("??") << true;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QByteArray("???") << true;
    QTest::newRow("euro and ellipsis")
        << QByteArray("\xE2\x82\xAC\xE2\x80\xA6") << QByteArray("\x80\x85") << false;
}

void TestCodePage::unstorableBecomesQuestionMark() {
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, stored);
    QFETCH(bool, replaced);
    const EncodedText encoded = encodeCp1252(std::string_view(utf8.constData(), utf8.size()));
    QCOMPARE(bytes(encoded.bytes), stored);
    QCOMPARE(encoded.replaced, replaced);
}

void TestCodePage::countsAndCutsCharacters_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("n");
    QTest::addColumn<QByteArray>("first");
    QTest::newRow("ascii") << QByteArray("abcdef") << 6 << 3 << QByteArray("abc");
    QTest::newRow("n past the end") << QByteArray("ab") << 2 << 5 << QByteArray("ab");
    QTest::newRow("zero") << QByteArray("ab") << 2 << 0 << QByteArray();
    QTest::newRow("two-byte letters")
        << QByteArray("\xC3\xA9\xC3\xA8x") << 3 << 2 << QByteArray("\xC3\xA9\xC3\xA8");
    QTest::newRow("euro kept whole") << QByteArray("a\xE2\x82\xAC"
                                                   "b")
                                     << 3 << 2 << QByteArray("a\xE2\x82\xAC");
}

void TestCodePage::countsAndCutsCharacters() {
    QFETCH(QByteArray, utf8);
    QFETCH(int, count);
    QFETCH(int, n);
    QFETCH(QByteArray, first);
    const std::string_view text(utf8.constData(), utf8.size());
    QCOMPARE(characterCount(text), std::size_t(count));
    QCOMPARE(bytes(firstCharacters(text, std::size_t(n))), first);
}

void TestCodePage::fieldPaddingAndCutting_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("7 into 5 keeps the first 5") << QByteArray("abcdefg") << QByteArray("abcde");
    QTest::newRow("3 into 5 is padded") << QByteArray("abc") << QByteArray("abc  ");
    QTest::newRow("empty is all blanks") << QByteArray() << QByteArray("     ");
    QTest::newRow("leading blanks kept") << QByteArray(" ab") << QByteArray(" ab  ");
    QTest::newRow("accents one byte each")
        << QByteArray("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9")
        << QByteArray("\xE9\xE9\xE9\xE9\xE9");
}

void TestCodePage::fieldPaddingAndCutting() {
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, field);
    std::uint8_t record[7] = {0xAA, 0, 0, 0, 0, 0, 0xBB};
    field::putText(record + 1, 5, std::string_view(utf8.constData(), utf8.size()));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(record + 1), 5), field);
    QCOMPARE(record[0], std::uint8_t{0xAA}); // the neighbours are untouched
    QCOMPARE(record[6], std::uint8_t{0xBB});
    const std::string back = field::getText(record + 1, 5);
    QCOMPARE(characterCount(back), std::size_t{5});
}

ZELT_TEST(TestCodePage)
#include "test_code_page.moc"
