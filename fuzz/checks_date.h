#pragma once

#include "fuzz_check.h"

#include "search/result_table.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"

#include <cmath>

// Reading and showing dates. The input is a typed date; its first eight bytes, read as a stored
// date, are shown and read back as well.
namespace zelt::fuzz {

namespace date_checks {

// A shown date reads back within the half second it was rounded by, as a date that then stays;
// an empty text only for a value that cannot be shown.
inline void dateShown(Findings& f, double serial, const LocaleRules& rules) {
    const std::string text = formatDate(serial, rules);
    if (text.empty()) {
        // Only the last half second of 9999-12-31 rounds out of the years shown.
        static const double lastShown = serialFromDate(9999, 12, 31) + 1 - 0.5 / 86400.0;
        f.expect(!isShowableDate(serial) || calendarTime(serial) >= lastShown,
                 "formatDate empty for a showable date", std::to_string(serial));
        return;
    }
    f.expect(text.size() <= maxDateTextLength(rules), "date text longer than its maximum", text);
    const std::optional<double> back = parseDate(text, rules);
    if (!f.expect(back.has_value(), "formatDate text does not read back", text))
        return;
    // A time of day that rounds to 00:00:00 is shown but reads back as no time at all, so the
    // text may change once; the value read back must then stay.
    const std::optional<double> again = parseDate(formatDate(*back, rules), rules);
    f.expect(again && *again == *back, "date read back changes when read again", text);
    const double seconds = std::fabs(calendarTime(*back) - calendarTime(serial)) * 86400.0;
    f.expect(seconds <= 0.501, "date read back is more than half a second off", text);
}

} // namespace date_checks

inline Findings checkDateText(const std::uint8_t* data, std::size_t size) {
    using namespace date_checks;
    Findings f;
    const std::string_view text = asText(data, size);
    std::uint8_t stored[8] = {};
    for (std::size_t k = 0; k < 8 && k < size; ++k)
        stored[k] = data[k];
    const double storedSerial = field::getDouble(stored);

    for (std::size_t i = 0; i < testLocales().size(); ++i) {
        const LocaleRules& rules = testLocales()[i];
        f.at(std::string("locale ") + localeName(i));

        if (const std::optional<double> serial = parseDate(text, rules)) {
            f.expect(isShowableDate(*serial), "parseDate gave a date that cannot be shown", text);
            const std::string shown = formatDate(*serial, rules);
            const std::optional<double> back = parseDate(shown, rules);
            f.expect(back && *back == *serial, "parsed date does not read back from its text",
                     std::string(text) + " -> " + shown);
            dateShown(f, *serial, rules);
        }
        dateShown(f, storedSerial, rules);
        if (f.failed())
            break;
    }
    return f;
}

} // namespace zelt::fuzz
