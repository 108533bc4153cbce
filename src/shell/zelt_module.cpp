#include "shell/zelt_module.h"

#include "storage/app_paths.h"
#include "storage/file_system.h"
#include "storage/member_record.h"
#include "storage/record_file.h"

namespace zelt {

std::string AppDir;

Result<std::int32_t> count_members() {
    const std::string path = filePath(AppDir, Folder::Data, MemberRecord::kFileName);
    const auto exists = fs::isFile(path);
    if (!exists)
        return exists.error();
    if (!*exists)
        return std::int32_t{0};
    auto file = RecordFile::openForReading(path, MemberRecord::kLength);
    if (!file)
        return file.error();
    return file->count();
}

Status ensure_data_folder() { return ensureFolder(AppDir, Folder::Data); }

} // namespace zelt
