#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace zelt {

// Numbers the distinct texts of a column: the first text seen gets 0, the next new one 1, and
// so on. Each distinct text is copied once into blocks of its own, so the texts handed to idOf
// need not outlive the call. An open-addressing table of four bytes a slot keeps a million
// distinct texts within a few megabytes.
class DistinctTexts {
public:
    explicit DistinctTexts(std::size_t expectedTexts);

    std::uint32_t idOf(std::string_view text);
    const std::vector<std::string_view>& texts() const { return texts_; }

private:
    void grow();
    std::string_view kept(std::string_view text);

    std::vector<std::string_view> texts_;
    std::vector<std::uint32_t> slots_; // id + 1, 0 for an empty slot
    std::size_t mask_ = 0;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockUsed_ = 0;
    std::size_t blockSize_ = 0;
};

} // namespace zelt
