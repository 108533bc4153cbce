#pragma once

#include "search/listed_records.h"
#include "search/result_table.h"
#include "storage/record_file.h"

#include <cstdint>
#include <vector>

namespace zelt {

// A result table whose rows are records of a data file: it keeps the numbers of the listed
// records, in the order found (rising), and reads a record again whenever one of its cells or
// sort keys is wanted. A cell whose record cannot be read shows empty (column 0, the record
// number, excepted: it is kept, not read).
class FileResultTable : public ResultTable {
public:
    // Opens the handle through which the rows are read, on the file that was searched.
    Status readFrom(const RecordFile& data);
    // Address space for up to this many rows, before a search of that many records; only the
    // part that rows fill is ever touched.
    void reserve(std::size_t rows) { records_.reserve(rows); }
    // Whether record n is listed.
    bool lists(std::int32_t n) const;
    void keepBeforeOverwrite(std::int32_t n) override;

protected:
    explicit FileResultTable(LocaleRules rules) : ResultTable(std::move(rules)) {}

    // Lists record n; records are listed in rising order.
    void append(std::int32_t n) {
        records_.push_back(n);
        rowStored();
    }
    // Lists record n with the given bytes, not read from any file.
    void append(std::int32_t n, const std::uint8_t* record, std::size_t length) {
        listed_.keep(n, record, length);
        append(n);
    }
    // The listed record's bytes as the search found them (valid until the next call), nullptr
    // when it cannot be read.
    const std::uint8_t* storedRecord(std::size_t stored) const;
    std::int32_t storedRecordNumber(std::size_t stored) const override { return records_[stored]; }

private:
    std::vector<std::int32_t> records_;
    mutable ListedRecords listed_;
};

} // namespace zelt
