#pragma once

#include "storage/fs_error.h"
#include "storage/record_file.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace zelt {

// The records that a search listed, read from the data file again whenever the grid needs one,
// through a read-only handle of their own: the grid keeps record numbers, not the records. A few
// blocks of neighbouring records are kept, so that cells of one row, the rows on screen and a
// pass over all rows in record order each cost few reads.
//
// Only the editor of the file writes it. Before it overwrites a listed record it says so, and the
// record's bytes as they stood are kept from then on: the grid goes on showing what the search
// found.
class ListedRecords {
public:
    ListedRecords() = default;
    ListedRecords(ListedRecords&&) = default;
    ListedRecords& operator=(ListedRecords&&) = default;

    // Opens the file of the given record file once more, for reading only.
    static Result<ListedRecords> open(const RecordFile& data);

    // The bytes of record n as the search found them, valid until the next call; nullptr when
    // the record cannot be read now (a failed read, a record no longer in the file). Never
    // reports anything.
    const std::uint8_t* record(std::int32_t n);

    // Record n as given, whatever the file holds (a table built from records in memory).
    void keep(std::int32_t n, const std::uint8_t* bytes, std::size_t length) {
        kept_[n].assign(bytes, bytes + length);
    }

    // Record n is about to be overwritten: keeps its present bytes, unless it was kept already.
    // A record whose bytes cannot be read now is kept as unreadable.
    void keepBeforeOverwrite(std::int32_t n);

private:
    static constexpr std::size_t kBlocks = 16;

    struct Block {
        std::int64_t index = -1; // which block of the file it holds; -1 for none
        std::size_t records = 0; // records it holds (the last one perhaps zero-filled)
        std::vector<std::uint8_t> bytes;
    };

    const std::uint8_t* fromFile(std::int32_t n);

    fs::File file_;
    std::size_t length_ = 0; // bytes of a record
    std::size_t perBlock_ = 1;
    std::array<Block, kBlocks> blocks_;
    std::unordered_map<std::int32_t, RecordBytes> kept_; // empty bytes: unreadable
};

} // namespace zelt
