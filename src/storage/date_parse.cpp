// Reading a date typed by the operator (parseDate of date_text.h).
#include "storage/date_text.h"

namespace zelt {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

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

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// A year as typed: two digits are 2000 to 2029 or 1930 to 1999; three or four digits as written.
std::optional<int> typedYear(Scanner::Digits year) {
    if (year.count == 2)
        return year.value < 30 ? 2000 + year.value : 1900 + year.value;
    if (year.count == 3 || year.count == 4)
        return year.value;
    return std::nullopt;
}

// The time after the date: h:mm or h:mm:ss, then an optional AM/PM text. Seconds since midnight.
std::optional<int> typedTime(Scanner& scanner, const LocaleRules& rules) {
    const Scanner::Digits hour = scanner.digits();
    if (hour.count < 1 || hour.count > 2 || !scanner.character(':'))
        return std::nullopt;
    const Scanner::Digits minute = scanner.digits();
    if (minute.count != 2)
        return std::nullopt;
    Scanner::Digits second;
    if (scanner.character(':')) {
        second = scanner.digits();
        if (second.count != 2)
            return std::nullopt;
    }
    if (minute.value > 59 || second.value > 59)
        return std::nullopt;

    scanner.skipBlanks();
    const std::string_view marker = scanner.rest();
    int hours = hour.value;
    if (marker.empty()) {
        if (hours > 23)
            return std::nullopt;
    } else {
        const bool am =
            equalsIgnoringAsciiCase(marker, rules.amText) || equalsIgnoringAsciiCase(marker, "AM");
        const bool pm =
            equalsIgnoringAsciiCase(marker, rules.pmText) || equalsIgnoringAsciiCase(marker, "PM");
        if (am == pm || hours < 1 || hours > 12)
            return std::nullopt;
        hours = hours % 12 + (pm ? 12 : 0);
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

    // A first part of three or four digits can only be a year: year-month-day in every locale
    // (2001-11-16). Otherwise the locale's order.
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
