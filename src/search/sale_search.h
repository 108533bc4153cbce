#pragma once

#include "search/sale_result_table.h"
#include "storage/fs_error.h"
#include "storage/record_file.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace zelt {

// What a sale or payment search came to.
struct SaleSearchOutcome {
    enum class Kind {
        Listed,          // table holds the matching records, sorted by date
        NothingToDo,     // both filters empty: the grid stays as it is
        IncorrectDate,   // the date filter is no date: MsgIncorrectValue, focus to txtSdate
        IncorrectMember, // the member filter is no whole number: MsgIncorrectValue, txtSAffID
        FileError,       // reading the data file failed: error says why
    };

    Kind kind = Kind::NothingToDo;
    std::unique_ptr<SaleResultTable> table;
    FsError error;
};

// Lists the records 1..recordCount of an open sales or payments file whose Date equals the date
// filter (as stored values: a stored time of day never matches a date typed without it) and
// whose MemberID equals the member filter; an empty filter places no condition. Filters are
// taken without their surrounding blanks and converted by the locale's rules; fields of blanks
// alone are not empty, so they list every record (only two empty fields are NothingToDo).
// Records wholly past the end of the file (one being created) are not listed. The rows come
// sorted by date, in calendar order, records of one date in record order.
SaleSearchOutcome searchSales(RecordFile& file, std::int32_t recordCount,
                              std::string_view dateFilter, std::string_view memberFilter,
                              SaleGridKind kind, const LocaleRules& rules);

} // namespace zelt
