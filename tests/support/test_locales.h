#pragma once

#include "storage/file_rules.h"
#include "storage/locale_rules.h"

#include <QString>
#include <QTest>

namespace zelt::test {

// The locales the tests run in, by a short name that reads well in a data table: "dmy"
// (day.month.year, decimal comma), "mdy" (month/day/year, AM/PM) and "c"; and the forms of three
// real locales: "fi" (Finnish: 16.11.2001 9.05.07), "ko" (Korean: a trailing dot, AM/PM in Hangul
// before the time) and "ar" (Arabic: right-to-left marks in the date, Arabic AM/PM and decimal
// separator); "ungrouped" is "c" without a group separator, "dotted" "c" with "." for both and
// "marked" "c" with a decimal comma behind a byte order mark. A name followed by "_file" gives
// the rules the single-byte files use there.
inline LocaleRules testRules(const QString& name) {
    if (name.endsWith(QLatin1String("_file")))
        return fileRules(testRules(name.chopped(5)));
    if (name == QLatin1String("dmy"))
        return LocaleRules::dayMonthYearComma();
    if (name == QLatin1String("mdy"))
        return LocaleRules::monthDayYearAmPm();
    LocaleRules rules;
    if (name == QLatin1String("fi")) {
        rules = LocaleRules::dayMonthYearComma();
        rules.dayLeadingZero = rules.monthLeadingZero = rules.hourLeadingZero = false;
        rules.timeSeparator = ".";
        rules.groupSeparator = "\u00A0";
    } else if (name == QLatin1String("ko")) {
        rules.dateSeparator = ". ";
        rules.dateTrailingDot = true;
        rules.dayLeadingZero = rules.monthLeadingZero = rules.hourLeadingZero = false;
        rules.twelveHour = rules.amPmBeforeTime = true;
        rules.amText = "\uC624\uC804";
        rules.pmText = "\uC624\uD6C4";
    } else if (name == QLatin1String("ar")) {
        rules = LocaleRules::monthDayYearAmPm();
        rules.dateOrder = LocaleRules::DateOrder::DayMonthYear;
        rules.dateSeparator = "\u200F/";
        rules.amText = "\u0635";
        rules.pmText = "\u0645";
        rules.decimalSeparator = "\u066B";
        rules.groupSeparator = "\u066C";
    } else if (name == QLatin1String("ungrouped")) {
        rules.groupSeparator.clear();
    } else if (name == QLatin1String("dotted")) {
        rules.groupSeparator = ".";
    } else if (name == QLatin1String("marked")) {
        rules.decimalSeparator = "\uFEFF,";
    }
    return rules;
}

} // namespace zelt::test
