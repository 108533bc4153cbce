#pragma once

#include "search/result_table.h"
#include "storage/sale_record.h"

#include <vector>

namespace zelt {

// Which of the two grids of sales and payments a table belongs to; only the sum heading differs.
enum class SaleGridKind { Sales, Payments };

// The grid of the sale and payment search: "N of Record", "Date", "Member's ID" and the sum,
// one compact row (24 bytes) per listed record.
class SaleResultTable : public ResultTable {
public:
    enum Column { NofRecord, Date, MemberID, Sum, ColumnCount };

    SaleResultTable(SaleGridKind kind, LocaleRules rules);

    void append(std::int32_t recordNumber, const SaleRecord& record);

    int columnCount() const override { return ColumnCount; }
    std::string heading(int column) const override;
    ColumnKind columnKind(int column) const override;

    static const char* sumHeading(SaleGridKind kind);

protected:
    std::string storedCell(std::size_t stored, int column) const override;
    std::int32_t storedRecordNumber(std::size_t stored) const override;
    double storedValue(std::size_t stored, int column) const override;

private:
    struct Row {
        std::int32_t recordNumber;
        std::int32_t memberID;
        float sum;
        double date;
    };

    SaleGridKind kind_;
    std::vector<Row> rows_;
};

} // namespace zelt
