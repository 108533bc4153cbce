#pragma once

#include "storage/fs_error.h"

#include <cstdint>
#include <string>

// What all windows share: the program's directory and the member count.
namespace zelt {

// The program's directory (no trailing separator), set when the main window loads.
extern std::string AppDir;

// Number of records in data/affiliates.kvr, read afresh at every call; 0 when the file is
// missing (it is not created).
Result<std::int32_t> count_members();

// Creates the data folder under AppDir when it is missing.
Status ensure_data_folder();

} // namespace zelt
