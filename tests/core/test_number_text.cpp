#include "storage/number_text.h"
#include "support/test_locales.h"
#include "support/test_registry.h"

#include <QTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

using zelt::LocaleRules;
using zelt::test::testRules;

namespace {

// Exact text of a value (QCOMPARE on floating point forgives small differences).
QString exact(double value) {
    return QString::number(value, 'g', 17);
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void parseNumber_data();
    void parseNumber();
    void parseNumberIsExact_data();
    void parseNumberIsExact();
    void parseNumberNoBreakSpaceGroups();
    void parseInt32_data();
    void parseInt32();
    void parseInt16_data();
    void parseInt16();
    void parseSingle_data();
    void parseSingle();
    void formatSingle_data();
    void formatSingle();
    void formatSingleIsPercentSevenG();
    void formatInt();
};

void TestNumberText::parseNumber_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");

    // Decimal comma, "." groups.
    QTest::newRow("dmy groups and fraction") << "dmy"
                                             << "1.000,5" << true << 1000.5;
    QTest::newRow("dmy two groups") << "dmy"
                                    << " -1.234.567,25 " << true << -1234567.25;
    QTest::newRow("dmy plain") << "dmy"
                               << "10,50" << true << 10.5;
    QTest::newRow("dmy group only") << "dmy"
                                    << "1.000" << true << 1000.0;
    QTest::newRow("dmy point is no decimal") << "dmy"
                                             << "10.50" << false << 0.0;
    QTest::newRow("dmy point with one digit") << "dmy"
                                              << "10.5" << false << 0.0;
    QTest::newRow("dmy group of four") << "dmy"
                                       << "1.0000" << false << 0.0;
    QTest::newRow("dmy leading group of four") << "dmy"
                                               << "1000.000" << false << 0.0;
    QTest::newRow("dmy doubled group") << "dmy"
                                       << "1..000" << false << 0.0;
    QTest::newRow("dmy group first") << "dmy"
                                     << ".000" << false << 0.0;
    QTest::newRow("dmy group last") << "dmy"
                                    << "1." << false << 0.0;
    QTest::newRow("dmy group in fraction") << "dmy"
                                           << "1,000.5" << false << 0.0;
    QTest::newRow("dmy fraction alone") << "dmy"
                                        << ",5" << true << 0.5;
    QTest::newRow("dmy trailing comma") << "dmy"
                                        << "5," << true << 5.0;
    QTest::newRow("dmy comma alone") << "dmy"
                                     << "," << false << 0.0;
    QTest::newRow("dmy exponent") << "dmy"
                                  << "1,5e3" << true << 1500.0;
    QTest::newRow("dmy grouped exponent") << "dmy"
                                          << "1.000E-3" << true << 1.0;

    // Decimal point, "," groups.
    QTest::newRow("c groups and fraction") << "c"
                                           << "1,000.5" << true << 1000.5;
    QTest::newRow("c group of two") << "c"
                                    << "1,00" << false << 0.0;
    QTest::newRow("c millions") << "mdy"
                                << "1,000,000" << true << 1e6;
    QTest::newRow("c short last group") << "mdy"
                                        << "1,000,00" << false << 0.0;
    QTest::newRow("c comma decimal refused") << "c"
                                             << "1.000,5" << false << 0.0;
    QTest::newRow("c point alone") << "c"
                                   << "." << false << 0.0;
    QTest::newRow("c fraction alone") << "c"
                                      << "-.5e1" << true << -5.0;
    QTest::newRow("c plus sign") << "c"
                                 << "+3" << true << 3.0;
    QTest::newRow("c blanks and tab") << "c"
                                      << " \t42 " << true << 42.0;
    QTest::newRow("c negative zero") << "c"
                                     << "-0" << true << -0.0;
    QTest::newRow("c exponent plus") << "c"
                                     << "2E+2" << true << 200.0;

