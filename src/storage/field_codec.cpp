#include "storage/field_codec.h"

#include "storage/code_page.h"

#include <algorithm>

namespace zelt::field {

std::string getText(const std::uint8_t* p, std::size_t width) {
    return decodeCp1252(std::string_view(reinterpret_cast<const char*>(p), width));
}

bool putText(std::uint8_t* p, std::size_t width, std::string_view utf8) {
    // Every character encodes to one byte, so cutting the bytes cuts the characters.
    const EncodedText encoded = encodeCp1252(utf8);
    const std::size_t kept = std::min(width, encoded.bytes.size());
    std::copy_n(encoded.bytes.begin(), kept, p);
    std::fill(p + kept, p + width, std::uint8_t{' '});
    return encoded.replaced;
}

} // namespace zelt::field
