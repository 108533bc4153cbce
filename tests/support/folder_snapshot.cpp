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
        } else {
            std::ifstream in(it->path(), std::ios::binary);
            snapshot.files[relative].assign(std::istreambuf_iterator<char>(in), {});
        }
    }
    return snapshot;
}

QStringList differences(const FolderSnapshot& expected, const FolderSnapshot& actual) {
    QStringList lines;
    const auto note = [&lines](const char* what, const std::string& path) {
        lines << QString(what) + ": " + QString::fromStdString(path);
    };
    for (const auto& [path, bytes] : expected.files)
        if (!actual.files.contains(path) || actual.files.at(path) != bytes)
            note(actual.files.contains(path) ? "changed" : "missing", path);
    for (const auto& [path, bytes] : actual.files)
        if (!expected.files.contains(path))
            note("extra file", path);
    for (const std::string& folder : expected.folders)
        if (!actual.folders.contains(folder))
            note("missing folder", folder);
    for (const std::string& folder : actual.folders)
        if (!expected.folders.contains(folder))
            note("extra folder", folder);
    return lines;
}

} // namespace zelt::test
