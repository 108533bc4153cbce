#pragma once

#include "storage/fs_error.h"

#include <cstdint>

namespace zelt {

// The record kinds that an editor exports as semicolon-separated text.
enum class ExportKind { Sales, Payments, Members, Communications, Schemes };

// Writes <AppDir>/output/<file of the kind>: the header line and the lines of the stored records
// first..last, read through a handle of its own on the kind's data file. The file is replaced
// whole; with first < 1 the earlier export is deleted and no file is written. A record number
// with no stored record gets no line.
Status save_records(ExportKind kind, std::int32_t first, std::int32_t last);

} // namespace zelt
