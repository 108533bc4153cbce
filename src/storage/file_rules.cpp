#include "storage/file_rules.h"

#include "storage/code_page.h"

#include <optional>
#include <string_view>

namespace zelt {

namespace {

// Length of the UTF-8 mark at the start of text that shows nothing but steers the direction or
// joining of the text around it (U+061C, U+200B to U+200F, U+202A to U+202E, U+2066 to U+2069,
// U+FEFF); 0 when there is none.
std::size_t invisibleMarkAt(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (text.size() >= 2 && byte(0) == 0xD8 && byte(1) == 0x9C)
        return 2;
    if (text.size() < 3)
        return 0;
    if (byte(0) == 0xE2 && byte(1) == 0x80 &&
        ((byte(2) >= 0x8B && byte(2) <= 0x8F) || (byte(2) >= 0xAA && byte(2) <= 0xAE)))
        return 3;
    if (byte(0) == 0xE2 && byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9)
        return 3;
    if (byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF)
        return 3;
    return 0;
}

// A UTF-8 text as Windows-1252 bytes without its invisible marks; no value when a character
// cannot be stored or nothing is left.
std::optional<std::string> fileText(std::string_view utf8) {
    std::string visible;
    for (std::size_t i = 0; i < utf8.size();) {
        if (const std::size_t mark = invisibleMarkAt(utf8.substr(i))) {
            i += mark;
            continue;
        }
        visible.push_back(utf8[i++]);
    }
    EncodedText encoded = encodeCp1252(visible);
    if (encoded.replaced || encoded.bytes.empty())
        return std::nullopt;
    return std::move(encoded.bytes);
}

} // namespace

LocaleRules fileRules(const LocaleRules& locale) {
    LocaleRules rules = locale;
    const std::optional<std::string> am = fileText(locale.amText);
    const std::optional<std::string> pm = fileText(locale.pmText);
    rules.amText = am && pm ? *am : "AM";
    rules.pmText = am && pm ? *pm : "PM";
    rules.decimalSeparator = fileText(locale.decimalSeparator).value_or(".");
    rules.dateSeparator = fileText(locale.dateSeparator).value_or("/");
    rules.timeSeparator = fileText(locale.timeSeparator).value_or(":");
    rules.groupSeparator = fileText(locale.groupSeparator).value_or("");
    if (rules.groupSeparator == rules.decimalSeparator)
        rules.groupSeparator.clear();
    return rules;
}

} // namespace zelt
