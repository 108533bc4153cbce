#pragma once

#include "storage/app_paths.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelt {

// The five kinds of records the program keeps, one data file each.
enum class RecordKind { Members, Communications, Sales, Payments, Schemes };

// The free texts kept beside a record, one file each: a member's, sale's or payment's additional
// info, and a communication's message, response and comments.
enum class SideText { AdditionalInfo, Message, Response, Comments };

// Where one side text of a kind lives: <appDir>/<folder>/<prefix><record>.txt
struct SideTextFile {
    SideText text;
    Folder folder;
    std::string_view prefix;
};

// What the program keeps and writes for one kind of record.
struct RecordKindInfo {
    std::string_view dataFile;   // in the data folder
    int recordLength;            // bytes per record
    std::string_view exportFile; // the semicolon-separated export, in the output folder
    std::string_view exportHeader;
    std::span<const SideTextFile> sideTexts; // in the order the export writes them
};

const RecordKindInfo& recordKindInfo(RecordKind kind);

// The file of a record's side text; empty for a text the kind does not have.
std::string sideFilePath(const std::string& appDir, RecordKind kind, SideText text,
                         std::int32_t record);

} // namespace zelt
