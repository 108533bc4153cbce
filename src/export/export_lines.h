#pragma once

#include "export/value_text.h"

#include <cstdint>
#include <string>
#include <string_view>

// The lines of the semicolon-separated text exports. Texts are written as stored, in the files'
// own single-byte code page, so the record bytes are copied without decoding. The header lines are
// in the table of record kinds.
namespace zelt::export_lines {

// A sale or payment record: MemberID;Sum;Date
void appendSaleLine(std::string& out, const std::uint8_t* record, ValueText& values);

// A member record; additionalInfo is the flattened side text (bytes as stored).
void appendMemberLine(std::string& out, const std::uint8_t* record, std::string_view additionalInfo,
                      ValueText& values);

// A communication record with its three flattened message texts (bytes as stored).
struct CommunicationTexts {
    std::string message, response, comments;
};
void appendCommunicationLine(std::string& out, const std::uint8_t* record,
                             const CommunicationTexts& texts, ValueText& values);

// A scheme record, ending with the export's day as a short date.
void appendSchemeLine(std::string& out, const std::uint8_t* record, std::string_view exportDay,
                      ValueText& values);

} // namespace zelt::export_lines