    // Nothing, or something that is not a number.
    QTest::newRow("empty") << "c"
                           << "" << false << 0.0;
    QTest::newRow("blanks") << "dmy"
                            << "   " << false << 0.0;
    QTest::newRow("sign alone") << "c"
                                << "-" << false << 0.0;
    QTest::newRow("double sign") << "c"
                                 << "--1" << false << 0.0;
    QTest::newRow("blank after sign") << "c"
                                      << "- 1" << false << 0.0;
    QTest::newRow("sign after") << "c"
                                << "1-" << false << 0.0;
    QTest::newRow("blank inside") << "c"
                                  << "12 3" << false << 0.0;
    QTest::newRow("letters") << "c"
                             << "abc" << false << 0.0;
    QTest::newRow("trailing letter") << "c"
                                     << "12a" << false << 0.0;
    QTest::newRow("hex") << "c"
                         << "0x10" << false << 0.0;
    QTest::newRow("inf") << "c"
                         << "inf" << false << 0.0;
    QTest::newRow("nan") << "c"
                         << "nan" << false << 0.0;
    QTest::newRow("exponent without digits") << "c"
                                             << "1e" << false << 0.0;
    QTest::newRow("exponent sign only") << "c"
                                        << "1e+" << false << 0.0;
    QTest::newRow("exponent alone") << "c"
                                    << "e5" << false << 0.0;
    QTest::newRow("overflow") << "c"
                              << "1e400" << false << 0.0;
    QTest::newRow("huge exponent") << "c"
                                   << "1e99999999999999999999" << false << 0.0;
    QTest::newRow("underflow is zero") << "c"
                                       << "1e-400" << true << 0.0;
    QTest::newRow("zero with huge exponent") << "c"
                                             << "0e99999" << true << 0.0;
    // Where the files write "." for the locale's separator, typing takes both.
    QTest::newRow("ar shown") << "ar"
                              << "1\u066C234\u066B5" << true << 1234.5;
    QTest::newRow("ar file form") << "ar"
                                  << "1234.5" << true << 1234.5;
}

void TestNumberText::parseNumber() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);
    const std::optional<double> value = zelt::parseNumber(text.toStdString(), testRules(locale));
    QCOMPARE(value.has_value(), valid);
    if (valid)
        QCOMPARE(exact(*value), exact(expected));
}

void TestNumberText::parseNumberIsExact_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    // The compiler's own reading of the literal is correctly rounded.
    QTest::newRow("0.1") << "0.1" << 0.1;
    QTest::newRow("tie to even above 2^53") << "9007199254740993" << 9007199254740992.0;
    QTest::newRow("thirty digits")
        << "123456789012345678901234567890" << 123456789012345678901234567890.0;
    QTest::newRow("many fraction digits") << "0.3000000000000000166533453693773481063544750213623"
                                          << 0.3000000000000000166533453693773481063544750213623;
    QTest::newRow("largest double") << "1.7976931348623157e308" << 1.7976931348623157e308;
}

void TestNumberText::parseNumberIsExact() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    const std::optional<double> value = zelt::parseNumber(text.toStdString(), LocaleRules::c());
    QVERIFY(value.has_value());
    QCOMPARE(exact(*value), exact(expected));
}

void TestNumberText::parseNumberNoBreakSpaceGroups() {
    // Locales that group with a narrow no-break space also take the blank an operator types.
    LocaleRules rules = LocaleRules::dayMonthYearComma();
    rules.groupSeparator = "\xE2\x80\xAF";
    QCOMPARE(zelt::parseNumber("1\xE2\x80\xAF"
                               "000,5",
                               rules),
             std::optional<double>(1000.5));
    QCOMPARE(zelt::parseNumber("1 000,5", rules), std::optional<double>(1000.5));
    QVERIFY(!zelt::parseNumber("10 50", rules));
}

