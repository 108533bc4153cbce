#pragma once

#include <string>
#include <string_view>

// Texts in the program's files are Windows-1252, one byte a character. In memory texts are
// UTF-8. Every byte decodes: the five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for U+0081 and so on, and encode back to themselves, so a text read and
// written unchanged keeps its bytes.
namespace zelt {

std::string decodeCp1252(std::string_view bytes);

struct [[nodiscard]] EncodedText {
    std::string bytes;
    bool replaced = false; // some character could not be stored and became "?"
};
EncodedText encodeCp1252(std::string_view utf8);

// Number of characters (code points) of a UTF-8 text.
std::size_t characterCount(std::string_view utf8);
// The first n characters of a UTF-8 text.
std::string firstCharacters(std::string_view utf8, std::size_t n);

} // namespace zelt
