#pragma once

#include "storage/whole_file_writer.h"

#include <cstddef>
#include <string>

namespace zelt {

// An export's lines, gathered into blocks of about 1 MiB that go to the writer whole: the memory
// stays bounded and the writer sees few large appends instead of one per line.
class BlockOutput {
public:
    explicit BlockOutput(WholeFileWriter& writer) : writer_(writer) {
        block_.reserve(kBlock + kBlock / 8);
    }

    // Where the next lines are appended.
    std::string& lines() { return block_; }

    // Whether the gathered lines fill a block and should be flushed.
    bool full() const { return block_.size() >= kBlock; }

    Status flush() {
        if (block_.empty())
            return {};
        Status appended = writer_.append(block_);
        block_.clear();
        return appended;
    }

private:
    static constexpr std::size_t kBlock = std::size_t{1} << 20;
    WholeFileWriter& writer_;
    std::string block_;
};

} // namespace zelt
