#include "export/export_lines.h"

#include "storage/communication_record.h"
#include "storage/field_codec.h"
#include "storage/member_record.h"
#include "storage/scheme_record.h"

namespace zelt::export_lines {

namespace {

void appendRaw(std::string& out, const std::uint8_t* record, int offset, int width) {
    out.append(reinterpret_cast<const char*>(record + offset), static_cast<std::size_t>(width));
    out.push_back(';');
}
void appendText(std::string& out, std::string_view text) {
    out.append(text);
    out.push_back(';');
}
void appendInt(std::string& out, std::int64_t value, const ValueText& values) {
    values.appendInt(out, value);
    out.push_back(';');
}
void appendSingle(std::string& out, const std::uint8_t* field, const ValueText& values) {
    values.appendSingle(out, field::getSingle(field));
    out.push_back(';');
}
void appendDate(std::string& out, const std::uint8_t* field, ValueText& values) {
    values.appendDate(out, field::getDouble(field));
    out.push_back(';');
}
void endLine(std::string& out, std::string_view lastValue) {
    out.append(lastValue);
    out += "\r\n";
}

} // namespace

void appendSaleLine(std::string& out, const std::uint8_t* record, ValueText& values) {
    appendInt(out, field::getInt32(record), values);
    appendSingle(out, record + 4, values);
    values.appendDate(out, field::getDouble(record + 8));
    out += "\r\n";
}

void appendMemberLine(std::string& out, const std::uint8_t* record, std::string_view additionalInfo,
                      ValueText& values) {
    using M = MemberRecord;
    for (const M::Field& text : {M::kName, M::kSurname, M::kStreet, M::kCity, M::kPost_Cod,
                                 M::kCountry, M::kPhone, M::kE_mail, M::kURL})
        appendRaw(out, record, text.offset, text.width);
    appendInt(out, field::getInt32(record + M::kAffiliateID), values);
    appendInt(out, field::getInt32(record + M::kRef_ID), values);
    appendInt(out, field::getInt32(record + M::kEgold_ID), values);
    appendInt(out, field::getInt32(record + M::kLevel), values);
    appendInt(out, field::getInt16(record + M::kAP_ID), values);
    appendDate(out, record + M::kDate, values);
    endLine(out, additionalInfo);
}

void appendCommunicationLine(std::string& out, const std::uint8_t* record,
                             const CommunicationTexts& texts, ValueText& values) {
    appendInt(out, field::getInt32(record), values);
    appendRaw(out, record, 4, CommunicationRecord::kSubjectWidth);
    appendText(out, texts.message);
    appendDate(out, record + 34, values);
    appendText(out, texts.response);
    appendDate(out, record + 42, values);
    endLine(out, texts.comments);
}

void appendSchemeLine(std::string& out, const std::uint8_t* record, std::string_view exportDay,
                      ValueText& values) {
    for (int level = 0; level < 8; ++level)
        appendSingle(out, record + 28 + 4 * level, values);
    appendSingle(out, record + 10, values);
    appendInt(out, field::getInt16(record + 14), values);
    appendInt(out, field::getInt16(record + 26), values);
    appendRaw(out, record, 0, SchemeRecord::kTextWidth);
    appendRaw(out, record, 16, SchemeRecord::kTextWidth);
    endLine(out, exportDay);
}

} // namespace zelt::export_lines
