#pragma once

namespace zelt {

// The seven shared messages, shown by all editors and searches.
inline constexpr const char* kMsgEnterData = "Please enter the data to the field";
inline constexpr const char* kMsgSelectValue = "Please select the value from the list";
inline constexpr const char* kMsgIncorrectValue = "Sorry, you entered not correct value";
inline constexpr const char* kMsgNoRecord = "Sorry, this record does not exist";
inline constexpr const char* kMsgNoMember = "Sorry, there is no a Zelt member with this ID";
inline constexpr const char* kMsgCreateRecord = "Please create a new record";
inline constexpr const char* kMsgCreateSchemes = "Please create records with Zelt settings";

// Messages of the editors' own.
inline constexpr const char* kMsgTruncated =
    "Warning !!! Some text will be truncated to the required format. ";
inline constexpr const char* kMsgReplacedCharacters =
    "Warning !!! Some characters cannot be stored and will be replaced by ?";
inline constexpr const char* kMsgNotCorrectInput = "Not correct input";
// Followed by the value as the files will write it.
inline constexpr const char* kMsgStoredAs = "Warning !!! This value will be stored as ";
inline constexpr const char* kMsgDiscardChanges = "Discard the changes to this record?";

} // namespace zelt
