#pragma once

#include "search/member_result_table.h"
#include "storage/fs_error.h"
#include "storage/record_file.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace zelt {

// The five filter texts of the member search, as typed (UTF-8).
struct MemberFilters {
    std::string_view name;
    std::string_view surname;
    std::string_view email;
    std::string_view reference;
    std::string_view egold;
};

// What a member search came to.
struct MemberSearchOutcome {
    enum class Kind {
        Listed,          // table holds the matching members, in record order
        NothingToDo,     // all five filters empty: the grid stays as it is
        IncorrectNumber, // the reference or Egold filter is no whole number
        FileError,       // reading the members file failed: error says why
    };

    Kind kind = Kind::NothingToDo;
    std::unique_ptr<MemberResultTable> table;
    FsError error;
};

// Lists the members among records 1..recordCount of an open members file that pass every
// filter that is not empty. Filters are taken without their surrounding blanks. Text filters
// match the whole stored field without its surrounding blanks, ignoring case (the letters of
// Windows-1252); the reference and Egold filters are whole numbers by the locale's rules and
// match Ref_ID and Egold_ID. Records wholly past the end of the file (one being created) are not
// listed. The rows stand in record order; the table reads them from the file through a handle of
// its own.
MemberSearchOutcome searchMembers(RecordFile& file, std::int32_t recordCount,
                                  const MemberFilters& filters, const LocaleRules& rules);

} // namespace zelt
