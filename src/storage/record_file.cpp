#include "storage/record_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace zelt {

namespace {

constexpr std::size_t kScanBlock = std::size_t{1} << 20;

FsError invalidArgument(const char* action, const std::string& path) {
    return FsError{action, path, std::strerror(EINVAL), {}, EINVAL};
}

std::uint64_t offsetOf(std::int32_t n, int recordLength) {
    return static_cast<std::uint64_t>(n - 1) * static_cast<std::uint64_t>(recordLength);
}

} // namespace

std::int32_t recordCountForLength(std::uint64_t length, int recordLength) {
    if (recordLength <= 0)
        return 0;
    const auto divisor = static_cast<std::uint64_t>(recordLength);
    std::uint64_t count = length / divisor;
    const std::uint64_t twiceRest = 2 * (length % divisor);
    if (twiceRest > divisor || (twiceRest == divisor && count % 2 == 1))
        ++count;
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(std::min(count, kMax));
}

Result<RecordFile> RecordFile::open(const std::string& path, int recordLength) {
    return openIn(fs::OpenMode::ReadWriteCreate, path, recordLength);
}

Result<RecordFile> RecordFile::openForReading(const std::string& path, int recordLength) {
    return openIn(fs::OpenMode::ReadOnly, path, recordLength);
}

Result<RecordFile> RecordFile::openIn(fs::OpenMode mode, const std::string& path,
                                      int recordLength) {
    if (recordLength <= 0)
        return invalidArgument("open", path);
    auto file = fs::open(path, mode);
    if (!file)
        return file.error();
    RecordFile records;
    records.file_ = std::move(*file);
    records.recordLength_ = recordLength;
    return records;
}

Result<std::int32_t> RecordFile::count() {
    auto bytes = fs::length(file_);
    if (!bytes)
        return bytes.error();
    return recordCountForLength(*bytes, recordLength_);
}

Result<std::optional<RecordBytes>> RecordFile::read(std::int32_t n) {
    if (n < 1)
        return std::optional<RecordBytes>{};
    RecordBytes record(static_cast<std::size_t>(recordLength_), 0);
    auto got = fs::readAt(file_, offsetOf(n, recordLength_), record.data(), record.size());
    if (!got)
        return got.error();
    if (*got == 0)
        return std::optional<RecordBytes>{};
    // The part past the end of the file stays zero.
    return std::optional<RecordBytes>{std::move(record)};
}

Status RecordFile::write(std::int32_t n, const RecordBytes& record) {
    if (n < 1 || record.size() != static_cast<std::size_t>(recordLength_))
        return invalidArgument("write", path());
    Status written = fs::writeAt(file_, offsetOf(n, recordLength_), record.data(), record.size());
    if (!written)
        return written;
    return fs::sync(file_);
}

Status RecordFile::scan(std::int32_t first, std::int32_t last, const Visitor& visit) {
    const auto length = static_cast<std::size_t>(recordLength_);
    return scanBlocks(
        first, last, [&](std::int32_t n, const std::uint8_t* records, std::size_t count) {
            for (std::size_t i = 0; i < count; ++i)
                if (!visit(static_cast<std::int32_t>(n + std::int64_t(i)), records + i * length))
                    return false;
            return true;
        });
}

Status RecordFile::scanBlocks(std::int32_t first, std::int32_t last, const BlockVisitor& visit) {
    first = std::max(first, std::int32_t{1});
    if (last < first)
        return {};
    const auto length = static_cast<std::size_t>(recordLength_);
    const std::size_t perBlock = std::max<std::size_t>(1, kScanBlock / length);
    std::vector<std::uint8_t> block(perBlock * length);

    std::int64_t n = first;
    while (n <= last) {
        const auto records =
            static_cast<std::size_t>(std::min<std::int64_t>(last - n + 1, std::int64_t(perBlock)));
        const std::size_t wanted = records * length;
        auto got = fs::readAt(file_, offsetOf(static_cast<std::int32_t>(n), recordLength_),
                              block.data(), wanted);
        if (!got)
            return got.error();
        if (*got < wanted)
            std::fill(block.begin() + static_cast<std::ptrdiff_t>(*got),
                      block.begin() + static_cast<std::ptrdiff_t>(wanted), std::uint8_t{0});
        const std::size_t stored = (*got + length - 1) / length; // a partial record counts
        if (stored > 0 && !visit(static_cast<std::int32_t>(n), block.data(), stored))
            return {};
        if (*got < wanted)
            break;
        n += std::int64_t(records);
    }
    return {};
}

} // namespace zelt
