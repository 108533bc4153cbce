#include "export/single_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace zelt {

namespace {

constexpr std::uint64_t kPowersOfTen[] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000};

int decimalDigits(std::uint64_t value) {
    int digits = 1;
    while (digits < 10 && value >= kPowersOfTen[digits])
        ++digits;
    return digits;
}

} // namespace

// The value is m / 2^shift exactly (m has the float's 24 significant bits). %.7G rounds the exact
// value to 7 significant digits, half to even, and writes it in plain notation when its decimal
// exponent X (after rounding) lies in -4..6, without trailing zeros. Here the 7 digits are
// round(m * 10^(6 - X) / 2^shift), computed in whole numbers: m < 2^24 and 10^(6 - X) <= 10^10,
// so the product stays below 2^58.
std::size_t fastSingleText(float value, std::string_view decimalSeparator, char* out) {
    if (!std::isfinite(value) || (value == 0.0f && std::signbit(value)))
        return 0;
    char* p = out;
    if (value == 0.0f) {
        *p = '0';
        return 1;
    }
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int biasedExponent = static_cast<int>((bits >> 23) & 0xFF);
    if (biasedExponent == 0)
        return 0; // below 2^-126
    // magnitude = mantissa / 2^shift exactly
    const std::uint64_t mantissa = (bits & 0x7FFFFF) | 0x800000;
    const int shift = 150 - biasedExponent;
    if (shift < 0 || shift > 40) // from 2^24 on, or below 2^-16: outside 10^-4..10^7 anyway
        return 0;
    if (value < 0)
        *p++ = '-';
    if ((mantissa & ((std::uint64_t{1} << shift) - 1)) == 0) { // a whole number
        const std::uint64_t whole = mantissa >> shift;
        if (whole >= kPowersOfTen[7])
            return 0;
        p = std::to_chars(p, p + 8, static_cast<std::uint32_t>(whole)).ptr; // at most 7 digits
        return static_cast<std::size_t>(p - out);
    }

    int exponent = 0; // X: 10^X <= magnitude < 10^(X + 1)
    if (const std::uint64_t whole = mantissa >> shift; whole > 0) {
        exponent = decimalDigits(whole) - 1;
    } else {
        exponent = -1;
        while (mantissa * kPowersOfTen[-exponent] < (std::uint64_t{1} << shift)) {
            if (--exponent < -4)
                return 0;
        }
    }

    const std::uint64_t scaled = mantissa * kPowersOfTen[6 - exponent];
    std::uint64_t digits = scaled >> shift;
    const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (digits & 1) != 0))
        ++digits;
    if (digits == kPowersOfTen[7]) { // rounded up to the next power of ten
        digits = kPowersOfTen[6];
        ++exponent;
    }
    if (exponent > 6 || digits < kPowersOfTen[6] || digits >= kPowersOfTen[7])
        return 0;

    char text[7];
    for (int i = 6; i >= 0; --i) {
        text[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    int used = 7;
    while (text[used - 1] == '0')
        --used; // the first digit is not zero
    if (exponent >= 0) {
        const int wholeDigits = exponent + 1;
        p = std::copy(text, text + wholeDigits, p);
        if (used > wholeDigits) {
            p = std::copy(decimalSeparator.begin(), decimalSeparator.end(), p);
            p = std::copy(text + wholeDigits, text + used, p);
        }
    } else {
        *p++ = '0';
        p = std::copy(decimalSeparator.begin(), decimalSeparator.end(), p);
        p = std::fill_n(p, -exponent - 1, '0');
        p = std::copy(text, text + used, p);
    }
    return static_cast<std::size_t>(p - out);
}

} // namespace zelt
