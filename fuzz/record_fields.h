#pragma once

#include "checks_date.h"
#include "checks_number.h"

#include "search/generic_compare.h"
#include "search/result_table.h"
#include "storage/code_page.h"

#include <cmath>

// Checks of one stored field as the grids, the editors and the exports show it. What an editor
// shows it saves back when the operator changes nothing: whole numbers and texts keep their
// bytes, a date without a time of day keeps its value, and a single becomes the value its seven
// shown digits read as, which then stays.
namespace zelt::fuzz::record_fields {

inline std::string_view storedBytes(const std::uint8_t* record, int offset, int width) {
    return {reinterpret_cast<const char*>(record + offset), static_cast<std::size_t>(width)};
}

inline void wholeField(Findings& f, std::string_view cell, std::int64_t value,
                       const LocaleRules& rules) {
    f.expect(cell == formatInt(value), "whole number cell differs from its value", cell);
    const std::optional<double> back = parseNumber(cell, rules);
    f.expect(back && *back == double(value), "whole number cell does not read back", cell);
}

inline void singleField(Findings& f, std::string_view cell, float value, const LocaleRules& rules) {
    f.expect(cell == formatSingle(value, rules), "single cell differs from its value", cell);
    number_checks::singleShown(f, value, rules);
}

inline void dateField(Findings& f, std::string_view cell, double value, const LocaleRules& rules) {
    f.expect(cell == formatDate(value, rules), "date cell differs from its value", cell);
    date_checks::dateShown(f, value, rules);
    if (!cell.empty() && value == std::trunc(value)) {
        const std::optional<double> back = parseDate(cell, rules);
        f.expect(back && *back == value, "a date without time does not keep its value", cell);
    }
}

// A text as shown: the stored bytes decoded, which encode back to the very bytes.
inline void textField(Findings& f, std::string_view shown, std::string_view stored) {
    f.expect(shown == decodeCp1252(stored), "text is not the stored text", shown);
    const EncodedText back = encodeCp1252(shown);
    f.expect(back.bytes == stored && !back.replaced, "text does not encode back", shown);
}

// A grid's text cell: the stored bytes without their trailing blanks.
inline void textCell(Findings& f, std::string_view cell, std::string_view stored) {
    while (!stored.empty() && stored.back() == ' ')
        stored.remove_suffix(1);
    textField(f, cell, stored);
}

// Sorting key of a shown cell for checking the order: empty cells last, numbers by value, dates
// in calendar order.
inline double shownOrder(ResultTable::ColumnKind kind, const std::string& cell,
                         const LocaleRules& rules) {
    if (cell.empty())
        return INFINITY;
    if (kind == ResultTable::ColumnKind::Date) {
        const std::optional<double> serial = parseDate(cell, rules);
        return serial ? calendarTime(*serial) : NAN;
    }
    const std::optional<double> number = parseNumber(cell, rules);
    return number ? *number : NAN;
}

inline void gridSorts(Findings& f, ResultTable& table) {
    const LocaleRules& rules = table.rules();
    for (int column = 0; column < table.columnCount(); ++column) {
        table.sortByColumn(column);
        std::vector<bool> seen(static_cast<std::size_t>(table.rowCount()), false);
        for (int row = 0; row < table.rowCount(); ++row) {
            const std::size_t stored = table.storedIndex(row);
            f.expect(stored < seen.size() && !seen[stored], "sorting lost or doubled a row");
            if (stored < seen.size())
                seen[stored] = true;
            if (row == 0)
                continue;
            const std::string before = table.cell(row - 1, column);
            const std::string cell = table.cell(row, column);
            const ResultTable::ColumnKind kind = table.columnKind(column);
            if (kind == ResultTable::ColumnKind::Text) {
                f.expect(compareCells(before, cell, rules) <= 0, "text column sorted out of order",
                         before + " > " + cell);
                continue;
            }
            const double a = shownOrder(kind, before, rules), b = shownOrder(kind, cell, rules);
            f.expect(!std::isnan(a) && !std::isnan(b), "a sorted cell does not read back",
                     before + " / " + cell);
            f.expect(!(a > b), "column sorted out of order", before + " > " + cell);
        }
    }
}

} // namespace zelt::fuzz::record_fields
