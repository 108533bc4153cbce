#pragma once

#include "storage/locale_rules.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelt {

// The texts of dates as formatDate makes them under one set of rules, each made once per distinct
// stored value and then copied. Whole days (most stored dates) are kept by their day number in a
// table that holds about 90 years around the first one seen; other values (a time of day, days far
// off) by their bits in a table of their own, where a later value may take an earlier one's place.
// Made for one export: the rules are those of its start.
class DateTextCache {
public:
    explicit DateTextCache(const LocaleRules& rules);

    void append(std::string& out, double serial);

private:
    static constexpr std::uint8_t kEmpty = 0xFF;
    struct DayEntry { // the text of one whole day
        std::uint8_t length = kEmpty;
        char text[15];
    };
    struct ValueEntry { // the text of the value with these bits
        std::uint64_t bits = 0;
        std::uint8_t length = kEmpty;
        char text[23];
    };

    void appendMade(std::string& out, double serial, std::uint8_t& length, char* text,
                    std::size_t room);

    LocaleRules rules_;
    std::int64_t firstDay_ = 0; // day number of days_[0], set by the first whole day seen
    bool daysPlaced_ = false;
    std::vector<DayEntry> days_;
    std::vector<ValueEntry> values_;
};

} // namespace zelt