void TestNumberText::parseInt32_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("expected");

    QTest::newRow("largest") << "c"
                             << "2147483647" << true << 2147483647;
    QTest::newRow("largest plus .4") << "c"
                                     << "2147483647.4" << true << 2147483647;
    QTest::newRow("largest plus .5 rounds out") << "c"
                                                << "2147483647.5" << false << 0;
    QTest::newRow("one too many") << "c"
                                  << "2147483648" << false << 0;
    QTest::newRow("smallest") << "c"
                              << "-2147483648" << true << (-2147483647 - 1);
    QTest::newRow("smallest minus .5 to even") << "c"
                                               << "-2147483648.5" << true << (-2147483647 - 1);
    QTest::newRow("one too few") << "c"
                                 << "-2147483649" << false << 0;
    QTest::newRow("half to even down") << "c"
                                       << "2.5" << true << 2;
    QTest::newRow("half to even up") << "c"
                                     << "3.5" << true << 4;
    QTest::newRow("negative half") << "c"
                                   << "-2.5" << true << -2;
    QTest::newRow("zero point five") << "c"
                                     << "0.5" << true << 0;
    QTest::newRow("one point five") << "c"
                                    << "1.5" << true << 2;
    QTest::newRow("above half") << "c"
                                << "2.500001" << true << 3;
    QTest::newRow("exponent") << "c"
                              << "1e3" << true << 1000;
    QTest::newRow("exponent overflow") << "c"
                                       << "1e10" << false << 0;
    QTest::newRow("blanks") << "c"
                            << "  42  " << true << 42;
    QTest::newRow("letters") << "c"
                             << "4x2" << false << 0;
    QTest::newRow("dmy comma fraction") << "dmy"
                                        << "2,5" << true << 2;
    QTest::newRow("dmy group") << "dmy"
                               << "1.000" << true << 1000;
    QTest::newRow("dmy point refused") << "dmy"
                                       << "2.5" << false << 0;
}

void TestNumberText::parseInt32() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, expected);
    const auto value = zelt::parseInt32(text.toStdString(), testRules(locale));
    QCOMPARE(value.has_value(), valid);
    if (valid)
        QCOMPARE(*value, expected);
}

void TestNumberText::parseInt16_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("expected");
    QTest::newRow("largest") << "32767" << true << 32767;
    QTest::newRow("largest plus .4") << "32767.4" << true << 32767;
    QTest::newRow("largest plus .5") << "32767.5" << false << 0;
    QTest::newRow("smallest") << "-32768" << true << -32768;
    QTest::newRow("smallest minus .5") << "-32768.5" << true << -32768;
    QTest::newRow("one too few") << "-32769" << false << 0;
    QTest::newRow("forty thousand") << "40000" << false << 0;
    QTest::newRow("grouped") << "1,234" << true << 1234;
}

void TestNumberText::parseInt16() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, expected);
    const auto value = zelt::parseInt16(text.toStdString(), LocaleRules::monthDayYearAmPm());
    QCOMPARE(value.has_value(), valid);
    if (valid)
        QCOMPARE(int(*value), expected);
}

void TestNumberText::parseSingle_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<float>("expected");

    const float largest = std::numeric_limits<float>::max();
    QTest::newRow("sum") << "dmy"
                         << "10,5" << true << 10.5f;
    QTest::newRow("tenth") << "c"
                           << "0.1" << true << 0.1f;
    QTest::newRow("1e40") << "c"
                          << "1e40" << false << 0.0f;
    QTest::newRow("-1e40") << "c"
                           << "-1e40" << false << 0.0f;
    QTest::newRow("largest shown") << "c"
                                   << "3.402823E+38" << true << 3.402823e38f;
    QTest::newRow("rounds to largest") << "c"
                                       << "3.4028235E+38" << true << largest;
    QTest::newRow("rounds to infinity") << "c"
                                        << "3.4028236E+38" << false << 0.0f;
    QTest::newRow("underflow is zero") << "c"
                                       << "1e-50" << true << 0.0f;
    QTest::newRow("not a number") << "dmy"
                                  << "zehn" << false << 0.0f;
    // Just above the midpoint of 1 and the next single: read straight to single it rounds up;
    // read through a double it would land on the midpoint and round to 1.
    QTest::newRow("one rounding only")
        << "c"
        << "1.0000000596046447753906250001" << true << 1.00000011920928955078125f;
}

