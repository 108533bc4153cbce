#include "search/sale_result_table.h"

#include "storage/date_text.h"
#include "storage/number_text.h"

namespace zelt {

SaleResultTable::SaleResultTable(SaleGridKind kind, LocaleRules rules)
    : ResultTable(std::move(rules)), kind_(kind) {}

void SaleResultTable::append(std::int32_t recordNumber, const SaleRecord& record) {
    rows_.push_back(Row{recordNumber, record.MemberID, record.Sum, record.Date});
    rowStored();
}

const char* SaleResultTable::sumHeading(SaleGridKind kind) {
    return kind == SaleGridKind::Sales ? "Sum " : "Sum of a payment";
}

std::string SaleResultTable::heading(int column) const {
    switch (column) {
    case NofRecord:
        return "N of Record";
    case Date:
        return "Date";
    case MemberID:
        return "Member's ID";
    case Sum:
        return sumHeading(kind_);
    default:
        return {};
    }
}

ResultTable::ColumnKind SaleResultTable::columnKind(int column) const {
    switch (column) {
    case Date:
        return ColumnKind::Date;
    case Sum:
        return ColumnKind::Single;
    default:
        return ColumnKind::Integer;
    }
}

std::string SaleResultTable::storedCell(std::size_t stored, int column) const {
    const Row& row = rows_[stored];
    switch (column) {
    case NofRecord:
        return formatInt(row.recordNumber);
    case Date:
        return formatDate(row.date, rules());
    case MemberID:
        return formatInt(row.memberID);
    case Sum:
        return formatSingle(row.sum, rules());
    default:
        return {};
    }
}

std::int32_t SaleResultTable::storedRecordNumber(std::size_t stored) const {
    return rows_[stored].recordNumber;
}

double SaleResultTable::storedValue(std::size_t stored, int column) const {
    const Row& row = rows_[stored];
    switch (column) {
    case NofRecord:
        return row.recordNumber;
    case Date:
        return row.date;
    case MemberID:
        return row.memberID;
    case Sum:
        return row.sum;
    default:
        return 0;
    }
}

} // namespace zelt
