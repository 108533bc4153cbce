#include "storage/date_text.h"
#include "support/test_locales.h"
#include "support/test_registry.h"

#include <QDate>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <limits>

using zelt::LocaleRules;
using zelt::test::testRules;

namespace {

// Exact text of a value (QCOMPARE on doubles forgives small differences).
QString exact(double value) {
    return QString::number(value, 'g', 17);
}

double at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return zelt::serialFromDateTime(year, month, day, hour * 3600 + minute * 60 + second);
}

} // namespace

class TestDateText : public QObject {
    Q_OBJECT

private slots:
    void serials_data();
    void serials();
    void calendarDate();
    void formatDate_data();
    void formatDate();
    void formatDateTo();
    void parseDate_data();
    void parseDate();
    void roundTrip_data();
    void roundTrip();
    void today();
};

void TestDateText::serials_data() {
    QTest::addColumn<double>("serial");
    QTest::addColumn<double>("expected");
    QTest::newRow("2001-11-16") << zelt::serialFromDate(2001, 11, 16) << 37211.0;
    QTest::newRow("2001-11-16 noon") << at(2001, 11, 16, 12) << 37211.5;
    QTest::newRow("day zero") << zelt::serialFromDate(1899, 12, 30) << 0.0;
    QTest::newRow("day before") << zelt::serialFromDate(1899, 12, 29) << -1.0;
    QTest::newRow("day before 06:00") << at(1899, 12, 29, 6) << -1.25;
    QTest::newRow("day zero 18:00") << at(1899, 12, 30, 18) << 0.75;
    QTest::newRow("1900-03-01") << zelt::serialFromDate(1900, 3, 1) << 61.0;
    QTest::newRow("1970-01-01") << zelt::serialFromDate(1970, 1, 1) << 25569.0;
    QTest::newRow("2000-02-29") << zelt::serialFromDate(2000, 2, 29) << 36585.0;
    QTest::newRow("first shown") << zelt::serialFromDate(100, 1, 1) << -657434.0;
    QTest::newRow("last shown") << zelt::serialFromDate(9999, 12, 31) << 2958465.0;
}

void TestDateText::serials() {
    QFETCH(double, serial);
    QFETCH(double, expected);
    QCOMPARE(exact(serial), exact(expected));
}

void TestDateText::calendarDate() {
    const auto date = zelt::calendarDate(37211.75);
    QVERIFY(date.has_value());
    QCOMPARE(date->year, 2001);
    QCOMPARE(date->month, 11);
    QCOMPARE(date->day, 16);
    const auto before = zelt::calendarDate(-1.25);
    QVERIFY(before.has_value());
    QCOMPARE(before->day, 29);
    QVERIFY(!zelt::calendarDate(std::numeric_limits<double>::quiet_NaN()));
    QVERIFY(!zelt::calendarDate(2958466.0));
}

