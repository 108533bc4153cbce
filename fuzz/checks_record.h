#pragma once

#include "record_fields.h"

#include "export/calculation_lines.h"
#include "export/export_lines.h"
#include "search/communication_result_table.h"
#include "search/member_result_table.h"
#include "search/sale_result_table.h"
#include "storage/communication_record.h"
#include "storage/member_record.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"

#include <vector>

// Records read from damaged files. The input's first byte chooses the record kind (member, sale,
// payment, communication, scheme) and the locale; the rest is up to four stored records, the
// last one zero-filled as a short read is. Each record decodes and encodes back to its bytes, and
// every field shows in the grid, the editor and the exports as a text that reads back.
namespace zelt::fuzz {

namespace record_checks {

using namespace record_fields;
using Records = std::vector<RecordBytes>;

inline std::string joined(std::initializer_list<std::string_view> values, char separator) {
    std::string line;
    for (const std::string_view value : values) {
        line.append(value);
        line.push_back(separator);
    }
    line.back() = '\r';
    line.push_back('\n');
    return line;
}

inline void members(Findings& f, const Records& records, const LocaleRules& rules) {
    using M = MemberRecord;
    using C = MemberResultTable;
    MemberResultTable table(rules);
    ValueText values(rules, FormatPath::Fast); // the exports' own way, against the formatters
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::uint8_t* p = records[i].data();
        const M m = M::decode(p);
        bool replaced = true;
        f.expect(m.encode(&replaced) == records[i] && !replaced, "member does not encode back");
        table.append(static_cast<std::int32_t>(i + 1), p);

        const std::string date = formatDate(m.Date, rules);
        const std::string_view info = "info";
        std::string exported;
        export_lines::appendMemberLine(exported, p, info, values);
        std::string line;
        for (const M::Field& text : {M::kName, M::kSurname, M::kStreet, M::kCity, M::kPost_Cod,
                                     M::kCountry, M::kPhone, M::kE_mail, M::kURL})
            line.append(storedBytes(p, text.offset, text.width)).push_back(';');
        line += joined({formatInt(m.AffiliateID), formatInt(m.Ref_ID), formatInt(m.Egold_ID),
                        formatInt(m.Level), formatInt(m.AP_ID), date, info},
                       ';');
        f.expect(exported == line, "member export line differs", exported);
        std::string calculation;
        calculation_lines::appendMemberLine(calculation, p, values);
        f.expect(calculation == joined({formatInt(m.AffiliateID), formatInt(m.Ref_ID),
                                        formatInt(m.AP_ID), date},
                                       '\t'),
                 "member calculation line differs", calculation);
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        const std::uint8_t* p = records[static_cast<std::size_t>(row)].data();
        const M m = M::decode(p);
        const std::array<M::Field, 9> texts = {M::kName,  M::kSurname,  M::kStreet,
                                               M::kCity,  M::kPost_Cod, M::kCountry,
                                               M::kPhone, M::kE_mail,   M::kURL};
        for (int column = C::Name; column <= C::URL; ++column) {
            const M::Field text = texts[static_cast<std::size_t>(column - C::Name)];
            textCell(f, table.cell(row, column), storedBytes(p, text.offset, text.width));
        }
        wholeField(f, table.cell(row, C::MemberID), row + 1, rules);
        wholeField(f, table.cell(row, C::Level), m.Level, rules);
        wholeField(f, table.cell(row, C::Ref_ID), m.Ref_ID, rules);
        wholeField(f, table.cell(row, C::Egold_ID), m.Egold_ID, rules);
        wholeField(f, table.cell(row, C::AP_ID), m.AP_ID, rules);
        dateField(f, table.cell(row, C::Date), m.Date, rules);
    }
    gridSorts(f, table);
}

inline void sales(Findings& f, const Records& records, const LocaleRules& rules,
                  SaleGridKind kind) {
    using C = SaleResultTable;
    SaleResultTable table(kind, rules);
    ValueText values(rules, FormatPath::Fast);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::uint8_t* p = records[i].data();
        const SaleRecord s = SaleRecord::decode(p);
        f.expect(s.encode() == records[i], "sale does not encode back");
        table.append(static_cast<std::int32_t>(i + 1), p);

        const std::string id = formatInt(s.MemberID), sum = formatSingle(s.Sum, rules),
                          date = formatDate(s.Date, rules);
        std::string exported, calculation;
        export_lines::appendSaleLine(exported, p, values);
        f.expect(exported == joined({id, sum, date}, ';'), "sale export line differs", exported);
        calculation_lines::appendSaleLine(calculation, p, values);
        f.expect(calculation == joined({id, sum, date}, '\t'), "sale calculation line differs",
                 calculation);
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        const SaleRecord s = SaleRecord::decode(records[static_cast<std::size_t>(row)].data());
        wholeField(f, table.cell(row, C::NofRecord), row + 1, rules);
        wholeField(f, table.cell(row, C::MemberID), s.MemberID, rules);
        singleField(f, table.cell(row, C::Sum), s.Sum, rules);
        dateField(f, table.cell(row, C::Date), s.Date, rules);
    }
    gridSorts(f, table);
}

