#pragma once

#include <string>
#include <vector>

namespace zelt::bench {

struct ChildOutcome {
    bool started = false;
    int exitCode = -1;
    std::string output; // standard output, when captured
    long peakKiB = 0;   // the child's own peak resident memory (ru_maxrss)
    double seconds = 0; // wall time from start to exit
};

// Runs a program to its end, with standard input from a file (or /dev/null when empty) and its
// standard output captured or thrown away. Standard error stays the benchmark's own.
ChildOutcome runChild(const std::vector<std::string>& argv, const std::string& inputPath = {},
                      bool captureOutput = true);

} // namespace zelt::bench
