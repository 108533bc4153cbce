// The conversions between stored values and texts: dates and numbers in each locale's forms, the
// Windows-1252 code page of the files, and fixed-width text fields.
#include "core_fixture.h"
#include "storage/code_page.h"
#include "storage/date_text.h"
#include "storage/number_text.h"
#include "support/test_locales.h"

#include <cmath>
#include <cstring>

using namespace zelt;
using test::bytes;
using test::number;
using test::testRules;

namespace {

// Exact text of a value (QCOMPARE on floating point forgives small differences).
QString exact(double value) {
    return std::isnan(value) ? "refused" : QString::number(value, 'g', 17);
}

} // namespace

class ConversionsTest : public QObject {
    Q_OBJECT

private slots:
    // Values shown (dates and singles) in the forms of the locales named, in their order; outside
    // the years 100 to 9999, and no finite value: nothing is shown.
    void format_data() {
        test::textRows(R"(
day | date | 37211 | dmy mdy c | 16.11.2001 | 11/16/2001 | 2001-11-16
noon | date | 37211.5 | dmy mdy c | 16.11.2001 12:00:00 | 11/16/2001 12:00:00 PM | 2001-11-16 12:00:00
morning | date | 37211.37855324074 | dmy mdy c fi | 16.11.2001 09:05:07 | 11/16/2001 9:05:07 AM | 2001-11-16 09:05:07 | 16.11.2001 9.05.07
into the next year | date | 37256.99999884259 | dmy mdy c | 01.01.2002 00:00:00 | 1/1/2002 12:00:00 AM | 2002-01-01 00:00:00
negative 18:00 | date | -1.75 | dmy mdy c | 29.12.1899 18:00:00 | 12/29/1899 6:00:00 PM | 1899-12-29 18:00:00
negative to day 0 | date | -1.9999999999 | dmy mdy c | 30.12.1899 00:00:00 | 12/30/1899 12:00:00 AM | 1899-12-30 00:00:00
year 100 | date | -657434 | dmy mdy c | 01.01.0100 | 1/1/0100 | 0100-01-01
year 99 into 100 | date | -657435.9999988426 | dmy mdy c | 01.01.0100 00:00:00 | 1/1/0100 12:00:00 AM | 0100-01-01 00:00:00
year 9999 | date | 2958465 | dmy mdy c | 31.12.9999 | 12/31/9999 | 9999-12-31
ko | date | 37211.75 | ko_file ko | 2001. 11. 16. PM 6:00:00 | 2001. 11. 16. \uC624\uD6C4 6:00:00
sum | single | 10.5 | dmy mdy c ar ar_file fi_file marked_file | 10,5 | 10.5 | 10.5 | 10\u066B5 | 10.5 | 10,5 | 10,5
unshowable dates | date | -657435 2958466 2958465.9999988424 nan inf -inf 1e300 -1e300 | dmy mdy c ko | | | |
unshowable singles | single | nan inf -inf | dmy mdy c ko | | | |
)");
    }
    void format() {
        const QByteArrayList fields = test::fields();
        const QStringList locales = QString(fields[2]).split(' ');
        for (const QByteArray& text : fields[1].split(' '))
            for (int i = 0; i < locales.size(); ++i) {
                const LocaleRules rules = testRules(locales[i]);
                const double value = number(text);
                const std::string shown = fields[0] == "date" ? formatDate(value, rules)
                                                              : formatSingle(float(value), rules);
                QCOMPARE(text + ": " + bytes(shown), text + ": " + fields[3 + i]);
            }
    }

    // A date too long for its buffer is not written.
    void dateTextLength() {
        LocaleRules rules = LocaleRules::monthDayYearAmPm();
        rules.dateSeparator = ". ";
        rules.pmText = "nachmittags";
        const std::size_t longest = maxDateTextLength(rules);
        char buffer[64];
        QCOMPARE(formatDateTo(37211.75, rules, buffer, longest - 1), std::size_t(0));
        QCOMPARE(std::string(buffer, formatDateTo(37211.75, rules, buffer, longest)),
                 std::string("11. 16. 2001 6:00:00 nachmittags"));
    }

