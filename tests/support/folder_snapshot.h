#pragma once

#include <QStringList>

#include <map>
#include <set>
#include <string>

namespace zelt::test {

// Everything under a folder, read past the program's file layer (so that no fault hook sees
// it): the bytes of every file and the names of every folder, by path relative to the root.
struct FolderSnapshot {
    std::map<std::string, std::string> files;
    std::set<std::string> folders;

    static FolderSnapshot of(const std::string& root);
};

// The differences between two snapshots, one line each ("changed: data/sales.kvr"); empty
// when they hold the same files and folders with the same bytes.
QStringList differences(const FolderSnapshot& expected, const FolderSnapshot& actual);

} // namespace zelt::test
