#pragma once

#include "storage/fs_error.h"

#include <string>

// The same work done by the sqlite3 command-line program on the same data loaded into tables
// without indexes (the program has none either).
namespace zelt::bench {

struct SqliteData {
    std::string appDir;          // the generated program folder
    std::string sameNameDir;     // the same-name folder (its members only), may be empty
    bool additionalInfo = false; // load the members' additional info files too
};

// Writes tab-separated copies of the record files into workDir and imports them into a new
// database at dbPath: tables members, members_same, sales, payments, schemes. Loading is not
// measured.
Status buildDatabase(const SqliteData& data, const std::string& dbPath, const std::string& workDir);

// The median time of running the script with sqlite3 on the database, less the median time of
// the baseline script (an empty script when none is given), over the given number of runs (one
// when a run takes seconds). Scripts are written into workDir. Negative when sqlite3 failed.
double sqliteSeconds(const std::string& dbPath, const std::string& script,
                     const std::string& baseline, int runs, const std::string& workDir);

// A serial date column as the program writes it in the C locale: yyyy-MM-dd, with the time of
// day only when there is one.
std::string sqlDateText(const std::string& column);

} // namespace zelt::bench
