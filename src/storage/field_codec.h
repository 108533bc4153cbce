#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Explicit little-endian encoding of record fields at their offsets; never a struct copied from
// memory.
namespace zelt::field {

inline std::int16_t getInt16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}
inline std::int32_t getInt32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                                     (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24));
}
inline std::uint64_t getUInt64(const std::uint8_t* p) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}
inline float getSingle(const std::uint8_t* p) {
    const std::uint32_t bits = static_cast<std::uint32_t>(getInt32(p));
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}
inline double getDouble(const std::uint8_t* p) {
    const std::uint64_t bits = getUInt64(p);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

inline void putInt16(std::uint8_t* p, std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    p[0] = static_cast<std::uint8_t>(u);
    p[1] = static_cast<std::uint8_t>(u >> 8);
}
inline void putInt32(std::uint8_t* p, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}
inline void putSingle(std::uint8_t* p, float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    putInt32(p, static_cast<std::int32_t>(bits));
}
inline void putDouble(std::uint8_t* p, double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// A fixed-width text: the field's bytes decoded from Windows-1252, all width characters.
std::string getText(const std::uint8_t* p, std::size_t width);
// Stores a UTF-8 text in a field of the given width: encoded, cut to width characters or padded
// with blanks. Returns true when a character could not be stored and became "?".
bool putText(std::uint8_t* p, std::size_t width, std::string_view utf8);

} // namespace zelt::field
