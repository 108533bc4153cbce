#pragma once

#include "storage/fs_error.h"

#include <string>
#include <string_view>

namespace zelt {

// The folders under the program's directory.
enum class Folder { Data, Addinfo, Comm, Output, Backcopies };

std::string_view folderName(Folder folder); // "data", "addinfo", "comm", "output", "backcopies"

// Joins two path parts with exactly one separator between them.
std::string joinPath(std::string_view head, std::string_view tail);

// <appDir>/<folder>
std::string folderPath(const std::string& appDir, Folder folder);
// <appDir>/<folder>/<fileName>
std::string filePath(const std::string& appDir, Folder folder, std::string_view fileName);

// Creates the folder under appDir when it is missing (one level).
Status ensureFolder(const std::string& appDir, Folder folder);
} // namespace zelt
