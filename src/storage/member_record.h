#pragma once

#include "storage/record_file.h"

#include <cstdint>
#include <string>

namespace zelt {

// One member: 211 bytes in data/affiliates.kvr. Texts are held at their full width, trailing
// blanks included.
struct MemberRecord {
    static constexpr int kLength = 211;
    static constexpr const char* kFileName = "affiliates.kvr";

    std::string Name;     // 20
    std::string Surname;  // 20
    std::string Street;   // 20
    std::string City;     // 20
    std::string Post_Cod; // 10
    std::string Country;  // 20
    std::string Phone;    // 15
    std::string E_mail;   // 30
    std::string URL;      // 30
    std::int32_t AffiliateID = 0;
    std::int32_t Ref_ID = 0;
    std::int32_t Egold_ID = 0;
    std::int16_t AP_ID = 0;
    std::int32_t Level = 0;
    double Date = 0;

    // Field offsets and widths in the record.
    struct Field {
        int offset;
        int width;
    };
    static constexpr Field kName{0, 20}, kSurname{20, 20}, kStreet{40, 20}, kCity{60, 20},
        kPost_Cod{80, 10}, kCountry{90, 20}, kPhone{110, 15}, kE_mail{125, 30}, kURL{155, 30};
    static constexpr int kAffiliateID = 185, kRef_ID = 189, kEgold_ID = 193, kAP_ID = 197,
                         kLevel = 199, kDate = 203;

    static MemberRecord decode(const std::uint8_t* bytes);
    // The 211 bytes; replaced is set when a character could not be stored and became "?".
    RecordBytes encode(bool* replaced = nullptr) const;
};

} // namespace zelt