inline void communications(Findings& f, const Records& records, const LocaleRules& rules) {
    using C = CommunicationResultTable;
    constexpr int kSubject = 4;
    CommunicationResultTable table(rules);
    ValueText values(rules, FormatPath::Fast);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::uint8_t* p = records[i].data();
        const CommunicationRecord c = CommunicationRecord::decode(p);
        bool replaced = true;
        f.expect(c.encode(&replaced) == records[i] && !replaced,
                 "communication does not encode back");
        table.append(static_cast<std::int32_t>(i + 1), p);

        const export_lines::CommunicationTexts texts{"message", "response", "comments"};
        std::string exported;
        export_lines::appendCommunicationLine(exported, p, texts, values);
        const std::string line = joined(
            {formatInt(c.MemberID), storedBytes(p, kSubject, CommunicationRecord::kSubjectWidth),
             texts.message, formatDate(c.Date, rules), texts.response, formatDate(c.Date_R, rules),
             texts.comments},
            ';');
        f.expect(exported == line, "communication export line differs", exported);
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        const std::uint8_t* p = records[static_cast<std::size_t>(row)].data();
        const CommunicationRecord c = CommunicationRecord::decode(p);
        wholeField(f, table.cell(row, C::NofRecord), row + 1, rules);
        wholeField(f, table.cell(row, C::MemberID), c.MemberID, rules);
        textCell(f, table.cell(row, C::Subject),
                 storedBytes(p, kSubject, CommunicationRecord::kSubjectWidth));
        dateField(f, table.cell(row, C::Date), c.Date, rules);
        dateField(f, table.cell(row, C::Date_R), c.Date_R, rules);
    }
    gridSorts(f, table);
}

// Schemes have no grid: the editor shows each field on its own.
inline void schemes(Findings& f, const Records& records, const LocaleRules& rules) {
    using S = SchemeRecord;
    ValueText values(rules, FormatPath::Fast);
    for (const RecordBytes& record : records) {
        const std::uint8_t* p = record.data();
        const S s = S::decode(p);
        bool replaced = true;
        f.expect(s.encode(&replaced) == record && !replaced, "scheme does not encode back");
        const std::string_view type = storedBytes(p, 0, S::kTextWidth);
        const std::string_view unit = storedBytes(p, 16, S::kTextWidth);
        textField(f, s.Type_of_payment, type);
        textField(f, s.Unit, unit);
        singleField(f, formatSingle(s.MinPayment, rules), s.MinPayment, rules);
        wholeField(f, formatInt(s.Periodicity), s.Periodicity, rules);
        wholeField(f, formatInt(s.Scheme), s.Scheme, rules);
        std::vector<std::string> levels;
        for (const float level : s.Level) {
            levels.push_back(formatSingle(level, rules));
            singleField(f, levels.back(), level, rules);
        }

        const std::string_view day = "16.11.2001";
        std::string exported, calculation;
        export_lines::appendSchemeLine(exported, p, day, values);
        const std::string min = formatSingle(s.MinPayment, rules);
        f.expect(exported == joined({levels[0], levels[1], levels[2], levels[3], levels[4],
                                     levels[5], levels[6], levels[7], min, formatInt(s.Periodicity),
                                     formatInt(s.Scheme), type, unit, day},
                                    ';'),
                 "scheme export line differs", exported);
        calculation_lines::appendSchemeLine(calculation, p, values);
        f.expect(calculation == joined({formatInt(s.Scheme), levels[0], levels[1], levels[2],
                                        levels[3], levels[4], levels[5], levels[6], levels[7], type,
                                        min, formatInt(s.Periodicity), unit},
                                       '\t'),
                 "scheme calculation line differs", calculation);
    }
}

} // namespace record_checks

inline Findings checkRecords(const std::uint8_t* data, std::size_t size) {
    using namespace record_checks;
    Findings f;
    if (size == 0)
        return f;
    static constexpr int kLengths[5] = {MemberRecord::kLength, SaleRecord::kLength,
                                        SaleRecord::kLength, CommunicationRecord::kLength,
                                        SchemeRecord::kLength};
    static constexpr const char* kKinds[5] = {"member", "sale", "payment", "communication",
                                              "scheme"};
    const std::size_t kind = data[0] % 5;
    const std::size_t localeIndex = data[0] / 5 % testLocales().size();
    const LocaleRules& rules = testLocales()[localeIndex];
    f.at(std::string(kKinds[kind]) + ", locale " + localeName(localeIndex));

    const auto length = static_cast<std::size_t>(kLengths[kind]);
    Records records;
    for (std::size_t at = 1; at < size && records.size() < 4; at += length) {
        RecordBytes record(length, 0);
        std::copy_n(data + at, std::min(length, size - at), record.begin());
        records.push_back(std::move(record));
    }
    if (records.empty())
        records.emplace_back(length, 0);

    switch (kind) {
    case 0:
        members(f, records, rules);
        break;
    case 1:
    case 2:
        sales(f, records, rules, kind == 1 ? SaleGridKind::Sales : SaleGridKind::Payments);
        break;
    case 3:
        communications(f, records, rules);
        break;
    default:
        schemes(f, records, rules);
        break;
    }
    return f;
}

} // namespace zelt::fuzz
