#pragma once

#include "storage/locale_rules.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Numbers typed by the operator and numbers shown, by the locale's rules.
namespace zelt {

// A number as typed: surrounding blanks, sign, digits, the locale's decimal separator (or "."
// where the files write "." for it), an optional exponent; group separators only between groups
// of exactly three digits of the whole part. Anything else: no value.
std::optional<double> parseNumber(std::string_view text, const LocaleRules& rules);

// Whole numbers: the number rounded half to even, which must fit the type.
std::optional<std::int32_t> parseInt32(std::string_view text, const LocaleRules& rules);
std::optional<std::int16_t> parseInt16(std::string_view text, const LocaleRules& rules);
// Single precision: finite and within range after rounding to single.
std::optional<float> parseSingle(std::string_view text, const LocaleRules& rules);

// As C's %.7G with the locale's decimal separator (10.5, 0, 1.234568E+07); never a group
// separator. An infinite or NaN value gives an empty text.
std::string formatSingle(float value, const LocaleRules& rules);

std::string formatInt(std::int64_t value);

} // namespace zelt
