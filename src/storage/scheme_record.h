#pragma once

#include "storage/record_file.h"

#include <array>
#include <cstdint>
#include <string>

namespace zelt {

// One payment scheme: 60 bytes in data/apsettings.kvr; record n holds scheme n.
struct SchemeRecord {
    static constexpr int kLength = 60;
    static constexpr const char* kFileName = "apsettings.kvr";
    static constexpr int kTextWidth = 10;

    std::string Type_of_payment; // 10 characters, trailing blanks included
    float MinPayment = 0;
    std::int16_t Periodicity = 0;
    std::string Unit; // 10 characters, trailing blanks included
    std::int16_t Scheme = 0;
    std::array<float, 8> Level{}; // Level[0] is Level1 ... Level[7] is Level8

    static SchemeRecord decode(const std::uint8_t* bytes);
    RecordBytes encode(bool* replaced = nullptr) const;
};

} // namespace zelt
