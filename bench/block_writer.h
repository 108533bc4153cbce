#pragma once

#include "storage/file_system.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::bench {

// Builds a file's bytes in memory and writes them in large blocks, one positioned write per
// block, through the program's file layer.
class BlockWriter {
public:
    static Result<BlockWriter> create(const std::string& path);

    Status append(std::string_view bytes);
    Status append(const std::vector<std::uint8_t>& bytes);
    Status finish(); // writes what is left and closes the file

private:
    Status flush();

    fs::File file_;
    std::string buffer_;
    std::uint64_t written_ = 0;
};

// Writes a small file whole (a side text), replacing any file of that name.
Status writeSmallFile(const std::string& path, std::string_view bytes);

} // namespace zelt::bench
