#pragma once

#include "export/value_text.h"
#include "storage/fs_error.h"
#include "storage/locale_rules.h"

#include <cstdint>
#include <functional>
#include <string>

namespace zelt {

class RecordFile;
class WholeFileWriter;

// The line of one record, made from the record alone.
using RecordLinePrinter = std::function<void(std::string&, const std::uint8_t*, ValueText&)>;

// Appends the lines of the stored records first..last of data to writer, in record order,
// gathered into blocks of about 1 MiB. The lines are made on both processor cores while the file
// work goes on: a helper thread formats a block of records while the calling thread writes the
// lines of the block before and reads the block after, and the calling thread then formats what
// the helper has not yet taken. The helper only formats: every read and write is made on the
// calling thread, the same ones in the same order as without the helper (useHelper false, a
// machine of one core, or no thread to be had), when the calling thread formats everything.
// Stops at the first failed read or write and returns its failure.
Status writeRecordLines(RecordFile& data, std::int32_t first, std::int32_t last,
                        WholeFileWriter& writer, RecordLinePrinter print, const LocaleRules& rules,
                        bool useHelper = true);

} // namespace zelt
