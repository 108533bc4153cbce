#include "storage/member_count.h"

#include "storage/app_paths.h"
#include "storage/file_system.h"
#include "storage/member_record.h"
#include "storage/record_file.h"

namespace zelt {

Result<std::int32_t> countMembers(const std::string& appDir) {
    const std::string path = filePath(appDir, Folder::Data, MemberRecord::kFileName);
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

} // namespace zelt
