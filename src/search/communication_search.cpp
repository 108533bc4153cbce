#include "search/communication_search.h"

#include "search/generic_compare.h"
#include "storage/code_page.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"

#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace zelt {

namespace {

constexpr int kMemberID = 0, kSubject = 4, kDate = 34, kDate_R = 42;

std::string_view withoutBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Each Windows-1252 byte mapped to the byte of its lower-case letter (other bytes to
// themselves), so that stored subjects are compared in place, with no text made per record.
const std::array<unsigned char, 256>& lowerCaseBytes() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> bytes{};
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            const EncodedText folded = encodeCp1252(foldedCase(decodeCp1252({&c, 1})));
            bytes[b] = folded.bytes.size() == 1 && !folded.replaced
                           ? static_cast<unsigned char>(folded.bytes[0])
                           : static_cast<unsigned char>(b);
        }
        return bytes;
    }();
    return table;
}

// The non-empty filters, ready to be compared with the stored fields.
class Matcher {
public:
    Matcher(const CommunicationFilters& filters, const LocaleRules& rules) : rules_(rules) {
        memberID_ = prepared(filters.memberID);
        date_ = prepared(filters.date);
        dateR_ = prepared(filters.dateR);
        if (const std::optional<std::string> subject = prepared(filters.subject)) {
            // Stored subjects hold Windows-1252 bytes: a filter with a character they cannot
            // hold matches none of them.
            EncodedText encoded = encodeCp1252(*subject);
            subjectBytes_ = encoded.replaced ? std::nullopt : std::optional(encoded.bytes);
            subjectNone_ = encoded.replaced;
        }
        dateText_.resize(maxDateTextLength(rules));
    }

    bool empty() const {
        return !memberID_ && !subjectBytes_ && !subjectNone_ && !date_ && !dateR_;
    }

    bool accepts(const std::uint8_t* record) {
        if (memberID_) {
            char digits[16];
            const auto end =
                std::to_chars(digits, digits + sizeof digits, field::getInt32(record + kMemberID))
                    .ptr;
            if (std::string_view(digits, static_cast<std::size_t>(end - digits)) != *memberID_)
                return false;
        }
        if (subjectNone_ || (subjectBytes_ && !subjectMatches(record + kSubject)))
            return false;
        if (date_ && !dateMatches(field::getDouble(record + kDate), *date_))
            return false;
        if (dateR_ && !dateMatches(field::getDouble(record + kDate_R), *dateR_))
            return false;
        return true;
    }

private:
    // A filter without its surrounding blanks, in lower case; no value when empty.
    static std::optional<std::string> prepared(std::string_view filter) {
        const std::string_view text = withoutBlanks(filter);
        if (text.empty())
            return std::nullopt;
        return foldedCase(text);
    }

    bool subjectMatches(const std::uint8_t* field) const {
        const std::string_view stored = withoutBlanks(
            {reinterpret_cast<const char*>(field), CommunicationRecord::kSubjectWidth});
        const std::string& wanted = *subjectBytes_;
        if (stored.size() != wanted.size())
            return false;
        const auto& lower = lowerCaseBytes();
        for (std::size_t i = 0; i < stored.size(); ++i)
            if (lower[static_cast<unsigned char>(stored[i])] !=
                static_cast<unsigned char>(wanted[i]))
                return false;
        return true;
    }

    bool dateMatches(double serial, const std::string& wanted) {
        const std::size_t length = formatDateTo(serial, rules_, dateText_.data(), dateText_.size());
        folded_.clear();
        appendFoldedCase(withoutBlanks({dateText_.data(), length}), folded_);
        return folded_ == wanted;
    }

    const LocaleRules& rules_;
    std::optional<std::string> memberID_;
    std::optional<std::string> subjectBytes_;
    bool subjectNone_ = false;
    std::optional<std::string> date_;
    std::optional<std::string> dateR_;
    std::vector<char> dateText_;
    std::string folded_;
};

CommunicationSearchOutcome outcome(CommunicationSearchOutcome::Kind kind) {
    CommunicationSearchOutcome result;
    result.kind = kind;
    return result;
}

} // namespace

CommunicationSearchOutcome searchCommunications(RecordFile& file, std::int32_t recordCount,
                                                const CommunicationFilters& filters,
                                                const LocaleRules& rules) {
    using Kind = CommunicationSearchOutcome::Kind;
    Matcher matcher(filters, rules);
    if (matcher.empty())
        return outcome(Kind::NothingToDo);

    auto table = std::make_unique<CommunicationResultTable>(rules);
    if (recordCount > 0) {
        const Status scanned =
            file.scan(1, recordCount, [&](std::int32_t n, const std::uint8_t* record) {
                if (matcher.accepts(record))
                    table->append(n);
                return true;
            });
        const Status opened = scanned && table->rowCount() > 0 ? table->readFrom(file) : scanned;
        if (!opened) {
            CommunicationSearchOutcome failed = outcome(Kind::FileError);
            failed.error = opened.error();
            return failed;
        }
    }
    CommunicationSearchOutcome listed = outcome(Kind::Listed);
    listed.table = std::move(table);
    return listed;
}

} // namespace zelt
