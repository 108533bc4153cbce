#include "export/calculation_lines.h"

#include "storage/field_codec.h"
#include "storage/member_record.h"
#include "storage/scheme_record.h"

namespace zelt::calculation_lines {

namespace {
void appendText(std::string& out, const std::uint8_t* record, int offset) {
    out.append(reinterpret_cast<const char*>(record + offset), SchemeRecord::kTextWidth);
    out.push_back('\t');
}
void appendInt(std::string& out, std::int64_t value, const ValueText& values) {
    values.appendInt(out, value);
    out.push_back('\t');
}
void appendSingle(std::string& out, const std::uint8_t* field, const ValueText& values) {
    values.appendSingle(out, field::getSingle(field));
    out.push_back('\t');
}
void appendDate(std::string& out, const std::uint8_t* field, ValueText& values) {
    values.appendDate(out, field::getDouble(field));
    out.push_back('\t');
}
void endLine(std::string& out) {
    out.back() = '\r'; // the tab after the last value
    out.push_back('\n');
}
} // namespace

void appendSaleLine(std::string& out, const std::uint8_t* record, ValueText& values) {
    appendInt(out, field::getInt32(record), values);
    appendSingle(out, record + 4, values);
    appendDate(out, record + 8, values);
    endLine(out);
}

void appendMemberLine(std::string& out, const std::uint8_t* record, ValueText& values) {
    using M = MemberRecord;
    appendInt(out, field::getInt32(record + M::kAffiliateID), values);
    appendInt(out, field::getInt32(record + M::kRef_ID), values);
    appendInt(out, field::getInt16(record + M::kAP_ID), values);
    appendDate(out, record + M::kDate, values);
    endLine(out);
}

void appendSchemeLine(std::string& out, const std::uint8_t* record, ValueText& values) {
    appendInt(out, field::getInt16(record + 26), values);
    for (int level = 0; level < 8; ++level)
        appendSingle(out, record + 28 + 4 * level, values);
    appendText(out, record, 0);
    appendSingle(out, record + 10, values);
    appendInt(out, field::getInt16(record + 14), values);
    appendText(out, record, 16);
    endLine(out);
}

} // namespace zelt::calculation_lines