void TestNumberText::parseSingle() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(float, expected);
    const auto value = zelt::parseSingle(text.toStdString(), testRules(locale));
    QCOMPARE(value.has_value(), valid);
    if (valid)
        QCOMPARE(exact(*value), exact(expected));
}

void TestNumberText::formatSingle_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");

    const float infinity = std::numeric_limits<float>::infinity();
    QTest::newRow("dmy sum") << "dmy" << 10.5f << "10,5";
    QTest::newRow("mdy sum") << "mdy" << 10.5f << "10.5";
    QTest::newRow("no group separator") << "dmy" << 1234.5f << "1234,5";
    QTest::newRow("negative") << "dmy" << -2.25f << "-2,25";
    QTest::newRow("zero") << "dmy" << 0.0f << "0";
    QTest::newRow("tenth") << "c" << 0.1f << "0.1";
    QTest::newRow("seven digits") << "c" << 1234567.0f << "1234567";
    QTest::newRow("eight digits") << "c" << 12345678.0f << "1.234568E+07";
    QTest::newRow("eight digits dmy") << "dmy" << 12345678.0f << "1,234568E+07";
    QTest::newRow("ten million") << "c" << 1e7f << "1E+07";
    QTest::newRow("fraction cut to seven") << "c" << 123456.78f << "123456.8";
    QTest::newRow("small") << "c" << 0.0001f << "0.0001";
    QTest::newRow("smaller") << "c" << 0.00001f << "1E-05";
    QTest::newRow("largest") << "c" << std::numeric_limits<float>::max() << "3.402823E+38";
    QTest::newRow("infinity") << "dmy" << infinity << "";
    QTest::newRow("minus infinity") << "c" << -infinity << "";
    QTest::newRow("nan") << "c" << std::numeric_limits<float>::quiet_NaN() << "";
    QTest::newRow("ar shown") << "ar" << 10.5f << "10\u066B5";
    QTest::newRow("ar file") << "ar file" << 10.5f << "10.5";
    QTest::newRow("fi file") << "fi file" << 10.5f << "10,5";
}

void TestNumberText::formatSingle() {
    QFETCH(QString, locale);
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(zelt::formatSingle(value, testRules(locale))), expected);
}

void TestNumberText::formatSingleIsPercentSevenG() {
    // The same text as C's printf("%.7G") in the "C" locale, over many single values of every
    // magnitude; and what is shown reads back as the same single rounded to seven digits.
    QCOMPARE(std::setlocale(LC_NUMERIC, nullptr), "C");
    std::uint32_t state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        float value;
        static_assert(sizeof value == sizeof state);
        std::memcpy(&value, &state, sizeof value);
        if (!std::isfinite(value))
            continue;
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.7G", double(value));
        const std::string shown = zelt::formatSingle(value, LocaleRules::c());
        if (shown != expected)
            QFAIL(qPrintable(QStringLiteral("%1 shown as %2").arg(expected, shown.c_str())));
        const std::optional<float> back = zelt::parseSingle(shown, LocaleRules::c());
        QVERIFY(back.has_value());
        QCOMPARE(zelt::formatSingle(*back, LocaleRules::c()), shown);
    }
}

void TestNumberText::formatInt() {
    QCOMPARE(zelt::formatInt(0), std::string("0"));
    QCOMPARE(zelt::formatInt(-17), std::string("-17"));
    QCOMPARE(zelt::formatInt(std::numeric_limits<std::int64_t>::min()),
             std::string("-9223372036854775808"));
}

ZELT_TEST(TestNumberText)
#include "test_number_text.moc"
