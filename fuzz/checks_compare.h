#pragma once

#include "fuzz_check.h"

#include "search/generic_compare.h"

#include <algorithm>
#include <array>

// The grid's generic comparison must be a strict weak ordering, or sorting by it is undefined.
// The input is one byte choosing the locale, then three cells separated by line feeds.
namespace zelt::fuzz {

namespace compare_checks {

inline int sign(long long value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

} // namespace compare_checks

inline Findings checkGenericCompare(const std::uint8_t* data, std::size_t size) {
    using namespace compare_checks;
    Findings f;
    if (size == 0)
        return f;
    const std::size_t localeIndex = data[0] % testLocales().size();
    const LocaleRules& rules = testLocales()[localeIndex];
    f.at(std::string("locale ") + localeName(localeIndex));

    std::string_view rest = asText(data + 1, size - 1);
    std::array<std::string_view, 3> cells;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::size_t end = i + 1 < cells.size() ? rest.find('\n') : std::string_view::npos;
        cells[i] = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    const std::string all =
        printable(cells[0]) + " | " + printable(cells[1]) + " | " + printable(cells[2]);

    int order[3][3];
    for (std::size_t a = 0; a < 3; ++a)
        for (std::size_t b = 0; b < 3; ++b)
            order[a][b] = sign(compareCells(cells[a], cells[b], rules));

    for (std::size_t a = 0; a < 3; ++a) {
        f.expect(order[a][a] == 0, "a cell is not equal to itself", all);
        for (std::size_t b = 0; b < 3; ++b)
            f.expect(order[a][b] == -order[b][a], "comparison is not antisymmetric", all);
    }
    // Transitivity of "before" and of "equal", over every order of the three cells.
    for (std::size_t a = 0; a < 3; ++a)
        for (std::size_t b = 0; b < 3; ++b)
            for (std::size_t c = 0; c < 3; ++c) {
                const int ab = order[a][b], bc = order[b][c], ac = order[a][c];
                if (ab <= 0 && bc <= 0)
                    f.expect(ac == (ab < 0 || bc < 0 ? -1 : 0), "comparison is not transitive",
                             all);
            }

    // The keys computed once per cell, and the ranks the grid sorts by, agree with compareCells.
    std::array<GenericKey, 3> keys;
    for (std::size_t a = 0; a < 3; ++a)
        keys[a] = GenericKey::of(cells[a], rules);
    const std::vector<std::uint32_t> ranks =
        genericRanks(std::vector<std::string_view>(cells.begin(), cells.end()), rules);
    f.expect(ranks.size() == 3, "genericRanks gave a rank count other than the cells'", all);
    if (ranks.size() != 3)
        return f;
    for (std::size_t a = 0; a < 3; ++a)
        for (std::size_t b = 0; b < 3; ++b) {
            f.expect(sign(compareKeys(keys[a], keys[b])) == order[a][b],
                     "the sort key disagrees with compareCells", all);
            f.expect(sign(static_cast<long long>(ranks[a]) - ranks[b]) == order[a][b],
                     "genericRanks disagrees with compareCells", all);
        }
    f.expect(*std::min_element(ranks.begin(), ranks.end()) == 0, "the smallest rank is not 0", all);
    return f;
}

} // namespace zelt::fuzz