    // Texts read as values (dates, numbers, whole numbers of 32 and 16 bits, singles): each of
    // the texts of a row reads as its value, or is refused ("nan").
    void parse_data() {
        test::textRows(R"(
dmy day | date dmy | 37211 | 16.11.2001 | 16/11/2001 | 16-11-2001 | 16 11 2001 | 16. 11. 2001 | \s 16.11.2001\s | 16.11.01 | 2001-11-16 | 16.11.2001 12:00 AM
dmy 2029 | date dmy | 47119 | 1.1.29
dmy 1930 | date dmy | 10959 | 1.1.30
dmy noon | date dmy | 37211.5 | 16.11.2001 12:00 | 16.11.2001 12:00 PM
dmy 12:30 am | date dmy | 37211.020833333336 | 16.11.2001 12:30 am
dmy PM no blank | date dmy | 37211.916666666664 | 16.11.2001 10:00PM
leap day | date dmy | 36585 | 29.02.2000
dmy refused | date dmy | nan | 31.02.2001 | 29.02.2001 | 29.02.1900 | 00.00.0000 | 0.11.2001 | 32.01.2001 | 16.13.2001 | 01.01.10000 | 01.01.0099 | 01.01.1
dmy refused time | date dmy | nan | 16.11.2001 25:00 | 16.11.2001 24:00 | 16.11.2001 13:00 PM | 16.11.2001 0:30 AM | 16.11.2001 10:60 | 16.11.2001 10:00:60
dmy refused form | date dmy | nan | 16.11.201 | 016.11.2001 | 16.11.2001 10:5 | 16.11.2001 10 | 16.11.2001 10:00:00:00 | 16.11.2001 10:00 XM | 16.11.2001:10:00
dmy refused text | date dmy | nan | 16.11 | 16.11.2001. | 16112001 | a.b.c | 16 Nov 2001 | | \s\s\s | 10:00
mdy day | date mdy | 37211 | 11/16/2001 | 11/16/01 | 2001-11-16
mdy 24 hours | date mdy | 37211.75 | 11/16/2001 18:00
c day | date c | 37211 | 2001-11-16 | 01-11-16
c refused | date c | nan | 16.11.2001
ko shown and in files | date ko | 37211.75 | 2001. 11. 16. \uC624\uD6C4 6:00:00 | 2001. 11. 16. PM 6:00
ko AM/PM twice | date ko | nan | 2001. 11. 16. PM 6:00 PM
ar shown and in files | date ar | 37211.25 | 16\u200F/11\u200F/2001 6:00:00 \u0635 | 16/11/2001 6:00:00 AM
dmy two groups | number dmy | -1234567.25 | \s-1.234.567,25\s
dmy grouped exponent | number dmy | 1 | 1.000E-3
dmy 5 | number dmy | 5 | 5,
dmy exponent | number dmy | 1500 | 1,5e3
dmy refused numbers | number dmy | nan | 10.50 | 10.5 | 1.0000 | 1000.000 | 1..000 | .000 | 1. | 1,000.5 | , | \s\s\s | 1 000
c minus 5 | number c | -5 | -.5e1
c 3 | number c | 3 | +3
c 42 | number c | 42 | \s\t42\s
c minus zero | number c | -0 | -0
c zero | number c | 0 | 1e-400 | 0e99999
c refused numbers | number c | nan | 1,00 | 1.000,5 | . | | - | --1 | - 1 | 1- | 12 3 | 12a | 0x10 | inf | nan | 1e | 1e+ | e5 | 1e400
c refused huge | number c | nan | 1e99999999999999999999
tie to even above 2^53 | number c | 9007199254740992 | 9007199254740993
many fraction digits | number c | 0.3000000000000000166533453693773481063544750213623 | 0.3000000000000000166533453693773481063544750213623
largest double | number c | 1.7976931348623157e308 | 1.7976931348623157e308
ar typed and in files | number ar | 1234.5 | 1\u066C234\u066B5 | 1234.5
ungrouped 1000 | number ungrouped | 1000.5 | 1000.5
ungrouped refused | number ungrouped | nan | 1,000 | 1 000
dotted has no groups | number dotted | 1 | 1.000
fi no-break space groups | number fi | 1000.5 | 1\u00A0000,5 | 1 000,5
largest int32 | int32 c | 2147483647 | 2147483647 | 2147483647.4
smallest int32 | int32 c | -2147483648 | -2147483648 | -2147483648.5
int32 2 | int32 c | 2 | 2.5 | 1.5
int32 3 | int32 c | 3 | 2.500001
int32 refused | int32 c | nan | 2147483647.5 | 2147483648 | -2147483649 | 1e10 | 4x2
dmy int32 1000 | int32 dmy | 1000 | 1.000
largest int16 | int16 mdy | 32767 | 32767 | 32767.4
smallest int16 | int16 mdy | -32768 | -32768 | -32768.5
int16 refused | int16 mdy | nan | 32767.5 | -32769 | 40000
single tenth | single c | 0.100000001490116119384765625 | 0.1
largest shown | single c | 3.4028230607370965e38 | 3.402823E+38
rounds to largest | single c | 3.4028234663852886e38 | 3.4028235E+38
single underflow | single c | 0 | 1e-50
single refused | single c | nan | 1e40 | -1e40 | 3.4028236E+38 | zehn
one rounding only | single c | 1.00000011920928955078125 | 1.0000000596046447753906250001
)");
    }
    void parse() {
        const QByteArrayList fields = test::fields();
        const QByteArrayList how = fields[0].split(' ');
        const LocaleRules rules = testRules(how[1]);
        const auto orNan = [](auto read) { return read ? double(*read) : number("nan"); };
        for (const QByteArray& text : fields.mid(2)) {
            const std::string t = text.toStdString();
            const double read = how[0] == "date"     ? orNan(parseDate(t, rules))
                                : how[0] == "number" ? orNan(parseNumber(t, rules))
                                : how[0] == "int32"  ? orNan(parseInt32(t, rules))
                                : how[0] == "int16"  ? orNan(parseInt16(t, rules))
                                                     : orNan(parseSingle(t, rules));
            QCOMPARE(text + ": " + exact(read), text + ": " + exact(number(fields[1])));
        }
    }

