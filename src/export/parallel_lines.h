#pragma once

#include "export/value_text.h"
#include "storage/locale_rules.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace zelt {

// The line of one record, made from the record alone.
using RecordLinePrinter = std::function<void(std::string&, const std::uint8_t*, ValueText&)>;

// Makes the lines of blocks of records on both processor cores: a helper thread formats the first
// half of a block while the calling thread formats the second, and the halves are joined in record
// order, so the bytes are those of one thread formatting the whole block. The helper only
// formats: it touches no file. It is started by the first large block; small blocks, and
// machines of one core, are formatted by the calling thread alone.
class ParallelLines {
public:
    ParallelLines(RecordLinePrinter print, const LocaleRules& rules, int recordLength,
                  bool useHelper = true);
    ~ParallelLines();
    ParallelLines(const ParallelLines&) = delete;
    ParallelLines& operator=(const ParallelLines&) = delete;

    // Appends the lines of count records, stored one after the other from records, to out.
    void append(std::string& out, const std::uint8_t* records, std::size_t count);

private:
    struct Job {
        std::string* out = nullptr;
        const std::uint8_t* records = nullptr;
        std::size_t count = 0;
    };
    void format(const Job& job, ValueText& values) const;
    bool startHelper(); // when the first large block comes
    void helperLoop();

    RecordLinePrinter print_;
    std::size_t recordLength_;
    ValueText ownValues_;
    ValueText helperValues_;
    std::string secondHalf_;

    std::mutex mutex_;
    std::condition_variable changed_;
    Job job_;
    bool jobWaiting_ = false;
    bool stopping_ = false;
    bool helperWanted_;
    std::thread helper_;
};

} // namespace zelt
