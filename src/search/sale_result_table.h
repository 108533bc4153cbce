#pragma once

#include "search/file_result_table.h"
#include "storage/sale_record.h"

#include <cstdint>

namespace zelt {

// Which of the two grids of sales and payments a table belongs to; only the sum heading differs.
enum class SaleGridKind { Sales, Payments };

// The grid of the sale and payment search: "N of Record", "Date", "Member's ID" and the sum, made
// from the listed record when asked for.
class SaleResultTable : public FileResultTable {
public:
    enum Column { NofRecord, Date, MemberID, Sum, ColumnCount };

    SaleResultTable(SaleGridKind kind, LocaleRules rules);

    // Lists record n.
    // Lists record n with its stored bytes as given (not read from the file again).
    void append(std::int32_t recordNumber, const std::uint8_t* record) {
        FileResultTable::append(recordNumber, record, SaleRecord::kLength);
    }
    void append(std::int32_t recordNumber) { FileResultTable::append(recordNumber); }

    int columnCount() const override { return ColumnCount; }
    std::string heading(int column) const override;
    ColumnKind columnKind(int column) const override;

    static const char* sumHeading(SaleGridKind kind);

protected:
    std::string storedCell(std::size_t stored, int column) const override;
    double storedValue(std::size_t stored, int column) const override;

private:
    SaleGridKind kind_;
};

} // namespace zelt
