#include "search/sale_result_table.h"

#include "storage/date_text.h"
#include "storage/number_text.h"
#include "storage/sale_record.h"

#include <limits>

namespace zelt {

SaleResultTable::SaleResultTable(SaleGridKind kind, LocaleRules rules)
    : FileResultTable(std::move(rules)), kind_(kind) {}

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
    if (column == NofRecord)
        return formatInt(storedRecordNumber(stored));
    const std::uint8_t* bytes = storedRecord(stored);
    if (!bytes)
        return {};
    const SaleRecord record = SaleRecord::decode(bytes);
    switch (column) {
    case Date:
        return formatDate(record.Date, rules());
    case MemberID:
        return formatInt(record.MemberID);
    case Sum:
        return formatSingle(record.Sum, rules());
    default:
        return {};
    }
}

double SaleResultTable::storedValue(std::size_t stored, int column) const {
    if (column == NofRecord)
        return storedRecordNumber(stored);
    const std::uint8_t* bytes = storedRecord(stored);
    if (!bytes)
        return std::numeric_limits<double>::quiet_NaN();
    const SaleRecord record = SaleRecord::decode(bytes);
    switch (column) {
    case Date:
        return record.Date;
    case MemberID:
        return record.MemberID;
    case Sum:
        return record.Sum;
    default:
        return 0;
    }
}

} // namespace zelt
