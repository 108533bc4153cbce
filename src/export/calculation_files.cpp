#include "export/calculation_files.h"

#include "export/calculation_lines.h"
#include "export/parallel_lines.h"
#include "storage/app_paths.h"
#include "storage/file_rules.h"
#include "storage/file_system.h"
#include "storage/record_file.h"
#include "storage/record_kind.h"
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

// Reads the data file of a kind from start to end into <app.dir>/output/<name>.clc. A data file
// without records gives an empty output file; a missing one is created empty.
Status writeCalculationFile(const AppContext& app, const std::string& name, RecordKind kind,
                            std::string_view header, LinePrinter printLine) {
    const RecordKindInfo& info = recordKindInfo(kind);
    const int recordLength = info.recordLength;
    for (Folder folder : {Folder::Output, Folder::Data})
        if (Status made = ensureFolder(app.dir, folder); !made)
            return made;
    auto data = openDataFile(filePath(app.dir, Folder::Data, info.dataFile), recordLength);
    if (!data)
        return data.error();
    const auto count = data->count();
    if (!count)
        return count.error();

    auto writer = WholeFileWriter::create(filePath(app.dir, Folder::Output, name + ".clc"));
    if (!writer)
        return writer.error();
    if (*count >= 1) {
        if (Status s = writer->append(header); !s)
            return s;
        if (Status s = writeRecordLines(*data, 1, *count, *writer, printLine, fileRules(app.rules));
            !s)
            return s;
    }
    return writer->commit();
}

} // namespace

Status createMembers(const AppContext& app, const std::string& name) {
    return writeCalculationFile(app, name, RecordKind::Members, calculation_lines::kMemberHeader,
                                &calculation_lines::appendMemberLine);
}

Status createSales(const AppContext& app, const std::string& name) {
    const RecordKind kind = name == "payments" ? RecordKind::Payments : RecordKind::Sales;
    return writeCalculationFile(app, name, kind, calculation_lines::kSaleHeader,
                                &calculation_lines::appendSaleLine);
}

Status createSettings(const AppContext& app, const std::string& name) {
    return writeCalculationFile(app, name, RecordKind::Schemes, calculation_lines::kSchemeHeader,
                                &calculation_lines::appendSchemeLine);
}

Status createFilesForCalculations(const AppContext& app) {
    if (Status s = createMembers(app, "members"); !s)
        return s;
    if (Status s = createSales(app, "sales"); !s)
        return s;
    if (Status s = createSales(app, "payments"); !s)
        return s;
    return createSettings(app, "settings");
}

} // namespace zelt
