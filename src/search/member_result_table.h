#pragma once

#include "search/result_table.h"
#include "search/text_arena.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zelt {

// The grid of the member search: the record number, the nine texts of the member without their
// trailing blanks, level, referrer, Egold account, date and payment scheme. One compact row
// (40 bytes) per listed member; the texts lie end to end in one shared arena.
class MemberResultTable : public ResultTable {
public:
    enum Column {
        MemberID,
        Name,
        Surname,
        Street,
        City,
        Post_Cod,
        Country,
        Phone,
        E_mail,
        URL,
        Level,
        Ref_ID,
        Egold_ID,
        Date,
        AP_ID,
        ColumnCount
    };

    explicit MemberResultTable(LocaleRules rules);

    // Lists record n from its 211 stored bytes.
    void append(std::int32_t recordNumber, const std::uint8_t* record);
    // Address space for up to this many rows, before a search of that many records. Only the
    // part that rows fill is ever touched, so a search that lists few members costs no memory,
    // and one that lists a million never copies its rows to grow.
    void reserve(std::size_t rows);

    int columnCount() const override { return ColumnCount; }
    std::string heading(int column) const override;
    ColumnKind columnKind(int column) const override;

protected:
    std::string storedCell(std::size_t stored, int column) const override;
    std::int32_t storedRecordNumber(std::size_t stored) const override;
    double storedValue(std::size_t stored, int column) const override;
    std::string_view storedText(std::size_t stored, int column) const override;

private:
    static constexpr int kTexts = 9;

    struct Row {
        std::uint32_t textOffset; // the row's nine texts, end to end in the arena
        std::int32_t recordNumber;
        std::int32_t level;
        std::int32_t refId;
        std::int32_t egoldId;
        std::int16_t apId;
        std::array<std::uint8_t, kTexts> textLength; // UTF-8 bytes, at most 90 each
        double date;
    };

    TextArena texts_;
    std::vector<Row> rows_;
};

} // namespace zelt
