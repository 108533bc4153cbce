#pragma once

#include "storage/fs_error.h"

#include <cstdint>
#include <string>

namespace zelt {

// Number of records in <appDir>/data/affiliates.kvr, read afresh at every call; 0 when the file
// is missing (it is not created).
Result<std::int32_t> countMembers(const std::string& appDir);

} // namespace zelt
