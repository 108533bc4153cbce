#include "export/text_export.h"

#include "export/block_output.h"
#include "export/export_lines.h"
#include "export/parallel_lines.h"
#include "storage/app_paths.h"
#include "storage/date_text.h"
#include "storage/file_rules.h"
#include "storage/file_system.h"
#include "storage/number_text.h"
#include "storage/record_file.h"
#include "storage/record_kind.h"
#include "storage/side_text.h"
#include "storage/whole_file_writer.h"

#include <string>

namespace zelt {

namespace {

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
    LineWriter(const std::string& appDir, RecordKind kind, const LocaleRules& rules)
        : appDir_(appDir), kind_(kind), values_(rules, FormatPath::Fast),
          exportDay_(formatDate(today(), rules)) {}

    // Whether the lines need side texts, read from files; the others come from the record alone.
    bool readsSideTexts() const {
        return kind_ == RecordKind::Members || kind_ == RecordKind::Communications;
    }

    // The line of a record of a kind that needs no side texts.
    RecordLinePrinter recordPrinter() const {
        if (kind_ != RecordKind::Schemes)
            return &export_lines::appendSaleLine;
        return [day = exportDay_](std::string& out, const std::uint8_t* record, ValueText& values) {
            export_lines::appendSchemeLine(out, record, day, values);
        };
    }

    // The line of a member or a communication, with its side texts.
    Status appendWithSideTexts(std::string& out, std::int32_t n, const std::uint8_t* record) {
        if (kind_ == RecordKind::Members) {
            // The additional info of the record that was read, whatever its stored identifier.
            auto info =
                flattenedSideText(sideFilePath(appDir_, kind_, SideText::AdditionalInfo, n));
            if (!info)
                return info.status();
            export_lines::appendMemberLine(out, record, *info, values_);
            return {};
        }
        export_lines::CommunicationTexts texts;
        for (auto [side, text] : {std::pair{SideText::Message, &texts.message},
                                  std::pair{SideText::Response, &texts.response},
                                  std::pair{SideText::Comments, &texts.comments}}) {
            auto flat = flattenedSideText(sideFilePath(appDir_, kind_, side, n));
            if (!flat)
                return flat.status();
            *text = std::move(*flat);
        }
        export_lines::appendCommunicationLine(out, record, texts, values_);
        return {};
    }

private:
    const std::string& appDir_;
    RecordKind kind_;
    ValueText values_;
    std::string exportDay_;
};

// The lines of records first..last of a kind that needs side texts, a record at a time.
Status writeLinesWithSideTexts(RecordFile& data, std::int32_t first, std::int32_t last,
                               LineWriter& lines, WholeFileWriter& writer) {
    BlockOutput output(writer);
    Status lineStatus;
    Status scanned = data.scan(first, last, [&](std::int32_t n, const std::uint8_t* record) {
        lineStatus = lines.appendWithSideTexts(output.lines(), n, record);
        if (lineStatus.ok() && output.full())
            lineStatus = output.flush();
        return lineStatus.ok();
    });
    if (!scanned)
        return scanned;
    if (!lineStatus)
        return lineStatus;
    return output.flush();
}

} // namespace

Status saveRecords(const AppContext& app, RecordKind kind, std::int32_t first, std::int32_t last) {
    const RecordKindInfo& target = recordKindInfo(kind);
    if (Status made = ensureFolder(app.dir, Folder::Output); !made)
        return made;
    const std::string outputPath = filePath(app.dir, Folder::Output, target.exportFile);

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
    if (Status s = writer->append(target.exportHeader); !s)
        return s;

    const std::string dataPath = filePath(app.dir, Folder::Data, target.dataFile);
    const auto dataExists = fs::isFile(dataPath);
    if (!dataExists)
        return dataExists.error();
    if (*dataExists) {
        auto data = RecordFile::openForReading(dataPath, target.recordLength);
        if (!data)
            return data.error();
        // The single-byte file's forms of the locale's rules.
        const LocaleRules rules = fileRules(app.rules);
        LineWriter lines(app.dir, kind, rules);
        const Status written =
            lines.readsSideTexts()
                ? writeLinesWithSideTexts(*data, first, last, lines, *writer)
                : writeRecordLines(*data, first, last, *writer, lines.recordPrinter(), rules);
        if (!written)
            return written;
    }
    return writer->commit();
}

} // namespace zelt
