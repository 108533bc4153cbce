#include "export/calculation_files.h"

#include "export/block_output.h"
#include "export/calculation_lines.h"
#include "export/parallel_lines.h"
#include "shell/zelt_module.h"
#include "storage/app_paths.h"
#include "storage/file_rules.h"
#include "storage/file_system.h"
#include "storage/member_record.h"
#include "storage/record_file.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "storage/whole_file_writer.h"

#include <string_view>

namespace zelt {

namespace {

using LinePrinter = void (*)(std::string&, const std::uint8_t*, ValueText&);

// A data file that exists, opened for reading only (it may be read-only); a missing one is
// created empty.
Result<RecordFile> openDataFile(const std::string& path, int recordLength) {
    const auto exists = fs::isFile(path);
    if (!exists)
        return exists.error();
    return *exists ? RecordFile::openForReading(path, recordLength)
                   : RecordFile::open(path, recordLength);
}

// Reads one data file from start to end into <AppDir>/output/<name>.clc. A data file without
// records gives an empty output file; a missing one is created empty.
Status writeCalculationFile(const std::string& name, std::string_view dataFile, int recordLength,
                            std::string_view header, LinePrinter printLine) {
    for (Folder folder : {Folder::Output, Folder::Data})
        if (Status made = ensureFolder(AppDir, folder); !made)
            return made;
    auto data = openDataFile(filePath(AppDir, Folder::Data, dataFile), recordLength);
    if (!data)
        return data.error();
    const auto count = data->count();
    if (!count)
        return count.error();

    auto writer = WholeFileWriter::create(filePath(AppDir, Folder::Output, name + ".clc"));
    if (!writer)
        return writer.error();
    if (*count >= 1) {
        if (Status s = writer->append(header); !s)
            return s;
        ParallelLines lines(printLine, fileRules(currentRules()), recordLength);
        BlockOutput output(*writer);
        Status appended;
        Status scanned = data->scanBlocks(
            1, *count, [&](std::int32_t, const std::uint8_t* block, std::size_t inBlock) {
                lines.append(output.lines(), block, inBlock);
                if (!output.full())
                    return true;
                appended = output.flush();
                return appended.ok();
            });
        if (!scanned)
            return scanned;
        if (!appended)
            return appended;
        if (Status s = output.flush(); !s)
            return s;
    }
    return writer->commit();
}

} // namespace

Status create_members(const std::string& name) {
    return writeCalculationFile(name, MemberRecord::kFileName, MemberRecord::kLength,
                                calculation_lines::kMemberHeader,
                                &calculation_lines::appendMemberLine);
}

Status create_sales(const std::string& name) {
    return writeCalculationFile(name, name + ".kvr", SaleRecord::kLength,
                                calculation_lines::kSaleHeader, &calculation_lines::appendSaleLine);
}

Status create_settings(const std::string& name) {
    return writeCalculationFile(name, SchemeRecord::kFileName, SchemeRecord::kLength,
                                calculation_lines::kSchemeHeader,
                                &calculation_lines::appendSchemeLine);
}

Status create_files_for_calculations() {
    if (Status s = create_members("members"); !s)
        return s;
    if (Status s = create_sales("sales"); !s)
        return s;
    if (Status s = create_sales("payments"); !s)
        return s;
    return create_settings("settings");
}

} // namespace zelt
