#pragma once

#include "storage/fs_error.h"

#include <cstdint>
#include <string>

// Writes a program folder full of made-up but well-formed data: members, sales, payments,
// communications and payment schemes in their exact record layouts, optionally with side files.
namespace zelt::bench {

struct GeneratorOptions {
    std::string dir; // the program folder; data/ (and addinfo/, comm/) go below it
    std::int32_t members = 10000;
    std::int64_t sales = -1;          // -1: twice the members
    std::int64_t payments = -1;       // -1: as many as the members
    std::int64_t communications = -1; // -1: a fifth of the members
    std::int32_t schemes = 5;
    std::uint64_t seed = 1;
    bool sideFiles = false; // additional info, sale and payment details, message files
    bool sameName = false;  // every member gets the same first name (kSameName)

    std::int64_t saleCount() const { return sales < 0 ? 2 * std::int64_t{members} : sales; }
    std::int64_t paymentCount() const { return payments < 0 ? members : payments; }
    std::int64_t communicationCount() const {
        return communications < 0 ? members / 5 : communications;
    }
};

// The first name of every member in the same-name mode.
inline constexpr const char* kSameName = "Alexander";

// Member dates lie in these 25 years.
inline constexpr int kFirstYear = 1999;
inline constexpr int kLastYear = 2023;

Status generateAppFolder(const GeneratorOptions& options);

} // namespace zelt::bench
