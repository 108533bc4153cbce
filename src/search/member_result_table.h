#pragma once

#include "search/file_result_table.h"
#include "storage/member_record.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelt {

// The grid of the member search: the record number, the nine texts of the member without their
// trailing blanks, level, referrer, Egold account, date and payment scheme, made from the
// member's record when asked for.
class MemberResultTable : public FileResultTable {
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

    // Lists member n.
    // Lists record n with its stored bytes as given (not read from the file again).
    void append(std::int32_t recordNumber, const std::uint8_t* record) {
        FileResultTable::append(recordNumber, record, MemberRecord::kLength);
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
    mutable std::string decoded_; // a text beyond ASCII, decoded for storedText
};

} // namespace zelt
