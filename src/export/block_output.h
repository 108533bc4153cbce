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

    // Hands the gathered lines to the writer once they fill a block.
    Status flushIfFull() { return block_.size() >= kBlock ? flush() : Status(); }

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
