#include "search/member_result_table.h"

#include "storage/code_page.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"
#include "storage/member_record.h"
#include "storage/number_text.h"

#include <algorithm>

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

} // namespace

MemberResultTable::MemberResultTable(LocaleRules rules) : ResultTable(std::move(rules)) {}

void MemberResultTable::reserve(std::size_t rows) {
    rows_.reserve(rows);
    reserveRows(rows);
    // The nine texts take at most 185 bytes of a record, and as many in UTF-8 unless they hold
    // letters beyond ASCII (the arena then grows as it must).
    texts_.reserve(rows * 185);
}

void MemberResultTable::append(std::int32_t recordNumber, const std::uint8_t* record) {
    Row row{};
    row.textOffset = static_cast<std::uint32_t>(texts_.size());
    row.recordNumber = recordNumber;
    for (int i = 0; i < kTexts; ++i) {
        const std::string_view bytes = withoutTrailingBlanks(record, kTextFields[i]);
        // Most texts are plain ASCII, whose bytes are already their UTF-8.
        const TextArena::Ref ref =
            isAscii(bytes) ? texts_.add(bytes) : texts_.add(decodeCp1252(bytes));
        row.textLength[i] = static_cast<std::uint8_t>(ref.length);
    }
    row.level = field::getInt32(record + MemberRecord::kLevel);
    row.refId = field::getInt32(record + MemberRecord::kRef_ID);
    row.egoldId = field::getInt32(record + MemberRecord::kEgold_ID);
    row.apId = field::getInt16(record + MemberRecord::kAP_ID);
    row.date = field::getDouble(record + MemberRecord::kDate);
    rows_.push_back(row);
    rowStored();
}

std::string MemberResultTable::heading(int column) const {
    if (column < 0 || column >= ColumnCount)
        return {};
    return kHeadings[static_cast<std::size_t>(column)];
}

ResultTable::ColumnKind MemberResultTable::columnKind(int column) const {
    if (column >= Name && column <= URL)
        return ColumnKind::Text;
    if (column == Date)
        return ColumnKind::Date;
    return ColumnKind::Integer;
}

std::string_view MemberResultTable::storedText(std::size_t stored, int column) const {
    if (column < Name || column > URL)
        return {};
    const Row& row = rows_[stored];
    std::uint32_t offset = row.textOffset;
    const int index = column - Name;
    for (int i = 0; i < index; ++i)
        offset += row.textLength[static_cast<std::size_t>(i)];
    return texts_.view({offset, row.textLength[static_cast<std::size_t>(index)]});
}

std::string MemberResultTable::storedCell(std::size_t stored, int column) const {
    const Row& row = rows_[stored];
    switch (column) {
    case MemberID:
        return formatInt(row.recordNumber);
    case Level:
        return formatInt(row.level);
    case Ref_ID:
        return formatInt(row.refId);
    case Egold_ID:
        return formatInt(row.egoldId);
    case Date:
        return formatDate(row.date, rules());
    case AP_ID:
        return formatInt(row.apId);
    default:
        return std::string(storedText(stored, column));
    }
}

std::int32_t MemberResultTable::storedRecordNumber(std::size_t stored) const {
    return rows_[stored].recordNumber;
}

double MemberResultTable::storedValue(std::size_t stored, int column) const {
    const Row& row = rows_[stored];
    switch (column) {
    case MemberID:
        return row.recordNumber;
    case Level:
        return row.level;
    case Ref_ID:
        return row.refId;
    case Egold_ID:
        return row.egoldId;
    case Date:
        return row.date;
    case AP_ID:
        return row.apId;
    default:
        return 0;
    }
}

} // namespace zelt
