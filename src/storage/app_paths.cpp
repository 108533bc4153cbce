#include "storage/app_paths.h"

#include "storage/file_system.h"

namespace zelt {

std::string_view folderName(Folder folder) {
    switch (folder) {
    case Folder::Data:
        return "data";
    case Folder::Addinfo:
        return "addinfo";
    case Folder::Comm:
        return "comm";
    case Folder::Output:
        return "output";
    case Folder::Backcopies:
        return "backcopies";
    }
    return "data";
}

std::string joinPath(std::string_view head, std::string_view tail) {
    while (!head.empty() && head.back() == '/')
        head.remove_suffix(1);
    while (!tail.empty() && tail.front() == '/')
        tail.remove_prefix(1);
    std::string path;
    path.reserve(head.size() + 1 + tail.size());
    path.append(head);
    path += '/';
    path.append(tail);
    return path;
}

std::string folderPath(const std::string& appDir, Folder folder) {
    return joinPath(appDir, folderName(folder));
}

std::string filePath(const std::string& appDir, Folder folder, std::string_view fileName) {
    return joinPath(folderPath(appDir, folder), fileName);
}

Status ensureFolder(const std::string& appDir, Folder folder) {
    const std::string path = folderPath(appDir, folder);
    auto exists = fs::isFolder(path);
    if (!exists)
        return exists.status();
    if (*exists)
        return {};
    return fs::createFolder(path);
}

} // namespace zelt
