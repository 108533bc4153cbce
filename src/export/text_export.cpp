#include "export/text_export.h"

#include "export/block_output.h"
#include "export/export_lines.h"
#include "export/parallel_lines.h"
#include "shell/zelt_module.h"
#include "storage/app_paths.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/file_rules.h"
#include "storage/file_system.h"
#include "storage/member_record.h"
#include "storage/number_text.h"
#include "storage/record_file.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "storage/side_text.h"
#include "storage/whole_file_writer.h"

#include <string>

namespace zelt {

namespace {

struct ExportTarget {
    const char* dataFile;
    int recordLength;
    const char* outputFile;
    std::string_view header;
};

ExportTarget targetOf(ExportKind kind) {
    switch (kind) {
    case ExportKind::Sales:
        return {"sales.kvr", SaleRecord::kLength, "Sales.txt", export_lines::kSaleHeader};
    case ExportKind::Payments:
        return {"payments.kvr", SaleRecord::kLength, "Payments.txt", export_lines::kSaleHeader};
    case ExportKind::Members:
        return {MemberRecord::kFileName, MemberRecord::kLength, "affiliates.txt",
                export_lines::kMemberHeader};
    case ExportKind::Communications:
        return {CommunicationRecord::kFileName, CommunicationRecord::kLength, "communications.txt",
                export_lines::kCommunicationHeader};
    case ExportKind::Schemes:
        break;
    }
    return {SchemeRecord::kFileName, SchemeRecord::kLength, "APsettings.txt",
            export_lines::kSchemeHeader};
}

// A side text as stored, with its CR LF pairs flattened to blanks; empty when the file is
// missing. The bytes stay in the files' code page.
Result<std::string> flattenedSideText(const std::string& path) {
    const auto exists = fs::isFile(path);
    if (!exists)
        return exists.error();
    if (!*exists)
        return std::string();
    auto bytes = fs::readWhole(path);
    if (!bytes)
        return bytes.error();
    return flattenLineBreaks(*bytes);
}

// The lines of one export: from the record alone, or with the side texts of the record numbered n.
class LineWriter {
public:
    LineWriter(ExportKind kind, const LocaleRules& rules)
        : kind_(kind), values_(rules, FormatPath::Fast), exportDay_(formatDate(today(), rules)) {}

    // Whether the lines need side texts, read from files; the others come from the record alone.
    bool readsSideTexts() const {
        return kind_ == ExportKind::Members || kind_ == ExportKind::Communications;
    }

    // The line of a record of a kind that needs no side texts.
    RecordLinePrinter recordPrinter() const {
        if (kind_ != ExportKind::Schemes)
            return &export_lines::appendSaleLine;
        return [day = exportDay_](std::string& out, const std::uint8_t* record, ValueText& values) {
            export_lines::appendSchemeLine(out, record, day, values);
        };
    }

    // The line of a member or a communication, with its side texts.
    Status appendWithSideTexts(std::string& out, std::int32_t n, const std::uint8_t* record) {
        if (kind_ == ExportKind::Members) {
            // The additional info of the record that was read, whatever its stored identifier.
            auto info = flattenedSideText(filePath(AppDir, Folder::Addinfo, formatInt(n) + ".txt"));
            if (!info)
                return info.status();
            export_lines::appendMemberLine(out, record, *info, values_);
            return {};
        }
        export_lines::CommunicationTexts texts;
        const std::string number = formatInt(n);
        for (auto [prefix, text] : {std::pair{"", &texts.message}, std::pair{"r", &texts.response},
                                    std::pair{"c", &texts.comments}}) {
            auto flat = flattenedSideText(filePath(AppDir, Folder::Comm, prefix + number + ".txt"));
            if (!flat)
                return flat.status();
            *text = std::move(*flat);
        }
        export_lines::appendCommunicationLine(out, record, texts, values_);
        return {};
    }

private:
    ExportKind kind_;
    ValueText values_;
    std::string exportDay_;
};

} // namespace

Status save_records(ExportKind kind, std::int32_t first, std::int32_t last) {
    const ExportTarget target = targetOf(kind);
    if (Status made = ensureFolder(AppDir, Folder::Output); !made)
        return made;
    const std::string outputPath = filePath(AppDir, Folder::Output, target.outputFile);

    if (first < 1) {
        // No current record: the earlier export goes and no new one is written.
        const auto exists = fs::isFile(outputPath);
        if (!exists)
            return exists.error();
        return *exists ? fs::remove(outputPath) : Status();
    }

    auto writer = WholeFileWriter::create(outputPath);
    if (!writer)
        return writer.error();
    if (Status s = writer->append(target.header); !s)
        return s;

    const std::string dataPath = filePath(AppDir, Folder::Data, target.dataFile);
    const auto dataExists = fs::isFile(dataPath);
    if (!dataExists)
        return dataExists.error();
    if (*dataExists) {
        auto data = RecordFile::openForReading(dataPath, target.recordLength);
        if (!data)
            return data.error();
        // The single-byte file's forms of the locale's rules.
        const LocaleRules rules = fileRules(currentRules());
        LineWriter lines(kind, rules);
        BlockOutput output(*writer);
        Status lineStatus;
        Status scanned;
        if (!lines.readsSideTexts()) {
            ParallelLines parallel(lines.recordPrinter(), rules, target.recordLength);
            scanned = data->scanBlocks(
                first, last, [&](std::int32_t, const std::uint8_t* block, std::size_t inBlock) {
                    parallel.append(output.lines(), block, inBlock);
                    if (!output.full())
                        return true;
                    lineStatus = output.flush();
                    return lineStatus.ok();
                });
        } else {
            scanned = data->scan(first, last, [&](std::int32_t n, const std::uint8_t* record) {
                lineStatus = lines.appendWithSideTexts(output.lines(), n, record);
                if (lineStatus.ok() && output.full())
                    lineStatus = output.flush();
                return lineStatus.ok();
            });
        }
        if (!scanned)
            return scanned;
        if (!lineStatus)
            return lineStatus;
        if (Status s = output.flush(); !s)
            return s;
    }
    return writer->commit();
}

} // namespace zelt
