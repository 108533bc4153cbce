#pragma once

#include <string>

namespace zelt {

// The seven shared messages, shown by all editors and searches.
struct MessageTableTexts {
    std::string MsgEnterData;
    std::string MsgSelectValue;
    std::string MsgIncorrectValue;
    std::string MsgNoRecord;
    std::string MsgNoMember;
    std::string MsgCreateRecord;
    std::string MsgCreateSchemes;
};

extern MessageTableTexts MessageTable;

// Fills the table with its texts; called by Main before any window opens.
void fill_message_table();

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
