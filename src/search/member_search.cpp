#include "search/member_search.h"

#include "storage/code_page.h"
#include "storage/field_codec.h"
#include "storage/member_record.h"
#include "storage/number_text.h"
#include "storage/typed_text.h"

#include <array>
#include <optional>
#include <string>

namespace zelt {

namespace {

// Lower case of every Windows-1252 byte: A to Z, the accented capitals 0xC0 to 0xDE (not the
// multiplication sign 0xD7), and S and Z with caron, ligature OE and Y with diaeresis.
constexpr std::array<std::uint8_t, 256> makeLowerTable() {
    std::array<std::uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c + 0x20);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            table[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c + 0x20);
    table[0x8A] = 0x9A;
    table[0x8C] = 0x9C;
    table[0x8E] = 0x9E;
    table[0x9F] = 0xFF;
    return table;
}

constexpr std::array<std::uint8_t, 256> kLower = makeLowerTable();

// A text filter as the stored bytes it matches, in lower case. A filter holding a character
// that Windows-1252 cannot store matches no stored field.
struct TextFilter {
    bool active = false;
    bool impossible = false;
    std::string lower;

    explicit TextFilter(std::string_view typed) {
        const std::string_view text = trimBlanks(typed);
        if (text.empty())
            return;
        active = true;
        EncodedText encoded = encodeCp1252(text);
        impossible = encoded.replaced;
        lower = std::move(encoded.bytes);
        for (char& c : lower)
            c = static_cast<char>(kLower[static_cast<unsigned char>(c)]);
    }

    // Whether the stored field, without its surrounding blanks, equals the filter in any case.
    bool matches(const std::uint8_t* record, MemberRecord::Field field) const {
        const std::uint8_t* begin = record + field.offset;
        const std::uint8_t* end = begin + field.width;
        while (begin != end && *begin == ' ')
            ++begin;
        while (end != begin && end[-1] == ' ')
            --end;
        if (static_cast<std::size_t>(end - begin) != lower.size())
            return false;
        for (std::size_t i = 0; i < lower.size(); ++i)
            if (kLower[begin[i]] != static_cast<std::uint8_t>(lower[i]))
                return false;
        return true;
    }
};

MemberSearchOutcome outcome(MemberSearchOutcome::Kind kind) {
    MemberSearchOutcome result;
    result.kind = kind;
    return result;
}

} // namespace

MemberSearchOutcome searchMembers(RecordFile& file, std::int32_t recordCount,
                                  const MemberFilters& filters, const LocaleRules& rules) {
    using Kind = MemberSearchOutcome::Kind;
    const TextFilter name(filters.name);
    const TextFilter surname(filters.surname);
    const TextFilter email(filters.email);
    const std::string_view referenceText = trimBlanks(filters.reference);
    const std::string_view egoldText = trimBlanks(filters.egold);
    if (!name.active && !surname.active && !email.active && referenceText.empty() &&
        egoldText.empty())
        return outcome(Kind::NothingToDo);

    std::optional<std::int32_t> reference;
    if (!referenceText.empty()) {
        reference = parseInt32(referenceText, rules);
        if (!reference)
            return outcome(Kind::IncorrectNumber);
    }
    std::optional<std::int32_t> egold;
    if (!egoldText.empty()) {
        egold = parseInt32(egoldText, rules);
        if (!egold)
            return outcome(Kind::IncorrectNumber);
    }

    auto table = std::make_unique<MemberResultTable>(rules);
    const bool impossible = name.impossible || surname.impossible || email.impossible;
    if (recordCount > 0 && !impossible) {
        table->reserve(static_cast<std::size_t>(recordCount));
        const Status scanned =
            file.scan(1, recordCount, [&](std::int32_t n, const std::uint8_t* record) {
                if (name.active && !name.matches(record, MemberRecord::kName))
                    return true;
                if (egold && field::getInt32(record + MemberRecord::kEgold_ID) != *egold)
                    return true;
                if (surname.active && !surname.matches(record, MemberRecord::kSurname))
                    return true;
                if (email.active && !email.matches(record, MemberRecord::kE_mail))
                    return true;
                if (reference && field::getInt32(record + MemberRecord::kRef_ID) != *reference)
                    return true;
                table->append(n);
                return true;
            });
        const Status opened = scanned && table->rowCount() > 0 ? table->readFrom(file) : scanned;
        if (!opened) {
            MemberSearchOutcome failed = outcome(Kind::FileError);
            failed.error = opened.error();
            return failed;
        }
    }

    MemberSearchOutcome listed = outcome(Kind::Listed);
    listed.table = std::move(table);
    return listed;
}

} // namespace zelt
