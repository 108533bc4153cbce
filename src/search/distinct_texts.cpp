#include "search/distinct_texts.h"

#include <algorithm>
#include <functional>

namespace zelt {

namespace {
std::size_t slotCountFor(std::size_t texts) {
    std::size_t slots = 16;
    while (slots < texts * 2)
        slots *= 2;
    return slots;
}
} // namespace

DistinctTexts::DistinctTexts(std::size_t expectedTexts)
    : slots_(slotCountFor(expectedTexts)), mask_(slots_.size() - 1) {}

std::uint32_t DistinctTexts::idOf(std::string_view text) {
    std::size_t slot = std::hash<std::string_view>{}(text)&mask_;
    while (slots_[slot] != 0) {
        const std::uint32_t id = slots_[slot] - 1;
        if (texts_[id] == text)
            return id;
        slot = (slot + 1) & mask_;
    }
    const auto id = static_cast<std::uint32_t>(texts_.size());
    texts_.push_back(kept(text));
    slots_[slot] = id + 1;
    if (texts_.size() * 2 > slots_.size())
        grow();
    return id;
}

std::string_view DistinctTexts::kept(std::string_view text) {
    constexpr std::size_t kBlock = std::size_t{1} << 20;
    if (text.empty())
        return {};
    if (blocks_.empty() || blockSize_ - blockUsed_ < text.size()) {
        blockSize_ = std::max(kBlock, text.size());
        blocks_.push_back(std::make_unique<char[]>(blockSize_));
        blockUsed_ = 0;
    }
    char* at = blocks_.back().get() + blockUsed_;
    std::copy(text.begin(), text.end(), at);
    blockUsed_ += text.size();
    return {at, text.size()};
}

void DistinctTexts::grow() {
    slots_.assign(slots_.size() * 2, 0);
    mask_ = slots_.size() - 1;
    for (std::uint32_t id = 0; id < texts_.size(); ++id) {
        std::size_t slot = std::hash<std::string_view>{}(texts_[id]) & mask_;
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask_;
        slots_[slot] = id + 1;
    }
}

} // namespace zelt
