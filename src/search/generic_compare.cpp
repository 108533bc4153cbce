#include "search/generic_compare.h"

#include "storage/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zelt {

namespace {

// A cell's key in genericRanks. Numbers compare by primary alone; texts by primary (the first
// eight bytes of the case-folded text), then by the whole folded text, last by the exact text.
struct CompactKey {
    std::uint64_t primary = 0;
    std::uint32_t foldedOffset = 0;
    std::uint32_t length = 0; // of the text, folded or not
    std::uint32_t cell = 0;
    bool isNumber = true;
};

std::uint64_t textPrefix(std::string_view folded) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const unsigned char byte = i < folded.size() ? static_cast<unsigned char>(folded[i]) : 0;
        prefix = (prefix << 8) | byte;
    }
    return prefix;
}

} // namespace

std::optional<double> cellNumber(std::string_view cell, const LocaleRules& rules) {
    const std::optional<double> value = parseNumber(cell, rules);
    if (!value || std::isnan(*value))
        return std::nullopt;
    return value;
}

void appendFoldedCase(std::string_view text, std::string& out) {
    // Every folding keeps the length of the character, so the text is copied and then folded
    // in place.
    const std::size_t start = out.size();
    out.append(text);
    auto* p = reinterpret_cast<unsigned char*>(out.data() + start);
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z')
                p[i] = static_cast<unsigned char>(c + ('a' - 'A'));
            continue;
        }
        if (i + 1 >= n)
            break;
        const unsigned char next = p[i + 1];
        if (c == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) {
            // U+00C0..U+00DE except the multiplication sign: lower case is 0x20 further.
            p[i + 1] = static_cast<unsigned char>(next + 0x20);
        } else if (c == 0xC5 && (next == 0xA0 || next == 0x92 || next == 0xBD)) {
            // S with caron, ligature OE, Z with caron: lower case is the next code point.
            p[i + 1] = static_cast<unsigned char>(next + 1);
        } else if (c == 0xC5 && next == 0xB8) { // Y with diaeresis -> U+00FF
            p[i] = 0xC3;
            p[i + 1] = 0xBF;
        }
        if (c >= 0xC0) // skip the continuation byte of a two-byte character
            ++i;
    }
}

std::string foldedCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendFoldedCase(text, out);
    return out;
}

std::uint64_t orderedBits(double value) {
    if (value == 0)
        value = 0; // -0 sorts with +0
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    constexpr std::uint64_t sign = std::uint64_t(1) << 63;
    return (bits & sign) ? ~bits : (bits | sign);
}

GenericKey GenericKey::of(std::string_view cell, const LocaleRules& rules) {
    GenericKey key;
    if (const std::optional<double> value = cellNumber(cell, rules)) {
        key.isNumber = true;
        key.number = *value;
        return key;
    }
    key.folded = foldedCase(cell);
    key.exact = std::string(cell);
    return key;
}

int compareKeys(const GenericKey& a, const GenericKey& b) {
    if (a.isNumber != b.isNumber)
        return a.isNumber ? -1 : 1;
    if (a.isNumber)
        return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
    if (const int byFold = a.folded.compare(b.folded); byFold != 0)
        return byFold < 0 ? -1 : 1;
    const int byExact = a.exact.compare(b.exact);
    return byExact < 0 ? -1 : (byExact > 0 ? 1 : 0);
}

int compareCells(std::string_view a, std::string_view b, const LocaleRules& rules) {
    return compareKeys(GenericKey::of(a, rules), GenericKey::of(b, rules));
}

std::vector<std::uint32_t> genericRanks(const std::vector<std::string_view>& cells,
                                        const LocaleRules& rules) {
    std::vector<CompactKey> keys(cells.size());
    std::string folded; // the folded texts, end to end
    for (std::size_t i = 0; i < cells.size(); ++i) {
        CompactKey& key = keys[i];
        key.cell = static_cast<std::uint32_t>(i);
        if (const std::optional<double> value = cellNumber(cells[i], rules)) {
            key.primary = orderedBits(*value);
            continue;
        }
        key.isNumber = false;
        key.foldedOffset = static_cast<std::uint32_t>(folded.size());
        key.length = static_cast<std::uint32_t>(cells[i].size());
        appendFoldedCase(cells[i], folded);
        key.primary = textPrefix(std::string_view(folded).substr(key.foldedOffset, 8));
    }

    const std::string_view foldedTexts(folded);
    const auto compare = [&](const CompactKey& a, const CompactKey& b) {
        if (a.isNumber != b.isNumber)
            return a.isNumber ? -1 : 1;
        if (a.primary != b.primary)
            return a.primary < b.primary ? -1 : 1;
        if (a.isNumber)
            return 0;
        // Texts of at most eight bytes are wholly in their prefixes.
        int byFold = a.length < b.length ? -1 : (a.length > b.length ? 1 : 0);
        if (a.length > 8 || b.length > 8)
            byFold = foldedTexts.substr(a.foldedOffset, a.length)
                         .compare(foldedTexts.substr(b.foldedOffset, b.length));
        if (byFold != 0)
            return byFold;
        return cells[a.cell].compare(cells[b.cell]);
    };
    std::sort(keys.begin(), keys.end(),
              [&](const CompactKey& a, const CompactKey& b) { return compare(a, b) < 0; });

    std::vector<std::uint32_t> ranks(cells.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && compare(keys[i - 1], keys[i]) < 0)
            ++rank;
        ranks[keys[i].cell] = rank;
    }
    return ranks;
}

} // namespace zelt
