#include "search/communication_result_table.h"

#include "storage/date_text.h"
#include "storage/number_text.h"

namespace zelt {

CommunicationResultTable::CommunicationResultTable(LocaleRules rules)
    : ResultTable(std::move(rules)) {}

void CommunicationResultTable::append(std::int32_t recordNumber, std::int32_t memberID,
                                      std::string_view subject, double date, double dateR) {
    rows_.push_back(Row{recordNumber, memberID, date, dateR, subjects_.add(subject)});
    rowStored();
}

std::string CommunicationResultTable::heading(int column) const {
    switch (column) {
    case NofRecord:
        return "N of record";
    case MemberID:
        return "Member's ID";
    case Subject:
        return "Subject";
    case Date:
        return "Date";
    case Date_R:
        return "Date of responce";
    default:
        return {};
    }
}

ResultTable::ColumnKind CommunicationResultTable::columnKind(int column) const {
    switch (column) {
    case Subject:
        return ColumnKind::Text;
    case Date:
    case Date_R:
        return ColumnKind::Date;
    default:
        return ColumnKind::Integer;
    }
}

std::string CommunicationResultTable::storedCell(std::size_t stored, int column) const {
    const Row& row = rows_[stored];
    switch (column) {
    case NofRecord:
        return formatInt(row.recordNumber);
    case MemberID:
        return formatInt(row.memberID);
    case Subject:
        return std::string(subjects_.view(row.subject));
    case Date:
        return formatDate(row.date, rules());
    case Date_R:
        return formatDate(row.dateR, rules());
    default:
        return {};
    }
}

std::int32_t CommunicationResultTable::storedRecordNumber(std::size_t stored) const {
    return rows_[stored].recordNumber;
}

double CommunicationResultTable::storedValue(std::size_t stored, int column) const {
    const Row& row = rows_[stored];
    switch (column) {
    case NofRecord:
        return row.recordNumber;
    case MemberID:
        return row.memberID;
    case Date:
        return row.date;
    case Date_R:
        return row.dateR;
    default:
        return 0;
    }
}

std::string_view CommunicationResultTable::storedText(std::size_t stored, int column) const {
    return column == Subject ? subjects_.view(rows_[stored].subject) : std::string_view();
}

} // namespace zelt
