#pragma once

#include "workload.h"

#include <vector>

namespace zelt::bench {

// The workloads that need windows: the member search into the grid, sorting the grid, opening
// each editor and saving a member. They drive the editors as the operator does, through the
// controls' object names, on an offscreen platform.
std::vector<WorkloadMaker> guiWorkloads();

} // namespace zelt::bench
