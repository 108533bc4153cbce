#include "support/folder_snapshot.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace zelt::test {

FolderSnapshot FolderSnapshot::of(const std::string& root) {
    namespace stdfs = std::filesystem;
    FolderSnapshot snapshot;
    std::error_code failed;
    for (auto it = stdfs::recursive_directory_iterator(root, failed);
         !failed && it != stdfs::recursive_directory_iterator(); it.increment(failed)) {
        const std::string relative = stdfs::relative(it->path(), root).generic_string();
        if (it->is_directory()) {
            snapshot.folders.insert(relative);
            continue;
        }
        std::ifstream in(it->path(), std::ios::binary);
        snapshot.files[relative] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return snapshot;
}

QStringList differences(const FolderSnapshot& expected, const FolderSnapshot& actual) {
    QStringList lines;
    for (const auto& [path, bytes] : expected.files) {
        const auto found = actual.files.find(path);
        if (found == actual.files.end())
            lines << QStringLiteral("missing: %1").arg(QString::fromStdString(path));
        else if (found->second != bytes)
            lines << QStringLiteral("changed: %1").arg(QString::fromStdString(path));
    }
    for (const auto& [path, bytes] : actual.files)
        if (!expected.files.contains(path))
            lines << QStringLiteral("extra file: %1").arg(QString::fromStdString(path));
    for (const std::string& folder : expected.folders)
        if (!actual.folders.contains(folder))
            lines << QStringLiteral("missing folder: %1").arg(QString::fromStdString(folder));
    for (const std::string& folder : actual.folders)
        if (!expected.folders.contains(folder))
            lines << QStringLiteral("extra folder: %1").arg(QString::fromStdString(folder));
    return lines;
}

} // namespace zelt::test
