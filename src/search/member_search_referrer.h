#pragma once

#include "storage/fs_error.h"
#include "storage/record_file.h"

#include <cstdint>

namespace zelt {

// Whether one of the stored records 1..recordCount of an open members file has the AffiliateID
// id (the referrer search of a member's save). The editor keeps member n in record n, so that
// record is looked at first; when it does not hold the member, the whole file is searched in
// one pass of large blocks.
Result<bool> memberIdStored(RecordFile& file, std::int32_t recordCount, std::int32_t id);

} // namespace zelt