void TestDateText::formatDate_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("serial");
    QTest::addColumn<QString>("expected");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const double second = 1.0 / 86400;

    QTest::newRow("dmy date") << "dmy" << 37211.0 << "16.11.2001";
    QTest::newRow("mdy date") << "mdy" << 37211.0 << "11/16/2001";
    QTest::newRow("c date") << "c" << 37211.0 << "2001-11-16";
    QTest::newRow("dmy noon") << "dmy" << 37211.5 << "16.11.2001 12:00:00";
    QTest::newRow("mdy noon") << "mdy" << 37211.5 << "11/16/2001 12:00:00 PM";
    QTest::newRow("c noon") << "c" << 37211.5 << "2001-11-16 12:00:00";
    QTest::newRow("mdy one second past midnight")
        << "mdy" << 37211.0 + second << "11/16/2001 12:00:01 AM";
    QTest::newRow("mdy morning") << "mdy" << at(2001, 11, 16, 9, 5, 7) << "11/16/2001 9:05:07 AM";
    QTest::newRow("dmy morning") << "dmy" << at(2001, 11, 16, 9, 5, 7) << "16.11.2001 09:05:07";
    QTest::newRow("mdy afternoon") << "mdy" << at(2001, 11, 16, 13) << "11/16/2001 1:00:00 PM";
    QTest::newRow("mdy before midnight")
        << "mdy" << at(2001, 11, 16, 23, 59, 59) << "11/16/2001 11:59:59 PM";
    QTest::newRow("dmy leading zeros") << "dmy" << 36896.0 << "05.01.2001";
    QTest::newRow("mdy no leading zeros") << "mdy" << 36896.0 << "1/5/2001";
    QTest::newRow("rounded to the second")
        << "c" << 37211.0 + 61.4 * second << "2001-11-16 00:01:01";
    QTest::newRow("rounds up to the next day")
        << "dmy" << 37211.0 + 86399.6 * second << "17.11.2001 00:00:00";
    QTest::newRow("end of year rolls over")
        << "c" << 37256.0 + 86399.9 * second << "2002-01-01 00:00:00";

    // Before 1899-12-30 the fraction still counts forward.
    QTest::newRow("negative 06:00") << "dmy" << -1.25 << "29.12.1899 06:00:00";
    QTest::newRow("negative 18:00") << "dmy" << -1.75 << "29.12.1899 18:00:00";
    QTest::newRow("negative rounds to day zero") << "dmy" << -1.9999999999 << "30.12.1899 00:00:00";
    QTest::newRow("minus a half") << "c" << -0.5 << "1899-12-30 12:00:00";
    QTest::newRow("day zero") << "mdy" << 0.0 << "12/30/1899";

    // Four-digit years always; nothing outside the years 100 to 9999.
    QTest::newRow("year 100") << "dmy" << -657434.0 << "01.01.0100";
    QTest::newRow("year 99") << "dmy" << -657435.0 << "";
    QTest::newRow("year 99 rounding into 100")
        << "c" << -657435.0 - 86399.9 * second << "0100-01-01 00:00:00";
    QTest::newRow("year 1930") << "mdy" << 10959.0 << "1/1/1930";
    QTest::newRow("year 9999") << "dmy" << 2958465.0 << "31.12.9999";
    QTest::newRow("year 10000") << "dmy" << 2958466.0 << "";
    QTest::newRow("rounding into 10000") << "dmy" << 2958465.0 + 86399.9 * second << "";
    QTest::newRow("nan") << "dmy" << nan << "";
    QTest::newRow("infinity") << "mdy" << infinity << "";
    QTest::newRow("minus infinity") << "c" << -infinity << "";
    QTest::newRow("huge") << "c" << 1e300 << "";
    QTest::newRow("huge negative") << "c" << -1e300 << "";

    // The locale's time separator, trailing dot and AM/PM place; the single-byte files' forms.
    QTest::newRow("fi time separator") << "fi" << at(2001, 11, 16, 9, 5, 7) << "16.11.2001 9.05.07";
    QTest::newRow("ko PM first") << "ko" << 37211.75 << "2001. 11. 16. \uC624\uD6C4 6:00:00";
    QTest::newRow("ko file") << "ko file" << 37211.75 << "2001. 11. 16. PM 6:00:00";
    QTest::newRow("ar marks") << "ar" << 37211.25 << "16\u200F/11\u200F/2001 6:00:00 \u0635";
    QTest::newRow("ar file") << "ar file" << 37211.25 << "16/11/2001 6:00:00 AM";
}

void TestDateText::formatDate() {
    QFETCH(QString, locale);
    QFETCH(double, serial);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(zelt::formatDate(serial, testRules(locale))), expected);
}

void TestDateText::formatDateTo() {
    LocaleRules rules = LocaleRules::monthDayYearAmPm();
    rules.dateSeparator = ". ";
    rules.pmText = "nachmittags";
    const std::size_t longest = zelt::maxDateTextLength(rules);
    char buffer[64];
    QCOMPARE(zelt::formatDateTo(37211.75, rules, buffer, longest - 1), std::size_t(0));
    const std::size_t length = zelt::formatDateTo(37211.75, rules, buffer, longest);
    QCOMPARE(std::string(buffer, length), std::string("11. 16. 2001 6:00:00 nachmittags"));
    QVERIFY(length <= longest);
    QCOMPARE(zelt::formatDate(37211.75, rules), std::string(buffer, length));
}

