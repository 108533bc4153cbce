#include "export/date_text_cache.h"

#include "storage/date_text.h"

#include <algorithm>
#include <cstring>

namespace zelt {

namespace {

constexpr int kSlotBits = 14; // 16384 slots, room for 25 years of days and some times of day

std::size_t slotOf(std::uint64_t bits) {
    // Whole days differ only in the high bits of a double: mix them all into the slot number.
    return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ULL) >> (64 - kSlotBits));
}

} // namespace

DateTextCache::DateTextCache(const LocaleRules& rules)
    : rules_(rules), entries_(std::size_t{1} << kSlotBits) {}

void DateTextCache::append(std::string& out, double serial) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &serial, sizeof bits);
    Entry& entry = entries_[slotOf(bits)];
    if (entry.length != kEmpty && entry.bits == bits) {
        out.append(entry.text, entry.length);
        return;
    }
    const std::string text = formatDate(serial, rules_);
    out += text;
    if (text.size() <= std::size_t{kTextRoom}) {
        entry.bits = bits;
        entry.length = static_cast<std::uint8_t>(text.size());
        std::copy(text.begin(), text.end(), entry.text);
    }
}

} // namespace zelt
