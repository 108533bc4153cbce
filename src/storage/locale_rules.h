#pragma once

#include <string>

namespace zelt {

// The system locale's conversion rules as one plain value. The shell builds it from the
// windowing toolkit's system locale; tests build their own.
struct LocaleRules {
    enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

    DateOrder dateOrder = DateOrder::YearMonthDay;
    std::string dateSeparator = "-";
    bool dayLeadingZero = true;
    bool monthLeadingZero = true;
    // A dot after the last part of the short date (Hungarian and Korean: 2001. 11. 16.).
    bool dateTrailingDot = false;

    bool twelveHour = false;
    bool hourLeadingZero = true;
    std::string timeSeparator = ":";
    std::string amText = "AM";
    std::string pmText = "PM";
    // AM/PM stands before the time of day (Korean), not after it.
    bool amPmBeforeTime = false;

    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";

    bool operator==(const LocaleRules&) const = default;

    // The C/POSIX locale: yyyy-MM-dd, 24-hour time, decimal point.
    static LocaleRules c() { return {}; }
    // Day.month.year with decimal comma and "." groups (as in Germany).
    static LocaleRules dayMonthYearComma();
    // Month/day/year with AM/PM and decimal point (as in the United States).
    static LocaleRules monthDayYearAmPm();
};

} // namespace zelt
