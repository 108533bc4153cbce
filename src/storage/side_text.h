#pragma once

#include "storage/fs_error.h"

#include <string>

// Side text files: one free text each, Windows-1252, written as the text followed by CR LF.
namespace zelt {

// The text as an editor shows it: the whole file decoded, without the one final CR LF that
// writing added. A missing file is an empty text; a file that exists but cannot be read is an
// error.
Result<std::string> readSideText(const std::string& path);

// The whole content, final CR LF included (the exports flatten it). Missing file: empty text.
Result<std::string> readSideTextWhole(const std::string& path);

// Replaces the file with the text followed by CR LF, atomically. replaced is set when a
// character could not be stored and became "?".
Status writeSideText(const std::string& path, const std::string& text, bool* replaced = nullptr);

// Replaces every CR LF pair, left to right, by one blank; a lone CR or LF stays.
std::string flattenLineBreaks(const std::string& text);

} // namespace zelt