void TestDateText::parseDate_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");

    const double day = 37211.0; // 2001-11-16
    QTest::newRow("dmy") << "dmy"
                         << "16.11.2001" << true << day;
    QTest::newRow("dmy slashes") << "dmy"
                                 << "16/11/2001" << true << day;
    QTest::newRow("dmy dashes") << "dmy"
                                << "16-11-2001" << true << day;
    QTest::newRow("dmy blanks") << "dmy"
                                << "16 11 2001" << true << day;
    QTest::newRow("dmy blanks after dots") << "dmy"
                                           << "16. 11. 2001" << true << day;
    QTest::newRow("dmy surrounding blanks") << "dmy"
                                            << "  16.11.2001 " << true << day;
    QTest::newRow("dmy no leading zeros") << "dmy"
                                          << "5.1.2001" << true << 36896.0;
    QTest::newRow("dmy two-digit 01") << "dmy"
                                      << "16.11.01" << true << day;
    QTest::newRow("dmy two-digit 29") << "dmy"
                                      << "1.1.29" << true << at(2029, 1, 1);
    QTest::newRow("dmy two-digit 30") << "dmy"
                                      << "1.1.30" << true << at(1930, 1, 1);
    QTest::newRow("dmy two-digit 99") << "dmy"
                                      << "1.1.99" << true << at(1999, 1, 1);
    QTest::newRow("dmy iso") << "dmy"
                             << "2001-11-16" << true << day;
    QTest::newRow("dmy time") << "dmy"
                              << "16.11.2001 12:00" << true << 37211.5;
    QTest::newRow("dmy time seconds") << "dmy"
                                      << "16.11.2001 09:05:07" << true << at(2001, 11, 16, 9, 5, 7);
    QTest::newRow("dmy 12 PM") << "dmy"
                               << "16.11.2001 12:00 PM" << true << 37211.5;
    QTest::newRow("dmy 12 AM") << "dmy"
                               << "16.11.2001 12:00 AM" << true << day;
    QTest::newRow("dmy 12:30 am") << "dmy"
                                  << "16.11.2001 12:30 am" << true << at(2001, 11, 16, 0, 30);
    QTest::newRow("dmy 1:05 pm") << "dmy"
                                 << "16.11.2001 1:05 pm" << true << at(2001, 11, 16, 13, 5);
    QTest::newRow("dmy PM no blank") << "dmy"
                                     << "16.11.2001 10:00PM" << true << at(2001, 11, 16, 22);
    QTest::newRow("dmy 29 Feb 2000") << "dmy"
                                     << "29.02.2000" << true << 36585.0;
    QTest::newRow("three-digit year") << "dmy"
                                      << "16.11.201" << false << 0.0;
    QTest::newRow("dmy year 0100") << "dmy"
                                   << "01.01.0100" << true << -657434.0;
    QTest::newRow("dmy before day zero") << "dmy"
                                         << "29.12.1899 06:00" << true << -1.25;

    QTest::newRow("31 Feb") << "dmy"
                            << "31.02.2001" << false << 0.0;
    QTest::newRow("29 Feb 2001") << "dmy"
                                 << "29.02.2001" << false << 0.0;
    QTest::newRow("29 Feb 1900") << "dmy"
                                 << "29.02.1900" << false << 0.0;
    QTest::newRow("zeros") << "dmy"
                           << "00.00.0000" << false << 0.0;
    QTest::newRow("day 0") << "dmy"
                           << "0.11.2001" << false << 0.0;
    QTest::newRow("day 32") << "dmy"
                            << "32.01.2001" << false << 0.0;
    QTest::newRow("month 13") << "dmy"
                              << "16.13.2001" << false << 0.0;
    QTest::newRow("year 10000") << "dmy"
                                << "01.01.10000" << false << 0.0;
    QTest::newRow("year 0099") << "dmy"
                               << "01.01.0099" << false << 0.0;
    QTest::newRow("one-digit year") << "dmy"
                                    << "01.01.1" << false << 0.0;
    QTest::newRow("three-digit day") << "dmy"
                                     << "016.11.2001" << false << 0.0;
    QTest::newRow("25:00") << "dmy"
                           << "16.11.2001 25:00" << false << 0.0;
    QTest::newRow("24:00") << "dmy"
                           << "16.11.2001 24:00" << false << 0.0;
    QTest::newRow("13 PM") << "dmy"
                           << "16.11.2001 13:00 PM" << false << 0.0;
    QTest::newRow("0 AM") << "dmy"
                          << "16.11.2001 0:30 AM" << false << 0.0;
    QTest::newRow("minute 60") << "dmy"
                               << "16.11.2001 10:60" << false << 0.0;
    QTest::newRow("second 60") << "dmy"
                               << "16.11.2001 10:00:60" << false << 0.0;
    QTest::newRow("one-digit minute") << "dmy"
                                      << "16.11.2001 10:5" << false << 0.0;
    QTest::newRow("hour alone") << "dmy"
                                << "16.11.2001 10" << false << 0.0;
    QTest::newRow("too many time parts") << "dmy"
                                         << "16.11.2001 10:00:00:00" << false << 0.0;
    QTest::newRow("unknown marker") << "dmy"
                                    << "16.11.2001 10:00 XM" << false << 0.0;
    QTest::newRow("time without blank") << "dmy"
                                        << "16.11.2001:10:00" << false << 0.0;
    QTest::newRow("two parts") << "dmy"
                               << "16.11" << false << 0.0;
    QTest::newRow("trailing separator") << "dmy"
                                        << "16.11.2001." << false << 0.0;
    QTest::newRow("no separators") << "dmy"
                                   << "16112001" << false << 0.0;
    QTest::newRow("letters") << "dmy"
                             << "a.b.c" << false << 0.0;
    QTest::newRow("month name") << "dmy"
                                << "16 Nov 2001" << false << 0.0;
    QTest::newRow("empty") << "dmy"
                           << "" << false << 0.0;
    QTest::newRow("blanks") << "dmy"
                            << "   " << false << 0.0;
    QTest::newRow("time alone") << "dmy"
                                << "10:00" << false << 0.0;

    QTest::newRow("mdy") << "mdy"
                         << "11/16/2001" << true << day;
    QTest::newRow("mdy shown form") << "mdy"
                                    << "11/16/2001 12:00:00 PM" << true << 37211.5;
    QTest::newRow("mdy two-digit year") << "mdy"
                                        << "11/16/01" << true << day;
    QTest::newRow("mdy iso") << "mdy"
                             << "2001-11-16" << true << day;
    QTest::newRow("mdy 24 hour typed") << "mdy"
                                       << "11/16/2001 18:00" << true << 37211.75;
    QTest::newRow("mdy last second of leap day")
        << "mdy"
        << "2/29/2000 11:59:59 PM" << true << at(2000, 2, 29, 23, 59, 59);
    QTest::newRow("mdy day first refused") << "mdy"
                                           << "16/11/2001" << false << 0.0;

    QTest::newRow("c") << "c"
                       << "2001-11-16" << true << day;
    QTest::newRow("c time") << "c"
                            << "2001-11-16 18:00" << true << 37211.75;
    QTest::newRow("c two-digit year") << "c"
                                      << "01-11-16" << true << day;
    QTest::newRow("c day first refused") << "c"
                                         << "16.11.2001" << false << 0.0;

    // What the windows show and what the files hold both read back.
    QTest::newRow("fi shown") << "fi"
                              << "16.11.2001 9.05.07" << true << at(2001, 11, 16, 9, 5, 7);
    QTest::newRow("ko shown") << "ko"
                              << "2001. 11. 16. \uC624\uD6C4 6:00:00" << true << 37211.75;
    QTest::newRow("ko file form") << "ko"
                                  << "2001. 11. 16. PM 6:00" << true << 37211.75;
    QTest::newRow("ar shown") << "ar"
                              << "16\u200F/11\u200F/2001 6:00:00 \u0635" << true << 37211.25;
    QTest::newRow("ar file form") << "ar"
                                  << "16/11/2001 6:00:00 AM" << true << 37211.25;
    QTest::newRow("AM/PM twice") << "ko"
                                 << "2001. 11. 16. PM 6:00 PM" << false << 0.0;
}

