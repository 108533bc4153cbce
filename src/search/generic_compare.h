#pragma once

#include "storage/locale_rules.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The grid's generic comparison of cell texts, as a strict weak ordering: cells that read as
// numbers by the locale's rules come first, ordered by value; the other cells follow, ordered as
// text ignoring case, ties broken by the exact text. Within a column of numbers only, or of texts
// only, this is plain numeric or case-blind text order; a mixed column still sorts soundly.
namespace zelt {

// The value of a cell that reads as a number (surrounding blanks allowed, "10,5" in a
// decimal-comma locale); no value for any other cell.
std::optional<double> cellNumber(std::string_view cell, const LocaleRules& rules);

// Appends the text with every letter of the Windows-1252 repertoire in lower case (UTF-8 in,
// UTF-8 out). Other characters are copied unchanged, so byte order of the result is the
// case-blind code point order.
void appendFoldedCase(std::string_view text, std::string& out);
std::string foldedCase(std::string_view text);

// An unsigned integer that orders as the double does (-0 and +0 equal); not for NaN.
std::uint64_t orderedBits(double value);

// The sort key of one cell, computed once and compared many times.
struct GenericKey {
    bool isNumber = false;
    double number = 0;
    std::string folded; // texts only: the case-folded text
    std::string exact;  // texts only: the cell as it stands

    static GenericKey of(std::string_view cell, const LocaleRules& rules);
};

// Negative, zero or positive as a sorts before, with or after b.
int compareKeys(const GenericKey& a, const GenericKey& b);
int compareCells(std::string_view a, std::string_view b, const LocaleRules& rules);

// The place of each cell in the generic order, for sorting many rows by a few comparisons: the
// smallest cell has rank 0, and cells that compare equal (equal numbers) share a rank.
std::vector<std::uint32_t> genericRanks(const std::vector<std::string_view>& cells,
                                        const LocaleRules& rules);

} // namespace zelt
