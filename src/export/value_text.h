#pragma once

#include "export/date_text_cache.h"
#include "storage/locale_rules.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zelt {

// How an export makes the texts of its values. Both ways give the same bytes: Plain calls the
// general formatters for every value; Fast copies the text of a date seen before and writes
// plain single-precision numbers without the general machinery.
enum class FormatPath { Plain, Fast };

// The texts of the values of one export's lines, under the rules in force when it started.
class ValueText {
public:
    ValueText(const LocaleRules& rules, FormatPath path);

    const LocaleRules& rules() const { return rules_; }

    void appendInt(std::string& out, std::int64_t value) const;
    void appendSingle(std::string& out, float value) const;
    void appendDate(std::string& out, double serial);

private:
    LocaleRules rules_;
    FormatPath path_;
    std::optional<DateTextCache> dates_; // Fast only
};

} // namespace zelt
