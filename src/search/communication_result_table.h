#pragma once

#include "search/result_table.h"
#include "search/text_arena.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace zelt {

// The grid of the communication search: "N of record", "Member's ID", "Subject", "Date" and
// "Date of responce", one compact row (32 bytes, the subject in the shared arena) per listed
// record.
class CommunicationResultTable : public ResultTable {
public:
    enum Column { NofRecord, MemberID, Subject, Date, Date_R, ColumnCount };

    explicit CommunicationResultTable(LocaleRules rules);

    // subject: the stored subject decoded, without its trailing blanks.
    void append(std::int32_t recordNumber, std::int32_t memberID, std::string_view subject,
                double date, double dateR);

    int columnCount() const override { return ColumnCount; }
    std::string heading(int column) const override;
    ColumnKind columnKind(int column) const override;

protected:
    std::string storedCell(std::size_t stored, int column) const override;
    std::int32_t storedRecordNumber(std::size_t stored) const override;
    double storedValue(std::size_t stored, int column) const override;
    std::string_view storedText(std::size_t stored, int column) const override;

private:
    struct Row {
        std::int32_t recordNumber;
        std::int32_t memberID;
        double date;
        double dateR;
        TextArena::Ref subject;
    };

    std::vector<Row> rows_;
    TextArena subjects_;
};

} // namespace zelt
