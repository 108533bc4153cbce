#pragma once

#include "workload.h"

#include <vector>

namespace zelt::bench {

// The workloads that need no windows: searches, text exports and the files for calculations.
std::vector<WorkloadMaker> coreWorkloads();

} // namespace zelt::bench
