#include "storage/date_text.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace zelt {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back (exact integer arithmetic, valid
// far beyond the years this system shows).
long long daysFromCivil(long long year, long long month, long long day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CalendarDate civilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    CalendarDate date;
    date.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    date.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

constexpr long long kEpochDays = -25569; // 1899-12-30 counted from 1970-01-01
constexpr long long kFirstDay = -657434; // 0100-01-01
constexpr long long kLastDay = 2958465;  // 9999-12-31
constexpr int kSecondsPerDay = 86400;

// The serial's day and its time of day rounded to the nearest second (a time that rounds to
// 24:00:00 is midnight of the next day). No value outside the years shown.
struct DayAndTime {
    long long day = 0;
    int seconds = 0;
    bool hasFraction = false;
};

std::optional<DayAndTime> splitSerial(double serial) {
    if (!std::isfinite(serial))
        return std::nullopt;
    const double whole = std::trunc(serial);
    if (whole < double(kFirstDay - 1) || whole > double(kLastDay))
        return std::nullopt;
    DayAndTime split;
    split.day = static_cast<long long>(whole);
    const double fraction = std::fabs(serial - whole);
    split.hasFraction = fraction != 0.0;
    long long seconds = std::llround(fraction * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        ++split.day;
        seconds = 0;
    }
    split.seconds = static_cast<int>(seconds);
    if (split.day < kFirstDay || split.day > kLastDay)
        return std::nullopt;
    return split;
}

} // namespace

bool isShowableDate(double serial) {
    return splitSerial(serial).has_value();
}

namespace {

char* putNumber(char* out, int value, int minDigits) {
    char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = count; i < minDigits; ++i)
        *out++ = '0';
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

char* putText(char* out, const std::string& text) {
    return std::copy(text.begin(), text.end(), out);
}

} // namespace

double serialFromDate(int year, int month, int day) {
    return double(daysFromCivil(year, month, day) - kEpochDays);
}

double serialFromDateTime(int year, int month, int day, int secondsOfDay) {
    const double whole = serialFromDate(year, month, day);
    const double fraction = double(secondsOfDay) / kSecondsPerDay;
    // Before 1899-12-30 the fraction still counts forward from the day's midnight.
    return whole < 0 ? whole - fraction : whole + fraction;
}

std::optional<CalendarDate> calendarDate(double serial) {
    if (!std::isfinite(serial))
        return std::nullopt;
    const double whole = std::trunc(serial);
    if (whole < double(kFirstDay) || whole > double(kLastDay))
        return std::nullopt;
    return civilFromDays(static_cast<long long>(whole) + kEpochDays);
}

std::size_t maxDateTextLength(const LocaleRules& rules) {
    // dd, MM, yyyy, two separators, trailing dot, blank, hh, mm, ss, two time separators,
    // blank, AM/PM text
    return 8 + 2 * rules.dateSeparator.size() + 1 + 1 + 6 + 2 * rules.timeSeparator.size() + 1 +
           std::max(rules.amText.size(), rules.pmText.size());
}

std::size_t formatDateTo(double serial, const LocaleRules& rules, char* out, std::size_t capacity) {
    if (capacity < maxDateTextLength(rules))
        return 0;
    const std::optional<DayAndTime> split = splitSerial(serial);
    if (!split)
        return 0;
    const CalendarDate date = civilFromDays(split->day + kEpochDays);

    char* p = out;
    const int dayDigits = rules.dayLeadingZero ? 2 : 1;
    const int monthDigits = rules.monthLeadingZero ? 2 : 1;
    switch (rules.dateOrder) {
    case LocaleRules::DateOrder::DayMonthYear:
        p = putNumber(p, date.day, dayDigits);
        p = putText(p, rules.dateSeparator);
        p = putNumber(p, date.month, monthDigits);
        p = putText(p, rules.dateSeparator);
        p = putNumber(p, date.year, 4);
        break;
    case LocaleRules::DateOrder::MonthDayYear:
        p = putNumber(p, date.month, monthDigits);
        p = putText(p, rules.dateSeparator);
        p = putNumber(p, date.day, dayDigits);
        p = putText(p, rules.dateSeparator);
        p = putNumber(p, date.year, 4);
        break;
    case LocaleRules::DateOrder::YearMonthDay:
        p = putNumber(p, date.year, 4);
        p = putText(p, rules.dateSeparator);
        p = putNumber(p, date.month, monthDigits);
        p = putText(p, rules.dateSeparator);
        p = putNumber(p, date.day, dayDigits);
        break;
    }
    if (rules.dateTrailingDot)
        *p++ = '.';

    if (split->hasFraction) {
        const int hour = split->seconds / 3600;
        const int minute = split->seconds / 60 % 60;
        const int second = split->seconds % 60;
        const int hourDigits = rules.hourLeadingZero ? 2 : 1;
        const std::string& amPm = hour < 12 ? rules.amText : rules.pmText;
        *p++ = ' ';
        if (rules.twelveHour && rules.amPmBeforeTime) {
            p = putText(p, amPm);
            *p++ = ' ';
        }
        if (rules.twelveHour)
            p = putNumber(p, hour % 12 == 0 ? 12 : hour % 12, hourDigits);
        else
            p = putNumber(p, hour, hourDigits);
        p = putText(p, rules.timeSeparator);
        p = putNumber(p, minute, 2);
        p = putText(p, rules.timeSeparator);
        p = putNumber(p, second, 2);
        if (rules.twelveHour && !rules.amPmBeforeTime) {
            *p++ = ' ';
            p = putText(p, amPm);
        }
    }
    return static_cast<std::size_t>(p - out);
}

std::string formatDate(double serial, const LocaleRules& rules) {
    char buffer[64];
    if (maxDateTextLength(rules) <= sizeof buffer)
        return std::string(buffer, formatDateTo(serial, rules, buffer, sizeof buffer));
    std::string text(maxDateTextLength(rules), '\0');
    text.resize(formatDateTo(serial, rules, text.data(), text.size()));
    return text;
}

double today() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now); // called on the one user-interface thread
    if (local == nullptr)
        return 0.0;
    return serialFromDate(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
}

} // namespace zelt
