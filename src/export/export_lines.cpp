#include "export/export_lines.h"

#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"
#include "storage/member_record.h"
#include "storage/number_text.h"
#include "storage/scheme_record.h"

namespace zelt::export_lines {

namespace {

void appendRaw(std::string& out, const std::uint8_t* record, int offset, int width) {
    out.append(reinterpret_cast<const char*>(record + offset), static_cast<std::size_t>(width));
}

void appendField(std::string& out, std::string_view value, char separator) {
    out.append(value);
    out.push_back(separator);
}

} // namespace

void appendSaleLine(std::string& out, const std::uint8_t* record, const LocaleRules& rules) {
    appendField(out, formatInt(field::getInt32(record)), ';');
    appendField(out, formatSingle(field::getSingle(record + 4), rules), ';');
    out += formatDate(field::getDouble(record + 8), rules);
    out += "\r\n";
}

void appendMemberLine(std::string& out, const std::uint8_t* record,
                      std::string_view additionalInfo, const LocaleRules& rules) {
    using M = MemberRecord;
    for (const M::Field& text : {M::kName, M::kSurname, M::kStreet, M::kCity, M::kPost_Cod,
                                 M::kCountry, M::kPhone, M::kE_mail, M::kURL}) {
        appendRaw(out, record, text.offset, text.width);
        out.push_back(';');
    }
    appendField(out, formatInt(field::getInt32(record + M::kAffiliateID)), ';');
    appendField(out, formatInt(field::getInt32(record + M::kRef_ID)), ';');
    appendField(out, formatInt(field::getInt32(record + M::kEgold_ID)), ';');
    appendField(out, formatInt(field::getInt32(record + M::kLevel)), ';');
    appendField(out, formatInt(field::getInt16(record + M::kAP_ID)), ';');
    appendField(out, formatDate(field::getDouble(record + M::kDate), rules), ';');
    out.append(additionalInfo);
    out += "\r\n";
}

void appendCommunicationLine(std::string& out, const std::uint8_t* record,
                             const CommunicationTexts& texts, const LocaleRules& rules) {
    appendField(out, formatInt(field::getInt32(record)), ';');
    appendRaw(out, record, 4, CommunicationRecord::kSubjectWidth);
    out.push_back(';');
    appendField(out, texts.message, ';');
    appendField(out, formatDate(field::getDouble(record + 34), rules), ';');
    appendField(out, texts.response, ';');
    appendField(out, formatDate(field::getDouble(record + 42), rules), ';');
    out.append(texts.comments);
    out += "\r\n";
}

void appendSchemeLine(std::string& out, const std::uint8_t* record, std::string_view exportDay,
                      const LocaleRules& rules) {
    for (int level = 0; level < 8; ++level)
        appendField(out, formatSingle(field::getSingle(record + 28 + 4 * level), rules), ';');
    appendField(out, formatSingle(field::getSingle(record + 10), rules), ';');
    appendField(out, formatInt(field::getInt16(record + 14)), ';');
    appendField(out, formatInt(field::getInt16(record + 26)), ';');
    appendRaw(out, record, 0, SchemeRecord::kTextWidth);
    out.push_back(';');
    appendRaw(out, record, 16, SchemeRecord::kTextWidth);
    out.push_back(';');
    out.append(exportDay);
    out += "\r\n";
}

} // namespace zelt::export_lines