void TestDateText::parseDate() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);
    const std::optional<double> serial = zelt::parseDate(text.toStdString(), testRules(locale));
    QCOMPARE(serial.has_value(), valid);
    if (valid)
        QCOMPARE(exact(*serial), exact(expected));
}

void TestDateText::roundTrip_data() {
    QTest::addColumn<QString>("locale");
    QTest::newRow("dmy") << "dmy";
    QTest::newRow("mdy") << "mdy";
    QTest::newRow("c") << "c";
    QTest::newRow("fi") << "fi";
    QTest::newRow("ko") << "ko";
    QTest::newRow("ar") << "ar";
}

void TestDateText::roundTrip() {
    // Every day from year 100 to 9999 in steps, with and without a time of day, before and after
    // day zero: shown with a four-digit year and read back to the same serial.
    QFETCH(QString, locale);
    const LocaleRules rules = testRules(locale);
    const QRegularExpression fourDigitYear(QStringLiteral("(^|\\D)\\d{4}(\\D|$)"));
    for (long long day = -657434; day <= 2958465; day += 997) {
        const zelt::CalendarDate date = *zelt::calendarDate(double(day));
        const int seconds = int((day * 7919) % 86400 + 86400) % 86400;
        for (const int secondsOfDay : {0, seconds}) {
            const double serial =
                zelt::serialFromDateTime(date.year, date.month, date.day, secondsOfDay);
            const std::string text = zelt::formatDate(serial, rules);
            const QString shown = QString::fromStdString(text);
            QVERIFY2(fourDigitYear.match(shown).hasMatch(), qPrintable(shown));
            const std::string dayAlone = zelt::formatDate(double(day), rules);
            QCOMPARE(text.size() > dayAlone.size(), secondsOfDay != 0);
            const std::optional<double> back = zelt::parseDate(text, rules);
            QVERIFY2(back.has_value(), qPrintable(shown));
            QCOMPARE(exact(*back), exact(serial));
        }
    }
}

void TestDateText::today() {
    const QDate before = QDate::currentDate();
    const double serial = zelt::today();
    const QDate after = QDate::currentDate();
    QCOMPARE(serial, std::trunc(serial));
    const double first = zelt::serialFromDate(before.year(), before.month(), before.day());
    const double second = zelt::serialFromDate(after.year(), after.month(), after.day());
    QVERIFY(serial == first || serial == second);
}

ZELT_TEST(TestDateText)
#include "test_date_text.moc"