    // A number too large for a double is refused however many digits it has before its exponent
    // (a long one once read as a tiny number, then zero).
    void longNumberRefused() {
        QVERIFY(!parseNumber("1" + std::string(400, '0') + "1e-10", LocaleRules::c()));
    }

    // Every day from year 100 to 9999 in steps, with and without a time of day: shown, and read
    // back to the same serial (a year shown with fewer than four digits is refused).
    void dateRoundTrip_data() { test::textRows("mdy|\nfi|\nko|\nar|"); }
    void dateRoundTrip() {
        const LocaleRules rules = testRules(QTest::currentDataTag());
        for (long long day = -657434; day <= 2958465; day += 997) {
            const CalendarDate date = *calendarDate(double(day));
            const int seconds = int((day * 7919) % 86400 + 86400) % 86400;
            for (const int secondsOfDay : {0, seconds}) {
                const double serial =
                    serialFromDateTime(date.year, date.month, date.day, secondsOfDay);
                const std::string text = formatDate(serial, rules);
                QCOMPARE(text.size() > formatDate(double(day), rules).size(), secondsOfDay != 0);
                QCOMPARE(exact(parseDate(text, rules).value_or(number("nan"))), exact(serial));
            }
        }
    }

    // The same text as C's printf("%.7G") in the "C" locale, over singles of every magnitude;
    // what is shown reads back as the same single rounded to seven digits.
    void singleRoundTrip() {
        std::uint32_t state = 12345;
        for (int i = 0; i < 200000; ++i) {
            state = state * 1664525u + 1013904223u;
            float value;
            std::memcpy(&value, &state, sizeof value);
            if (!std::isfinite(value))
                continue;
            char expected[64];
            std::snprintf(expected, sizeof expected, "%.7G", double(value));
            const std::string shown = formatSingle(value, LocaleRules::c());
            if (shown != expected)
                QFAIL(qPrintable(QStringLiteral("%1 shown as %2").arg(expected, shown.c_str())));
            QCOMPARE(formatSingle(*parseSingle(shown, LocaleRules::c()), LocaleRules::c()), shown);
        }
        QCOMPARE(formatInt(-17) + formatInt(std::numeric_limits<std::int64_t>::min()),
                 std::string("-17-9223372036854775808"));
    }

    // Text into Windows-1252 bytes (and back when nothing was lost); what the code page lacks
    // becomes "?": text | stored bytes | replaced.
    void codePage_data() {
        test::textRows(R"(
letters of 80 to 9F | \u20AC\u2026\u201A\u017D\u2018\u2122\u0178 | \x80\x85\x82\x8E\x91\x99\x9F | 0
undefined bytes | \u0081\u008D\u008F\u0090\u009D | \x81\x8D\x8F\x90\x9D | 0
latin-1 letters | \u00A0\u00E9\u00FF | \xA0\xE9\xFF | 0
CJK | a\u4E2Db | a?b | 1
emoji | \xF0\x9F\x98\x80 | ? | 1
C1 control 80 has no byte | \u0080 | ? | 1
lone continuation | a\x80b | a?b | 1
truncated before ASCII | \xE2\x82x | ??x | 1
overlong slash | \xC0\xAF | ?? | 1
surrogate | \xED\xA0\x80 | ??? | 1
)");
    }
    void codePage() {
        const QByteArrayList fields = test::fields();
        const EncodedText encoded = encodeCp1252(fields[0].toStdString());
        QCOMPARE(bytes(encoded.bytes), fields[1]);
        QCOMPARE(encoded.replaced, fields[2] == "1");
        if (!encoded.replaced)
            QCOMPARE(bytes(decodeCp1252(fields[1].toStdString())), fields[0]);
    }
};

ZELT_TEST(ConversionsTest)
#include "test_conversions.moc"
