#pragma once

#include "storage/record_file.h"

#include <cstdint>
#include <string>

namespace zelt {

// One communication: 50 bytes in data/communications.kvr.
struct CommunicationRecord {
    static constexpr int kLength = 50;
    static constexpr const char* kFileName = "communications.kvr";
    static constexpr int kSubjectWidth = 30;

    std::int32_t MemberID = 0;
    std::string Subject; // 30 characters, trailing blanks included
    double Date = 0;
    double Date_R = 0;

    static CommunicationRecord decode(const std::uint8_t* bytes);
    RecordBytes encode(bool* replaced = nullptr) const;
};

} // namespace zelt
