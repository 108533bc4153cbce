#pragma once

#include "storage/app_context.h"
#include "storage/fs_error.h"
#include "storage/record_kind.h"

#include <cstdint>

namespace zelt {

// Writes <app.dir>/output/<export file of the kind>: the header line and the lines of the stored
// records first..last, read through a handle of its own on the kind's data file. The file is
// replaced whole; with first < 1 the earlier export is deleted and no file is written. A record
// number with no stored record gets no line.
Status saveRecords(const AppContext& app, RecordKind kind, std::int32_t first, std::int32_t last);

} // namespace zelt
