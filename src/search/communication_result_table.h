#pragma once

#include "search/file_result_table.h"
#include "storage/communication_record.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelt {

// The grid of the communication search: "N of record", "Member's ID", "Subject", "Date" and
// "Date of responce", made from the listed record when asked for.
class CommunicationResultTable : public FileResultTable {
public:
    enum Column { NofRecord, MemberID, Subject, Date, Date_R, ColumnCount };

    explicit CommunicationResultTable(LocaleRules rules);

    // Lists record n.
    // Lists record n with its stored bytes as given (not read from the file again).
    void append(std::int32_t recordNumber, const std::uint8_t* record) {
        FileResultTable::append(recordNumber, record, CommunicationRecord::kLength);
    }
    void append(std::int32_t recordNumber) { FileResultTable::append(recordNumber); }

    int columnCount() const override { return ColumnCount; }
    std::string heading(int column) const override;
    ColumnKind columnKind(int column) const override;

protected:
    std::string storedCell(std::size_t stored, int column) const override;
    double storedValue(std::size_t stored, int column) const override;
    std::string_view storedText(std::size_t stored, int column) const override;

private:
    mutable std::string subject_; // the last subject decoded, for storedText
};

} // namespace zelt
