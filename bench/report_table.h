#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelt::bench {

// The figures of one workload at one size. Negative times stand for "not measured".
struct Measurement {
    std::string title;
    std::int32_t members = 0;
    std::int64_t records = -1;
    double seconds = -1;
    double floorSeconds = -1;
    double sqliteSeconds = -1;
    long peakKiB = 0;
    long baseKiB = 0;        // peak before the first run (the workload set up), 0 when unknown
    double growth = -1;      // time against the same workload at the size ten times smaller
    std::string unavailable; // why the workload was not measured ("n/a")
};

// One line of the table, for watching the run progress.
std::string progressLine(const Measurement& m);

// The whole table, in Markdown so that it can go into a README as it is.
std::string markdownTable(const std::vector<Measurement>& rows);

} // namespace zelt::bench
