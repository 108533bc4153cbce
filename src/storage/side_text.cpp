#include "storage/side_text.h"

#include "storage/code_page.h"
#include "storage/file_system.h"
#include "storage/whole_file_writer.h"

namespace zelt {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
} // namespace

Result<std::string> readSideTextWhole(const std::string& path) {
    auto bytes = fs::readWhole(path);
    if (!bytes) {
        if (bytes.error().isMissing())
            return std::string();
        return bytes.error();
    }
    return decodeCp1252(*bytes);
}

Result<std::string> readSideText(const std::string& path) {
    auto text = readSideTextWhole(path);
    if (text && text->ends_with(kLineEnd))
        text->resize(text->size() - kLineEnd.size());
    return text;
}

Status writeSideText(const std::string& path, const std::string& text, bool* replaced) {
    EncodedText encoded = encodeCp1252(text);
    if (replaced)
        *replaced = encoded.replaced;
    encoded.bytes.append(kLineEnd);
    return writeWholeFile(path, encoded.bytes);
}

std::string flattenLineBreaks(const std::string& text) {
    std::string flat;
    flat.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            flat += ' ';
            ++i;
        } else {
            flat += text[i];
        }
    }
    return flat;
}

} // namespace zelt
