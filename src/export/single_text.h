#pragma once

#include <cstddef>
#include <string_view>

// A short way to the text of a single-precision number for the exports, giving exactly what
// formatSingle gives (C's %.7G with the locale's decimal separator) for the values it takes on.
namespace zelt {

// Room that fastSingleText may use besides the decimal separator.
inline constexpr std::size_t kFastSingleRoom = 16;

// Writes the text of value to out (which holds kFastSingleRoom + decimalSeparator.size() bytes)
// and returns its length. Returns 0, having written nothing of use, for the values it leaves to
// formatSingle: not finite, negative zero, below 10^-4 or from 10^7 on (exponent forms).
std::size_t fastSingleText(float value, std::string_view decimalSeparator, char* out);

} // namespace zelt
