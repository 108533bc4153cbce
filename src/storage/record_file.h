#pragma once

#include "storage/file_system.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelt {

using RecordBytes = std::vector<std::uint8_t>;

// Number of records in a file of the given length: length / recordLength rounded to the nearest
// whole number, ties to even (16-byte records: 24 bytes give 2, 40 bytes 2, 56 bytes 4).
// Clamped to the 32-bit range.
std::int32_t recordCountForLength(std::uint64_t length, int recordLength);

// A file of fixed-length records with no header; record n (from 1) at byte (n - 1) * length.
// Several RecordFiles may be open on one file; every write is at once visible to all of them.
class RecordFile {
public:
    RecordFile() = default;
    RecordFile(RecordFile&&) = default;
    RecordFile& operator=(RecordFile&&) = default;

    // Opens for reading and writing; a missing file is created empty.
    static Result<RecordFile> open(const std::string& path, int recordLength);
    // Opens an existing file for reading only (no file is created).
    static Result<RecordFile> openForReading(const std::string& path, int recordLength);

    bool isOpen() const { return file_.isOpen(); }
    const std::string& path() const { return file_.path(); }
    int recordLength() const { return recordLength_; }
    void close() { file_.close(); }

    Result<std::int32_t> count();

    // Record n. No value when the record lies wholly past the end of the file (or n < 1); the
    // part of a record that lies partly past the end reads as zeros.
    Result<std::optional<RecordBytes>> read(std::int32_t n);

    // Writes record n in one positioned write of the whole record and pushes it to the disk.
    // Writing record count + 1 extends the file by one record; an append that fails part-way
    // (a full disk) is cut off again, leaving the file as it was.
    Status write(std::int32_t n, const RecordBytes& record);

    // Reads records first..last in large blocks and calls visit for each stored one, in order.
    // Records wholly past the end are not visited; a partial last record is zero-filled.
    // visit returns false to stop early.
    using Visitor = std::function<bool(std::int32_t n, const std::uint8_t* record)>;
    Status scan(std::int32_t first, std::int32_t last, const Visitor& visit);

    // As scan, a block of records at a time: visit gets the number of the block's first record,
    // its records one after the other and their count, with the same reads as scan makes.
    using BlockVisitor =
        std::function<bool(std::int32_t first, const std::uint8_t* records, std::size_t count)>;
    Status scanBlocks(std::int32_t first, std::int32_t last, const BlockVisitor& visit);

private:
    static Result<RecordFile> openIn(fs::OpenMode mode, const std::string& path, int recordLength);

    fs::File file_;
    int recordLength_ = 0;
};

} // namespace zelt
