#include "storage/member_rules.h"

#include "storage/code_page.h"

#include <algorithm>
#include <limits>

namespace zelt {

std::int32_t offeredSchemes(std::int32_t schemes) {
    return std::min(schemes, kMostSchemes);
}

bool levelNeedsReferrer(std::int32_t referrer) {
    return referrer > 0;
}

MemberLevel levelFromReferrer(std::int32_t referrer, std::optional<std::int32_t> referrerLevel) {
    if (referrer == 0)
        return {LevelState::Known, 1};
    if (referrer < 0 || !referrerLevel)
        return {};
    if (*referrerLevel == std::numeric_limits<std::int32_t>::max())
        return {LevelState::Overflow, 0};
    return {LevelState::Known, *referrerLevel + 1};
}

bool referrerIsSearched(std::int32_t referrer, std::int32_t member, std::int32_t recordCount) {
    return referrer > 0 && referrer != member && recordCount > 1;
}

ReferrerVerdict referrerVerdict(std::int32_t referrer, std::int32_t member,
                                std::int32_t recordCount, bool found, LevelState level) {
    if (referrer < 0 || referrer == member)
        return ReferrerVerdict::IncorrectValue;
    if (referrer == 0)
        return ReferrerVerdict::Accepted;
    if (!found)
        return ReferrerVerdict::NotStored;
    if (referrer > recordCount || level != LevelState::Known)
        return ReferrerVerdict::IncorrectValue;
    return ReferrerVerdict::Accepted;
}

std::string withoutBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

StoredText storedText(std::string_view typed, std::size_t width) {
    StoredText stored{withoutBlanks(typed)};
    if (characterCount(stored.text) > width) {
        stored.text = firstCharacters(stored.text, width);
        stored.cut = true;
    }
    const EncodedText encoded = encodeCp1252(stored.text);
    if (encoded.replaced) {
        stored.replaced = true;
        stored.text = decodeCp1252(encoded.bytes);
    }
    return stored;
}

} // namespace zelt
