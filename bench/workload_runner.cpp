#include "workload.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include <sys/resource.h>

namespace zelt::bench {

namespace {

// A workload whose warm-up took longer than this is timed fewer times, so that the whole
// benchmark stays within minutes; the median of three still drops one outlier.
constexpr double kLongRun = 1.0;
constexpr int kLongRuns = 3;

bool step(const std::function<Status()>& action, const char* what) {
    if (!action)
        return true;
    const Status done = action();
    if (!done)
        std::fprintf(stderr, "%s failed: %s\n", what, done.error().message().c_str());
    return done.ok();
}

// Peak resident memory of this process so far, in KiB.
long peakKiBSoFar() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int runWorkloadProcess(const std::vector<WorkloadMaker>& makers, const std::string& name,
                       const std::string& appDir, int runs) {
    const WorkloadMaker* maker = nullptr;
    for (const auto& candidate : makers)
        if (candidate.name == name)
            maker = &candidate;
    if (!maker) {
        std::printf("n/a no such workload in this program\n");
        return 0;
    }
    std::string unavailable;
    const auto workload = maker->make(appDir, unavailable);
    if (!workload) {
        std::printf("n/a %s\n", unavailable.c_str());
        return 0;
    }
    const long baseKiB = peakKiBSoFar();
    for (int i = 0; i <= runs; ++i) {
        if (!step(workload->prepare, "prepare"))
            return 1;
        const auto start = std::chrono::steady_clock::now();
        if (!step(workload->run, name.c_str()))
            return 1;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (i > 0) // the first run warms the caches
            std::printf("time %.9f\n", seconds);
        else if (seconds > kLongRun)
            runs = std::min(runs, kLongRuns);
        if (!step(workload->finish, "finish"))
            return 1;
    }
    if (workload->outputBytes)
        std::printf("output %llu\n", static_cast<unsigned long long>(workload->outputBytes()));
    if (workload->records)
        std::printf("records %lld\n", static_cast<long long>(workload->records()));
    std::printf("base %ld\n", baseKiB);
    std::fflush(stdout);
    return 0;
}

} // namespace zelt::bench
