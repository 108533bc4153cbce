#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The floor of a workload: the least the machine needs to move the same bytes, measured with
// plain system calls in large blocks.
namespace zelt::bench {

// One sequential pass over the files with read(2) in 1 MiB blocks (missing files are skipped).
double readSeconds(const std::vector<std::string>& files);

// Writes the number of bytes to a new file with write(2) in 1 MiB blocks and syncs it, as the
// program's exports are synced before they replace the old file. The file is removed after.
double writeSeconds(const std::string& path, std::uint64_t bytes);

} // namespace zelt::bench
