#pragma once

#include "storage/fs_error.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zelt::bench {

// One measured piece of the program's work. A workload is built once per measuring process;
// prepare runs before every timed run and is not counted, run is the part timed, and finish
// runs after every timed run, not counted either.
struct Workload {
    std::function<Status()> prepare;
    std::function<Status()> run;
    std::function<Status()> finish;
    // Bytes the run wrote (an export's output), for the floor of a plain write; 0 for none.
    std::function<std::uint64_t()> outputBytes;
    // Records the run went through or listed, for the table.
    std::function<std::int64_t()> records;
};

// Builds a workload for a program folder; a workload whose code the program does not have yet
// gives an explanation instead.
struct WorkloadMaker {
    std::string name;
    std::function<std::unique_ptr<Workload>(const std::string& appDir, std::string& unavailable)>
        make;
};

// The measuring process: runs the named workload once to warm up, then the given number of
// times, and prints its figures on standard output for the benchmark that started it:
//   time <seconds>        once per timed run
//   output <bytes>        bytes written by the last run
//   records <count>
//   base <KiB>            peak resident memory once the workload was set up, before its first
//                         run (for the window rows: the editor alone)
//   n/a <reason>          when the workload cannot run here
// Failures go to standard error and give a non-zero exit.
int runWorkloadProcess(const std::vector<WorkloadMaker>& makers, const std::string& name,
                       const std::string& appDir, int runs);

} // namespace zelt::bench
