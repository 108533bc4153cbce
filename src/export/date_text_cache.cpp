#include "export/date_text_cache.h"

#include "storage/date_text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zelt {

namespace {

constexpr int kDayBits = 15;   // 32768 days, about 90 years
constexpr int kValueBits = 12; // 4096 other values

std::size_t valueSlot(std::uint64_t bits) {
    // Values close together differ in the low bits of a double: mix all bits into the slot.
    return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ULL) >> (64 - kValueBits));
}

} // namespace

DateTextCache::DateTextCache(const LocaleRules& rules) : rules_(rules) {}

void DateTextCache::appendMade(std::string& out, double serial, std::uint8_t& length, char* text,
                               std::size_t room) {
    const std::string made = formatDate(serial, rules_);
    out += made;
    if (made.size() <= room) {
        length = static_cast<std::uint8_t>(made.size());
        std::copy(made.begin(), made.end(), text);
    }
}

void DateTextCache::append(std::string& out, double serial) {
    if (values_.empty()) { // the tables are made by the first date, not for exports without one
        days_.resize(std::size_t{1} << kDayBits);
        values_.resize(std::size_t{1} << kValueBits);
    }
    // A whole day of a plausible size, not -0 (whose bits differ from 0's).
    const auto day = std::fabs(serial) < 1e9 ? static_cast<std::int64_t>(serial) : 0;
    if (double(day) == serial && !(day == 0 && std::signbit(serial))) {
        if (!daysPlaced_) {
            firstDay_ = day - (std::int64_t{1} << (kDayBits - 1));
            daysPlaced_ = true;
        }
        const std::int64_t index = day - firstDay_;
        if (index >= 0 && index < (std::int64_t{1} << kDayBits)) {
            DayEntry& entry = days_[static_cast<std::size_t>(index)];
            if (entry.length != kEmpty)
                out.append(entry.text, entry.length);
            else
                appendMade(out, serial, entry.length, entry.text, sizeof entry.text);
            return;
        }
    }
    std::uint64_t bits = 0;
    std::memcpy(&bits, &serial, sizeof bits);
    ValueEntry& entry = values_[valueSlot(bits)];
    if (entry.length != kEmpty && entry.bits == bits) {
        out.append(entry.text, entry.length);
        return;
    }
    entry.length = kEmpty;
    entry.bits = bits;
    appendMade(out, serial, entry.length, entry.text, sizeof entry.text);
}

} // namespace zelt
