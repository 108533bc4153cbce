#include "block_writer.h"

#include <utility>

namespace zelt::bench {

namespace {
constexpr std::size_t kBlockSize = std::size_t{8} << 20;
}

Result<BlockWriter> BlockWriter::create(const std::string& path) {
    auto file = fs::open(path, fs::OpenMode::WriteNew);
    if (!file)
        return file.error();
    BlockWriter writer;
    writer.file_ = std::move(*file);
    writer.buffer_.reserve(kBlockSize + 4096);
    return writer;
}

Status BlockWriter::append(std::string_view bytes) {
    buffer_.append(bytes);
    return buffer_.size() >= kBlockSize ? flush() : Status{};
}

Status BlockWriter::append(const std::vector<std::uint8_t>& bytes) {
    buffer_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return buffer_.size() >= kBlockSize ? flush() : Status{};
}

Status BlockWriter::flush() {
    if (buffer_.empty())
        return {};
    Status done = fs::writeAt(file_, written_, buffer_.data(), buffer_.size());
    if (!done)
        return done;
    written_ += buffer_.size();
    buffer_.clear();
    return {};
}

Status BlockWriter::finish() {
    Status done = flush();
    file_.close();
    return done;
}

Status writeSmallFile(const std::string& path, std::string_view bytes) {
    auto file = fs::open(path, fs::OpenMode::WriteNew);
    if (!file)
        return file.error();
    return fs::writeAt(*file, 0, bytes.data(), bytes.size());
}

} // namespace zelt::bench
