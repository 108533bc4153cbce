#include "export/value_text.h"

#include "export/single_text.h"
#include "storage/date_text.h"
#include "storage/number_text.h"

#include <charconv>

namespace zelt {

namespace {
constexpr std::size_t kSeparatorRoom = 8;
} // namespace

ValueText::ValueText(const LocaleRules& rules, FormatPath path) : rules_(rules), path_(path) {
    if (path_ == FormatPath::Fast)
        dates_.emplace(rules_);
}

void ValueText::appendInt(std::string& out, std::int64_t value) const {
    if (path_ == FormatPath::Plain) {
        out += formatInt(value);
        return;
    }
    char buffer[24];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)error; // 24 bytes hold every 64-bit value
    out.append(buffer, end);
}

void ValueText::appendSingle(std::string& out, float value) const {
    if (path_ == FormatPath::Fast && rules_.decimalSeparator.size() <= kSeparatorRoom) {
        char buffer[kFastSingleRoom + kSeparatorRoom];
        if (const std::size_t length = fastSingleText(value, rules_.decimalSeparator, buffer)) {
            out.append(buffer, length);
            return;
        }
    }
    out += formatSingle(value, rules_);
}

void ValueText::appendDate(std::string& out, double serial) {
    if (dates_)
        dates_->append(out, serial);
    else
        out += formatDate(serial, rules_);
}

} // namespace zelt
