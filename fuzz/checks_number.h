#pragma once

#include "fuzz_check.h"

#include "storage/field_codec.h"
#include "storage/number_text.h"

#include <cfloat>
#include <cmath>
#include <limits>

// Reading and showing numbers. The input is a typed text; its first bytes, read as a stored
// 32-bit integer, 16-bit integer and single, are shown and read back as well.
namespace zelt::fuzz {

namespace number_checks {

// A shown whole number reads back as itself.
template <typename Int> void wholeRoundTrip(Findings& f, Int value, const LocaleRules& rules) {
    const std::string text = formatInt(value);
    const auto back = sizeof(Int) == 2 ? std::optional<std::int64_t>(parseInt16(text, rules))
                                       : std::optional<std::int64_t>(parseInt32(text, rules));
    f.expect(back && *back == value, "formatted whole number does not read back", text);
}

// A shown single has no group separator, is empty exactly when the value is not finite, and
// reads back as a nearby single that then stays as it is.
inline void singleShown(Findings& f, float value, const LocaleRules& rules) {
    const std::string text = formatSingle(value, rules);
    f.expect(text.find(rules.groupSeparator) == std::string::npos,
             "formatSingle wrote a group separator", text);
    f.expect(text.empty() == !std::isfinite(value), "formatSingle empty for a finite value", text);
    if (text.empty())
        return;
    const std::optional<float> back = parseSingle(text, rules);
    if (!f.expect(back.has_value(), "formatSingle text does not read back as a single", text))
        return;
    // Seven digits do not always name one single, so the value read back may show other digits;
    // but it must read back as itself, or every unchanged save would move it again.
    const std::optional<float> again = parseSingle(formatSingle(*back, rules), rules);
    f.expect(again && *again == *back, "single read back changes when read again", text);
    const double tolerance = std::fabs(double(value)) * 1e-6 + double(FLT_TRUE_MIN);
    f.expect(std::fabs(double(*back) - double(value)) <= tolerance,
             "single read back is far from the shown value", text);
}

// parseInt32/parseInt16 agree with parseNumber rounded half to even and the type's range.
template <typename Int>
void wholeAgreesWithNumber(Findings& f, std::string_view text, std::optional<Int> whole,
                           std::optional<double> number) {
    if (whole) {
        if (!f.expect(number.has_value(), "whole number read where parseNumber reads none", text))
            return;
        // nearbyint rounds half to even in the default rounding mode.
        f.expect(double(*whole) == std::nearbyint(*number), "whole number not rounded half to even",
                 text);
        return;
    }
    if (number) {
        const double rounded = std::nearbyint(*number);
        f.expect(rounded < double(std::numeric_limits<Int>::min()) ||
                     rounded > double(std::numeric_limits<Int>::max()),
                 "whole number in range refused", text);
    }
}

// parseSingle agrees with parseNumber: a value exactly when the number rounds to a finite single,
// the nearest single (or its neighbour, where rounding through a double lands on a tie).
inline void singleAgreesWithNumber(Findings& f, std::string_view text, std::optional<float> single,
                                   std::optional<double> number) {
    if (single) {
        f.expect(std::isfinite(*single), "parseSingle gave a value that is not finite", text);
        if (!f.expect(number.has_value(), "single read where parseNumber reads none", text))
            return;
        const float nearest = static_cast<float>(*number);
        f.expect(*single == nearest || std::nextafter(*single, nearest) == nearest,
                 "parseSingle is not the nearest single", text);
        return;
    }
    // Below FLT_MAX itself every number rounds to a finite single.
    if (number)
        f.expect(!(std::fabs(*number) <= double(FLT_MAX)), "single within range refused", text);
}

} // namespace number_checks

inline Findings checkNumberText(const std::uint8_t* data, std::size_t size) {
    using namespace number_checks;
    Findings f;
    const std::string_view text = asText(data, size);
    for (std::size_t i = 0; i < testLocales().size(); ++i) {
        const LocaleRules& rules = testLocales()[i];
        f.at(std::string("locale ") + localeName(i));

        const std::optional<double> number = parseNumber(text, rules);
        if (number)
            f.expect(!std::isnan(*number), "parseNumber gave NaN", text);
        const std::optional<std::int32_t> int32 = parseInt32(text, rules);
        const std::optional<std::int16_t> int16 = parseInt16(text, rules);
        const std::optional<float> single = parseSingle(text, rules);
        wholeAgreesWithNumber(f, text, int32, number);
        wholeAgreesWithNumber(f, text, int16, number);
        singleAgreesWithNumber(f, text, single, number);
        if (int32)
            wholeRoundTrip(f, *int32, rules);
        if (int16)
            wholeRoundTrip(f, *int16, rules);
        if (single)
            singleShown(f, *single, rules);

        // The same bytes as stored fields.
        std::uint8_t stored[4] = {};
        for (std::size_t k = 0; k < 4 && k < size; ++k)
            stored[k] = data[k];
        wholeRoundTrip(f, field::getInt32(stored), rules);
        wholeRoundTrip(f, field::getInt16(stored), rules);
        singleShown(f, field::getSingle(stored), rules);
        if (f.failed())
            break;
    }
    return f;
}

} // namespace zelt::fuzz
