#include "search/listed_records.h"

#include <algorithm>

namespace zelt {

namespace {
constexpr std::size_t kBlockBytes = std::size_t{256} << 10;
} // namespace

Result<ListedRecords> ListedRecords::open(const RecordFile& data) {
    auto file = fs::open(data.path(), fs::OpenMode::ReadOnly);
    if (!file)
        return file.error();
    ListedRecords listed;
    listed.file_ = std::move(*file);
    listed.length_ = static_cast<std::size_t>(std::max(1, data.recordLength()));
    listed.perBlock_ = std::max<std::size_t>(1, kBlockBytes / listed.length_);
    return listed;
}

const std::uint8_t* ListedRecords::record(std::int32_t n) {
    if (!kept_.empty()) {
        const auto found = kept_.find(n);
        if (found != kept_.end())
            return found->second.empty() ? nullptr : found->second.data();
    }
    return fromFile(n);
}

void ListedRecords::keepBeforeOverwrite(std::int32_t n) {
    if (kept_.count(n))
        return;
    const std::uint8_t* bytes = fromFile(n);
    RecordBytes& kept = kept_[n];
    if (bytes)
        kept.assign(bytes, bytes + length_);
}

const std::uint8_t* ListedRecords::fromFile(std::int32_t n) {
    if (n < 1 || !file_.isOpen())
        return nullptr;
    const auto index = static_cast<std::uint64_t>(n - 1) / perBlock_;
    const auto within = static_cast<std::size_t>(static_cast<std::uint64_t>(n - 1) % perBlock_);
    Block& block = blocks_[index % kBlocks];
    if (block.index != static_cast<std::int64_t>(index)) {
        block.index = -1;
        block.bytes.resize(perBlock_ * length_);
        const auto got =
            fs::readAt(file_, index * perBlock_ * length_, block.bytes.data(), block.bytes.size());
        if (!got)
            return nullptr;
        // A record that lies partly past the end of the file reads as zeros there.
        std::fill(block.bytes.begin() + static_cast<std::ptrdiff_t>(*got), block.bytes.end(),
                  std::uint8_t{0});
        block.records = (*got + length_ - 1) / length_;
        block.index = static_cast<std::int64_t>(index);
    }
    return within < block.records ? block.bytes.data() + within * length_ : nullptr;
}

} // namespace zelt
