#pragma once

#include "fuzz_check.h"

#include "storage/code_page.h"
#include "storage/side_text.h"

// Side texts: the input is the content of a side file. Decoding keeps every byte, an unchanged
// text is written back to the same bytes, and flattening for the exports leaves no line break.
namespace zelt::fuzz {

namespace side_text_checks {

inline void flattened(Findings& f, const std::string& text) {
    const std::string flat = flattenLineBreaks(text);
    f.expect(flat.find("\r\n") == std::string::npos, "flattenLineBreaks left a CR LF", flat);
    std::size_t pairs = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++pairs;
    f.expect(flat.size() == text.size() - pairs, "flattenLineBreaks changed more than CR LF", flat);
}

} // namespace side_text_checks

inline Findings checkSideText(const std::uint8_t* data, std::size_t size) {
    using namespace side_text_checks;
    Findings f;
    const std::string_view bytes = asText(data, size);

    // The whole file decoded encodes back to the very bytes.
    const std::string whole = decodeCp1252(bytes);
    f.expect(characterCount(whole) == size, "decoding did not give one character a byte");
    const EncodedText again = encodeCp1252(whole);
    f.expect(again.bytes == bytes, "decode then encode changed the bytes", again.bytes);
    f.expect(!again.replaced, "decoded text holds a character that cannot be stored");

    // As an editor shows it (without the final CR LF) and saves it unchanged (adding CR LF).
    std::string shown = whole;
    if (shown.ends_with("\r\n"))
        shown.resize(shown.size() - 2);
    const std::string saved = encodeCp1252(shown).bytes + "\r\n";
    if (bytes.ends_with("\r\n"))
        f.expect(saved == bytes, "an unchanged side text is saved to other bytes", saved);
    else
        f.expect(saved == std::string(bytes) + "\r\n", "saving added more than one CR LF", saved);

    // A field cut to n characters is the first n bytes.
    const std::size_t cut = size / 2;
    f.expect(encodeCp1252(firstCharacters(whole, cut)).bytes == bytes.substr(0, cut),
             "firstCharacters is not the first bytes");

    // The exports flatten both the stored bytes and decoded texts.
    flattened(f, std::string(bytes));
    flattened(f, whole);

    // Any text, even one that is not UTF-8, encodes to at most one byte a byte, and the result
    // survives a further decode and encode.
    const EncodedText typed = encodeCp1252(bytes);
    f.expect(typed.bytes.size() <= size, "encoding grew the text", typed.bytes);
    f.expect(encodeCp1252(decodeCp1252(typed.bytes)).bytes == typed.bytes,
             "encoded text does not survive decode and encode", typed.bytes);
    return f;
}

} // namespace zelt::fuzz
