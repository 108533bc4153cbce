#pragma once

#include "storage/locale_rules.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Dates are doubles of days since 1899-12-30; the whole part is the day and the fraction the time
// of day. Before that day the whole part is the (negative) day and the fraction still counts
// forward as the time of day (-1.25 is 1899-12-29 06:00).
namespace zelt {

struct CalendarDate {
    int year = 1899, month = 12, day = 30;
};

// Serial day number of a calendar date (no validation).
double serialFromDate(int year, int month, int day);
// Serial of a date and a time of day (seconds since midnight, 0 <= seconds < 86400).
double serialFromDateTime(int year, int month, int day, int secondsOfDay);

// The locale's short date with a four-digit year (and its trailing dot), followed after one
// blank by the time of day (rounded to the nearest second, with seconds, the locale's time
// separator, 12 or 24 hour, AM/PM before or after the time) only when the fraction is not zero.
// A value that is not finite or lies outside the years 100 to 9999 gives an empty text.
std::string formatDate(double serial, const LocaleRules& rules);

// formatDate into a caller's buffer, for callers that format many dates: returns the length
// written (no terminating zero), 0 for an empty text or a buffer shorter than
// maxDateTextLength(rules).
std::size_t formatDateTo(double serial, const LocaleRules& rules, char* out, std::size_t capacity);
std::size_t maxDateTextLength(const LocaleRules& rules);

// The calendar day of a serial (its whole part; the time of day is ignored). No value when the
// serial is not finite or lies outside the years 100 to 9999.
std::optional<CalendarDate> calendarDate(double serial);

// Whether formatDate shows the value (a time that rounds past the last second of 9999-12-31 or
// up into 0100-01-01 counts as the day it rounds to).
bool isShowableDate(double serial);

// A typed date: the locale's order; separators "/", ".", "-" or blank; two-digit years (00 to 29
// are 2000 to 2029, 30 to 99 are 1930 to 1999) or four-digit years; yyyy-MM-dd always; an
// optional time h:mm or h:mm:ss with optional AM/PM before or after it. Years 100 to 9999.
// In detail: the locale's own separator is taken too (". "), blanks may follow a separator; a
// year of one or three digits is refused; a first part of three or four digits is a year, read
// year-month-day in every locale; the locale's trailing dot may follow the date; day and month
// have one or two digits, minutes and seconds two, separated by ":" or the locale's time
// separator; with AM/PM the hour is 1 to 12, without it 0 to 23; AM/PM is the locale's text or
// "AM"/"PM", in any case.
std::optional<double> parseDate(std::string_view text, const LocaleRules& rules);

// Today's date (no time of day) as a serial, from the system clock in local time.
double today();

} // namespace zelt
