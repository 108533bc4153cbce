#include "search/member_result_table.h"

#include "storage/code_page.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"
#include "storage/member_record.h"
#include "storage/number_text.h"

#include <algorithm>
#include <array>
#include <limits>

namespace zelt {

namespace {

using Field = MemberRecord::Field;

constexpr std::array<Field, 9> kTextFields = {
    MemberRecord::kName,  MemberRecord::kSurname,  MemberRecord::kStreet,
    MemberRecord::kCity,  MemberRecord::kPost_Cod, MemberRecord::kCountry,
    MemberRecord::kPhone, MemberRecord::kE_mail,   MemberRecord::kURL};

constexpr std::array<const char*, MemberResultTable::ColumnCount> kHeadings = {
    "Zelt member's ID", "Name",  "Surname",       "Street", "City",  "Post_Cod",
    "Country",          "Phone", "E_mail",        "URL",    "Level", "Reference's ID",
    "Egold's ID",       "Date",  "Payment Scheme"};

bool isText(int column) {
    return column >= MemberResultTable::Name && column <= MemberResultTable::URL;
}

// The stored bytes of a text field without its trailing blanks.
std::string_view withoutTrailingBlanks(const std::uint8_t* record, Field field) {
    const char* begin = reinterpret_cast<const char*>(record) + field.offset;
    std::size_t length = static_cast<std::size_t>(field.width);
    while (length > 0 && begin[length - 1] == ' ')
        --length;
    return {begin, length};
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A number column's value in the record.
std::int32_t numberIn(const std::uint8_t* record, int column) {
    switch (column) {
    case MemberResultTable::Level:
        return field::getInt32(record + MemberRecord::kLevel);
    case MemberResultTable::Ref_ID:
        return field::getInt32(record + MemberRecord::kRef_ID);
    case MemberResultTable::Egold_ID:
        return field::getInt32(record + MemberRecord::kEgold_ID);
    default:
        return field::getInt16(record + MemberRecord::kAP_ID);
    }
}

} // namespace

MemberResultTable::MemberResultTable(LocaleRules rules) : FileResultTable(std::move(rules)) {}

std::string MemberResultTable::heading(int column) const {
    if (column < 0 || column >= ColumnCount)
        return {};
    return kHeadings[static_cast<std::size_t>(column)];
}

ResultTable::ColumnKind MemberResultTable::columnKind(int column) const {
    if (isText(column))
        return ColumnKind::Text;
    if (column == Date)
        return ColumnKind::Date;
    return ColumnKind::Integer;
}

std::string_view MemberResultTable::storedText(std::size_t stored, int column) const {
    if (!isText(column))
        return {};
    const std::uint8_t* record = storedRecord(stored);
    if (!record)
        return {};
    const std::string_view bytes =
        withoutTrailingBlanks(record, kTextFields[static_cast<std::size_t>(column - Name)]);
    // Most texts are plain ASCII, whose bytes are already their UTF-8.
    if (isAscii(bytes))
        return bytes;
    decoded_ = decodeCp1252(bytes);
    return decoded_;
}

std::string MemberResultTable::storedCell(std::size_t stored, int column) const {
    if (column == MemberID)
        return formatInt(storedRecordNumber(stored));
    if (column < 0 || column >= ColumnCount)
        return {};
    if (isText(column))
        return std::string(storedText(stored, column));
    const std::uint8_t* record = storedRecord(stored);
    if (!record)
        return {};
    if (column == Date)
        return formatDate(field::getDouble(record + MemberRecord::kDate), rules());
    return formatInt(numberIn(record, column));
}

double MemberResultTable::storedValue(std::size_t stored, int column) const {
    if (column == MemberID)
        return storedRecordNumber(stored);
    const std::uint8_t* record = storedRecord(stored);
    if (!record || column < 0 || column >= ColumnCount || isText(column))
        return std::numeric_limits<double>::quiet_NaN();
    if (column == Date)
        return field::getDouble(record + MemberRecord::kDate);
    return numberIn(record, column);
}

} // namespace zelt
