#include "editors/shown_record.h"

#include "editors/field_text.h"
#include "storage/code_page.h"
#include "storage/file_system.h"
#include "storage/number_text.h"

#include <algorithm>
#include <cmath>

namespace zelt {

void ShownRecord::remember(const QList<QWidget*>& fields, const RecordBytes& stored) {
    fields_.clear();
    for (const QWidget* field : fields)
        fields_.push_back({field, shownText(field)});
    stored_ = stored;
}

bool ShownRecord::changed(const QWidget* field) const {
    const auto found = std::find_if(fields_.begin(), fields_.end(),
                                    [field](const Field& shown) { return shown.widget == field; });
    return found == fields_.end() || found->text != shownText(field);
}

bool ShownRecord::anyChanged() const {
    return std::any_of(fields_.begin(), fields_.end(),
                       [](const Field& shown) { return shown.text != shownText(shown.widget); });
}

void ShownRecord::keepStored(const QWidget* field, RecordBytes& record, int offset,
                             int width) const {
    if (!keepsStored(field) || stored_.size() < static_cast<std::size_t>(offset + width) ||
        record.size() < static_cast<std::size_t>(offset + width))
        return;
    std::copy_n(stored_.begin() + offset, width, record.begin() + offset);
}

void ShownRecord::rememberSideFile(const QWidget* field, std::optional<std::string> bytes) {
    sideFiles_[field] = std::move(bytes);
}

const std::optional<std::string>* ShownRecord::sideFile(const QWidget* field) const {
    const auto found = sideFiles_.find(field);
    return found == sideFiles_.end() ? nullptr : &found->second;
}

Result<SideFile> readSideFile(const std::string& path) {
    auto bytes = fs::readWhole(path);
    if (!bytes) {
        if (bytes.error().isMissing())
            return SideFile{};
        return bytes.error();
    }
    SideFile file{*bytes, decodeCp1252(*bytes)};
    if (file.text.ends_with("\r\n"))
        file.text.resize(file.text.size() - 2);
    return file;
}

std::optional<std::string> sumStoredAs(const std::string& typed, const LocaleRules& rules) {
    const auto value = parseNumber(typed, rules);
    const auto stored = parseSingle(typed, rules);
    if (!value || !stored)
        return std::nullopt;
    const std::string written = formatSingle(*stored, rules);
    const auto writtenValue = parseNumber(written, rules);
    if (!writtenValue)
        return written;
    // In cents, with room for the rounding of the two conversions.
    if (std::abs(*writtenValue - *value) * 100 < 0.5 - 1e-6)
        return std::nullopt;
    return written;
}

} // namespace zelt
