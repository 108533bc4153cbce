#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zelt::bench {

// One line of the benchmark's table: which measuring program runs the workload, on which data,
// what its floor reads, and what sqlite3 does for the same work.
struct MeasuredWorkload {
    std::string title;
    std::string name;             // the workload's name in its measuring program
    bool gui = false;             // measured by zelt_bench_gui
    bool sameName = false;        // runs on the folder where every member has the same name
    std::int32_t largestSize = 0; // measured only up to this many members; 0 for every size
    // Files a plain read goes through for the floor; none: no floor.
    std::function<std::vector<std::string>(const std::string& appDir, std::int32_t members)>
        floorFiles;
    // The sqlite3 script for the same work (outputs into outDir), and a script whose time is
    // taken off (an empty one when not given).
    std::function<std::string(std::int32_t members, const std::string& outDir)> sql;
    std::function<std::string(std::int32_t members)> sqlBaseline;
};

std::vector<MeasuredWorkload> measuredWorkloads();

} // namespace zelt::bench
