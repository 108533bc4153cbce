#pragma once

#include <string_view>

// What the conversions and the searches share about the text the operator typed.
namespace zelt {

inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text without the blanks and tabs around it.
inline std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace zelt
