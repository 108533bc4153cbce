#pragma once

#include "storage/record_file.h"

#include <cstdint>

namespace zelt {

// A sale or a payment: 16 bytes in data/sales.kvr or data/payments.kvr.
struct SaleRecord {
    static constexpr int kLength = 16;

    std::int32_t MemberID = 0;
    float Sum = 0;
    double Date = 0;

    static SaleRecord decode(const std::uint8_t* bytes);
    RecordBytes encode() const;
};

} // namespace zelt
