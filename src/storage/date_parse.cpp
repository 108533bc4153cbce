// Reading a date typed by the operator (parseDate of date_text.h).
#include "storage/date_text.h"
#include "storage/typed_text.h"

#include <utility>

namespace zelt {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {
        while (!text_.empty() && isBlank(text_.front()))
            text_.remove_prefix(1);
        while (!text_.empty() && isBlank(text_.back()))
            text_.remove_suffix(1);
    }

    bool atEnd() const { return pos_ == text_.size(); }
    std::string_view rest() const { return text_.substr(pos_); }

    // A run of digits: its value and how many digits it had (0 when there is none). Runs longer
    // than four digits are never valid here and give a count of 5.
    struct Digits {
        int value = 0;
        int count = 0;
    };
    Digits digits() {
        Digits run;
        while (pos_ < text_.size() && isDigit(text_[pos_])) {
            if (run.count < 5) {
                run.value = run.value * 10 + (text_[pos_] - '0');
                ++run.count;
            }
            ++pos_;
        }
        return run;
    }

    int skipBlanks() {
        int count = 0;
        while (pos_ < text_.size() && isBlank(text_[pos_])) {
            ++pos_;
            ++count;
        }
        return count;
    }

    // Between the parts of a date: the locale's own separator, or one of "/", ".", "-", each
    // perhaps followed by blanks, or blanks alone.
    bool dateSeparator(const std::string& localeSeparator) {
        if (!localeSeparator.empty() && rest().starts_with(localeSeparator)) {
            pos_ += localeSeparator.size();
            skipBlanks();
            return true;
        }
        if (pos_ < text_.size() &&
            (text_[pos_] == '/' || text_[pos_] == '.' || text_[pos_] == '-')) {
            ++pos_;
            skipBlanks();
            return true;
        }
        return skipBlanks() > 0;
    }

    bool character(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool text(std::string_view expected) {
        if (expected.empty() || !rest().starts_with(expected))
            return false;
        pos_ += expected.size();
        return true;
    }

    // Between the parts of a time: ":" or the locale's own separator (12.30.00 in Finnish).
    bool timeSeparator(const std::string& localeSeparator) {
        return character(':') || text(localeSeparator);
    }

    void skip(std::size_t count) { pos_ += count; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// A year as typed: two digits are 2000 to 2029 or 1930 to 1999; four digits as written.
std::optional<int> typedYear(Scanner::Digits year) {
    if (year.count == 2)
        return year.value < 30 ? 2000 + year.value : 1900 + year.value;
    if (year.count == 4)
        return year.value;
    return std::nullopt;
}

// An AM/PM text at the start of text (the locale's or "AM"/"PM", in any case): its length and
// whether it is PM; the longest that fits. Length 0 when there is none.
struct Marker {
    std::size_t length = 0;
    bool pm = false;
};

Marker markerAt(std::string_view text, const LocaleRules& rules) {
    Marker found;
    const std::pair<std::string_view, bool> candidates[] = {
        {rules.amText, false}, {rules.pmText, true}, {"AM", false}, {"PM", true}};
    for (const auto& [candidate, pm] : candidates) {
        if (candidate.empty() || candidate.size() <= found.length || candidate.size() > text.size())
            continue;
        if (equalsIgnoringAsciiCase(text.substr(0, candidate.size()), candidate))
            found = Marker{candidate.size(), pm};
    }
    return found;
}

// The time after the date: h:mm or h:mm:ss with an optional AM/PM text before or after it.
// Seconds since midnight.
std::optional<int> typedTime(Scanner& scanner, const LocaleRules& rules) {
    Marker marker = markerAt(scanner.rest(), rules);
    if (marker.length > 0) {
        scanner.skip(marker.length);
        scanner.skipBlanks();
    }
    const Scanner::Digits hour = scanner.digits();
    if (hour.count < 1 || hour.count > 2 || !scanner.timeSeparator(rules.timeSeparator))
        return std::nullopt;
    const Scanner::Digits minute = scanner.digits();
    if (minute.count != 2)
        return std::nullopt;
    Scanner::Digits second;
    if (scanner.timeSeparator(rules.timeSeparator)) {
        second = scanner.digits();
        if (second.count != 2)
            return std::nullopt;
    }
    if (minute.value > 59 || second.value > 59)
        return std::nullopt;

    scanner.skipBlanks();
    if (!scanner.atEnd()) {
        if (marker.length > 0)
            return std::nullopt;
        marker = markerAt(scanner.rest(), rules);
        if (marker.length != scanner.rest().size())
            return std::nullopt;
    }
    int hours = hour.value;
    if (marker.length == 0) {
        if (hours > 23)
            return std::nullopt;
    } else {
        if (hours < 1 || hours > 12)
            return std::nullopt;
        hours = hours % 12 + (marker.pm ? 12 : 0);
    }
    return hours * 3600 + minute.value * 60 + second.value;
}

} // namespace

std::optional<double> parseDate(std::string_view text, const LocaleRules& rules) {
    Scanner scanner(text);
    Scanner::Digits parts[3];
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && !scanner.dateSeparator(rules.dateSeparator))
            return std::nullopt;
        parts[i] = scanner.digits();
        if (parts[i].count == 0)
            return std::nullopt;
    }

    // A first part of three or four digits can only be a year (three digits are refused):
    // year-month-day in every locale (2001-11-16). Otherwise the locale's order.
    int yearIndex = 0, monthIndex = 1, dayIndex = 2;
    if (parts[0].count < 3) {
        switch (rules.dateOrder) {
        case LocaleRules::DateOrder::DayMonthYear:
            dayIndex = 0, monthIndex = 1, yearIndex = 2;
            break;
        case LocaleRules::DateOrder::MonthDayYear:
            monthIndex = 0, dayIndex = 1, yearIndex = 2;
            break;
        case LocaleRules::DateOrder::YearMonthDay:
            break;
        }
    }
    const Scanner::Digits dayPart = parts[dayIndex];
    const Scanner::Digits monthPart = parts[monthIndex];
    const std::optional<int> year = typedYear(parts[yearIndex]);
    if (dayPart.count > 2 || monthPart.count > 2 || !year)
        return std::nullopt;
    const int month = monthPart.value;
    const int day = dayPart.value;
    if (*year < 100 || *year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(*year, month))
        return std::nullopt;

    if (rules.dateTrailingDot)
        scanner.character('.');

    int secondsOfDay = 0;
    if (!scanner.atEnd()) {
        if (scanner.skipBlanks() == 0)
            return std::nullopt;
        const std::optional<int> time = typedTime(scanner, rules);
        if (!time)
            return std::nullopt;
        secondsOfDay = *time;
    }
    return serialFromDateTime(*year, month, day, secondsOfDay);
}

} // namespace zelt
