#pragma once

#include "export/value_text.h"

#include <cstdint>
#include <string>
#include <string_view>

// The tab-separated lines of the files for calculations.
namespace zelt::calculation_lines {

inline constexpr std::string_view kSaleHeader = "Member's ID\tSum\tDate\r\n";
inline constexpr std::string_view kMemberHeader =
    "Member's ID\tRefference ID\tPayment Sheme ID\tDate\r\n";
inline constexpr std::string_view kSchemeHeader =
    "Scheme\tLevel 1\tLevel 2\tLevel 3\tLevel 4\tLevel 5\tLevel 6\tLevel 7\tLevel 8\tPayment\t"
    "MinPaym\tPeriod\tUnit\r\n";

void appendSaleLine(std::string& out, const std::uint8_t* record, ValueText& values);
void appendMemberLine(std::string& out, const std::uint8_t* record, ValueText& values);
void appendSchemeLine(std::string& out, const std::uint8_t* record, ValueText& values);

} // namespace zelt::calculation_lines
