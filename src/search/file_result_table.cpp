#include "search/file_result_table.h"

#include <algorithm>

namespace zelt {

Status FileResultTable::readFrom(const RecordFile& data) {
    auto listed = ListedRecords::open(data);
    if (!listed)
        return listed.error();
    listed_ = std::move(*listed);
    return {};
}

bool FileResultTable::lists(std::int32_t n) const {
    return std::binary_search(records_.begin(), records_.end(), n);
}

void FileResultTable::keepBeforeOverwrite(std::int32_t n) {
    if (lists(n))
        listed_.keepBeforeOverwrite(n);
}

const std::uint8_t* FileResultTable::storedRecord(std::size_t stored) const {
    return listed_.record(records_[stored]);
}

} // namespace zelt
