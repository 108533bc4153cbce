#include "search/communication_result_table.h"

#include "storage/code_page.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"
#include "storage/number_text.h"

#include <limits>

namespace zelt {

namespace {
constexpr int kMemberID = 0, kSubject = 4, kDate = 34, kDate_R = 42;
} // namespace

CommunicationResultTable::CommunicationResultTable(LocaleRules rules)
    : FileResultTable(std::move(rules)) {}

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

// The stored subject without its trailing blanks, decoded.
std::string_view CommunicationResultTable::storedText(std::size_t stored, int column) const {
    const std::uint8_t* record = column == Subject ? storedRecord(stored) : nullptr;
    if (!record)
        return {};
    std::string_view subject(reinterpret_cast<const char*>(record + kSubject),
                             CommunicationRecord::kSubjectWidth);
    const std::size_t last = subject.find_last_not_of(' ');
    subject = last == std::string_view::npos ? std::string_view() : subject.substr(0, last + 1);
    subject_ = decodeCp1252(subject);
    return subject_;
}

std::string CommunicationResultTable::storedCell(std::size_t stored, int column) const {
    switch (column) {
    case NofRecord:
        return formatInt(storedRecordNumber(stored));
    case Subject:
        return std::string(storedText(stored, column));
    case MemberID:
    case Date:
    case Date_R:
        break;
    default:
        return {};
    }
    const std::uint8_t* record = storedRecord(stored);
    if (!record)
        return {};
    if (column == MemberID)
        return formatInt(field::getInt32(record + kMemberID));
    return formatDate(field::getDouble(record + (column == Date ? kDate : kDate_R)), rules());
}

double CommunicationResultTable::storedValue(std::size_t stored, int column) const {
    if (column == NofRecord)
        return storedRecordNumber(stored);
    const std::uint8_t* record = storedRecord(stored);
    if (!record)
        return std::numeric_limits<double>::quiet_NaN();
    switch (column) {
    case MemberID:
        return field::getInt32(record + kMemberID);
    case Date:
        return field::getDouble(record + kDate);
    case Date_R:
        return field::getDouble(record + kDate_R);
    default:
        return 0;
    }
}

} // namespace zelt
