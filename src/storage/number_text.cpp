#include "storage/number_text.h"

#include "storage/file_rules.h"
#include "storage/typed_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace zelt {

namespace {

// Length of the group separator at the start of rest, 0 when there is none. Where the locale
// groups with a no-break space, the operator's plain blank counts as well.
std::size_t groupSeparatorAt(std::string_view rest, const LocaleRules& rules) {
    const std::string& group = rules.groupSeparator;
    if (group.empty() || group == rules.decimalSeparator)
        return 0;
    if (rest.starts_with(group))
        return group.size();
    const bool noBreakSpace = group == "\xC2\xA0" || group == "\xE2\x80\xAF";
    if (noBreakSpace && rest.starts_with(' '))
        return 1;
    return 0;
}

// Length of the decimal separator at the start of rest, 0 when there is none. Where the files
// write "." for a separator they cannot store (Arabic, Persian), a typed "." counts as well.
std::size_t decimalSeparatorAt(std::string_view rest, const LocaleRules& rules) {
    const std::string& decimal = rules.decimalSeparator;
    if (!decimal.empty() && rest.starts_with(decimal))
        return decimal.size();
    if (rest.starts_with('.') && decimal != "." && rules.groupSeparator != "." &&
        fileRules(rules).decimalSeparator == ".")
        return 1;
    return 0;
}

// A typed number rewritten in the plain form that std::from_chars reads ("-1000.5e3"), with what
// is needed to tell an overflow from an underflow.
struct PlainNumber {
    std::string text;
    bool negative = false;
    // Decimal exponent of the first non-zero digit (1000.5e3: 6); meaningless when all are zero.
    long long leadingExponent = 0;
};

std::optional<PlainNumber> toPlainNumber(std::string_view typed, const LocaleRules& rules) {
    const std::string_view s = trimBlanks(typed);
    PlainNumber plain;
    plain.text.reserve(s.size() + 2);
    std::size_t pos = 0;

    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        plain.negative = s[pos] == '-';
        if (plain.negative)
            plain.text.push_back('-');
        ++pos;
    }

    // Whole part: digits, with group separators only between groups of exactly three digits.
    long long wholeDigits = 0;
    long long firstNonZero = -1; // index among all mantissa digits
    int groupLength = 0;
    bool grouped = false;
    while (pos < s.size()) {
        const char c = s[pos];
        if (isDigit(c)) {
            if (firstNonZero < 0 && c != '0')
                firstNonZero = wholeDigits;
            plain.text.push_back(c);
            ++wholeDigits;
            ++groupLength;
            ++pos;
            continue;
        }
        const std::size_t separator = groupSeparatorAt(s.substr(pos), rules);
        if (separator == 0)
            break;
        if (groupLength == 0 || groupLength > 3 || (grouped && groupLength != 3))
            return std::nullopt;
        grouped = true;
        groupLength = 0;
        pos += separator;
    }
    if (grouped && groupLength != 3)
        return std::nullopt;

    long long fractionDigits = 0;
    const std::size_t decimal = decimalSeparatorAt(s.substr(pos), rules);
    if (decimal > 0) {
        pos += decimal;
        plain.text.push_back('.');
        while (pos < s.size() && isDigit(s[pos])) {
            if (firstNonZero < 0 && s[pos] != '0')
                firstNonZero = wholeDigits + fractionDigits;
            plain.text.push_back(s[pos]);
            ++fractionDigits;
            ++pos;
        }
    }
    if (wholeDigits + fractionDigits == 0)
        return std::nullopt;

    long long exponent = 0;
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        ++pos;
        plain.text.push_back('e');
        bool negativeExponent = false;
        if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
            negativeExponent = s[pos] == '-';
            plain.text.push_back(s[pos]);
            ++pos;
        }
        const std::size_t exponentStart = pos;
        while (pos < s.size() && isDigit(s[pos])) {
            // Saturate: anything this large over- or underflows whatever the mantissa.
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (s[pos] - '0');
            plain.text.push_back(s[pos]);
            ++pos;
        }
        if (pos == exponentStart)
            return std::nullopt;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (pos != s.size())
        return std::nullopt;

    if (firstNonZero >= 0)
        plain.leadingExponent = wholeDigits - 1 - firstNonZero + exponent;
    return plain;
}

// The exact conversion of the plain text: the nearest value of T; an overflow has no value, an
// underflow is a zero of the number's sign.
template <typename T> std::optional<T> convertPlain(const PlainNumber& plain) {
    T value{};
    const char* first = plain.text.data();
    const char* last = first + plain.text.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        if (plain.leadingExponent < 0)
            return plain.negative ? -T(0) : T(0);
        return std::nullopt;
    }
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double roundHalfToEven(double value) {
    const double below = std::floor(value);
    const double difference = value - below;
    if (difference < 0.5)
        return below;
    if (difference > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

template <typename Int>
std::optional<Int> parseWhole(std::string_view text, const LocaleRules& rules) {
    const std::optional<double> number = parseNumber(text, rules);
    if (!number)
        return std::nullopt;
    const double rounded = roundHalfToEven(*number);
    if (rounded < double(std::numeric_limits<Int>::min()) ||
        rounded > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

} // namespace

std::optional<double> parseNumber(std::string_view text, const LocaleRules& rules) {
    const std::optional<PlainNumber> plain = toPlainNumber(text, rules);
    if (!plain)
        return std::nullopt;
    return convertPlain<double>(*plain);
}

std::optional<std::int32_t> parseInt32(std::string_view text, const LocaleRules& rules) {
    return parseWhole<std::int32_t>(text, rules);
}

std::optional<std::int16_t> parseInt16(std::string_view text, const LocaleRules& rules) {
    return parseWhole<std::int16_t>(text, rules);
}

std::optional<float> parseSingle(std::string_view text, const LocaleRules& rules) {
    // Straight from the digits to single precision: one rounding, not two through a double.
    const std::optional<PlainNumber> plain = toPlainNumber(text, rules);
    if (!plain)
        return std::nullopt;
    return convertPlain<float>(*plain);
}

std::string formatSingle(float value, const LocaleRules& rules) {
    if (!std::isfinite(value))
        return {};
    // std::to_chars with a precision is printf's %.7g in the "C" locale, whatever the process's
    // C locale says; the exponent letter is made upper case as %G writes it.
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, double(value), std::chars_format::general, 7);
    if (error != std::errc())
        return {};
    std::string text;
    text.reserve(static_cast<std::size_t>(end - buffer) + rules.decimalSeparator.size());
    for (const char* p = buffer; p != end; ++p) {
        if (*p == '.')
            text += rules.decimalSeparator;
        else if (*p == 'e')
            text.push_back('E');
        else
            text.push_back(*p);
    }
    return text;
}

std::string formatInt(std::int64_t value) {
    char buffer[24];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)error;
    return std::string(buffer, end);
}

} // namespace zelt
