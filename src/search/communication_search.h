#pragma once

#include "search/communication_result_table.h"
#include "storage/fs_error.h"
#include "storage/record_file.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace zelt {

// The four filter texts of the communication search, as typed.
struct CommunicationFilters {
    std::string_view memberID; // txtSID
    std::string_view subject;  // txtSsubject
    std::string_view date;     // txtSdate
    std::string_view dateR;    // txtSdate_r
};

// What a communication search came to.
struct CommunicationSearchOutcome {
    enum class Kind {
        Listed,      // table holds the matching records, in record order
        NothingToDo, // all four filters empty: the grid stays as it is
        FileError,   // reading the data file failed: error says why
    };

    Kind kind = Kind::NothingToDo;
    std::unique_ptr<CommunicationResultTable> table;
    FsError error;
};

// Lists the records 1..recordCount of an open communications file that every non-empty filter
// accepts. A filter is compared with the record's text for it (the member identifier in
// decimal, the subject, the date or the date of the response in the short date form) as a whole
// text, ignoring case and the blanks around both: the member filter 12 finds 12, not 120, and
// 012 finds nothing. Records wholly past the end of the file (one being created) are not listed.
CommunicationSearchOutcome searchCommunications(RecordFile& file, std::int32_t recordCount,
                                                const CommunicationFilters& filters,
                                                const LocaleRules& rules);

} // namespace zelt
