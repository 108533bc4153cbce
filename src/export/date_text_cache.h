#pragma once

#include "storage/locale_rules.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelt {

// The texts of dates as formatDate makes them under one set of rules, each made once per distinct
// stored value (its bits) and then copied. A long export holds a few thousand distinct days, so
// most of its dates are found here. Made for one export: the rules are those of its start.
class DateTextCache {
public:
    explicit DateTextCache(const LocaleRules& rules);

    void append(std::string& out, double serial);

private:
    static constexpr int kTextRoom = 31; // longer texts are made every time, not kept
    struct Entry {
        std::uint64_t bits = 0;
        std::uint8_t length = kEmpty;
        char text[kTextRoom];
    };
    static constexpr std::uint8_t kEmpty = 0xFF;

    LocaleRules rules_;
    std::vector<Entry> entries_;
};

} // namespace zelt
