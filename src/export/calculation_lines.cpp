#include "export/calculation_lines.h"

#include "storage/date_text.h"
#include "storage/field_codec.h"
#include "storage/member_record.h"
#include "storage/number_text.h"
#include "storage/scheme_record.h"

namespace zelt::calculation_lines {

namespace {
void appendValue(std::string& out, std::string_view value) {
    out.append(value);
    out.push_back('\t');
}
void endLine(std::string& out) {
    out.back() = '\r'; // the tab after the last value
    out.push_back('\n');
}
} // namespace

void appendSaleLine(std::string& out, const std::uint8_t* record, const LocaleRules& rules) {
    appendValue(out, formatInt(field::getInt32(record)));
    appendValue(out, formatSingle(field::getSingle(record + 4), rules));
    appendValue(out, formatDate(field::getDouble(record + 8), rules));
    endLine(out);
}

void appendMemberLine(std::string& out, const std::uint8_t* record, const LocaleRules& rules) {
    using M = MemberRecord;
    appendValue(out, formatInt(field::getInt32(record + M::kAffiliateID)));
    appendValue(out, formatInt(field::getInt32(record + M::kRef_ID)));
    appendValue(out, formatInt(field::getInt16(record + M::kAP_ID)));
    appendValue(out, formatDate(field::getDouble(record + M::kDate), rules));
    endLine(out);
}

void appendSchemeLine(std::string& out, const std::uint8_t* record, const LocaleRules& rules) {
    appendValue(out, formatInt(field::getInt16(record + 26)));
    for (int level = 0; level < 8; ++level)
        appendValue(out, formatSingle(field::getSingle(record + 28 + 4 * level), rules));
    appendValue(out, std::string_view(reinterpret_cast<const char*>(record),
                                      SchemeRecord::kTextWidth));
    appendValue(out, formatSingle(field::getSingle(record + 10), rules));
    appendValue(out, formatInt(field::getInt16(record + 14)));
    appendValue(out, std::string_view(reinterpret_cast<const char*>(record + 16),
                                      SchemeRecord::kTextWidth));
    endLine(out);
}

} // namespace zelt::calculation_lines
