#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelt {

// The rules of a member's save that need no window: the level from the referrer, the referrer
// checks, the payment schemes offered and the texts as they are stored.

// Scheme numbers are 16-bit: a longer scheme file offers no more than these.
inline constexpr std::int32_t kMostSchemes = 32767;

// How many scheme numbers (1..n) the member editor offers for a scheme file of `schemes`
// records.
std::int32_t offeredSchemes(std::int32_t schemes);

// What is known of a new member's level after looking at the referrer.
enum class LevelState { Known, Unset, Overflow };

struct MemberLevel {
    LevelState state = LevelState::Unset;
    // The level to store; 0 unless the state is Known.
    std::int32_t level = 0;
};

// Whether the level follows from a stored referrer record: only for a referrer above 0.
bool levelNeedsReferrer(std::int32_t referrer);

// The level of a member with the referrer `referrer`: 1 without a referrer (0), the referrer's
// stored level + 1 when the referrer is a stored record (`referrerLevel`), unset for a negative
// referrer or one that is no stored record, and an overflow when the referrer's level is the
// largest 32-bit number.
MemberLevel levelFromReferrer(std::int32_t referrer, std::optional<std::int32_t> referrerLevel);

// What the referrer checks of a save say.
enum class ReferrerVerdict { Accepted, IncorrectValue, NotStored };

// Whether the save looks for the referrer among the stored members' identifiers: for a
// referrer that passes the first checks, when the file holds more than one record.
bool referrerIsSearched(std::int32_t referrer, std::int32_t member, std::int32_t recordCount);

// The referrer checks of member `member`'s save, for a file of `recordCount` records:
// a negative referrer or the member itself is incorrect; no referrer (0) is accepted; a
// referrer the search did not find (`found`, true when it was not searched) is not stored;
// a referrer past the last record or whose level is not known is incorrect.
ReferrerVerdict referrerVerdict(std::int32_t referrer, std::int32_t member,
                                std::int32_t recordCount, bool found, LevelState level);

// The text without the blanks around it.
std::string withoutBlanks(std::string_view text);

// A typed text as the member record stores it.
struct StoredText {
    std::string text;
    // Longer than its width in characters: cut to it.
    bool cut = false;
    // A character Windows-1252 cannot store became "?".
    bool replaced = false;
};

// The text without surrounding blanks, cut to `width` characters, with "?" for every
// character that Windows-1252 cannot store.
StoredText storedText(std::string_view typed, std::size_t width);

} // namespace zelt
