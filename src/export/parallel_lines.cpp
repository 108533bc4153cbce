#include "export/parallel_lines.h"

#include "export/block_output.h"
#include "storage/record_file.h"

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace zelt {

namespace {

// Below this many records a block is formatted faster than the helper is started.
constexpr std::size_t kLeastForHelper = 512;
// The records the threads claim at a time, each chunk's lines in a string of its own.
constexpr std::size_t kChunk = 256;

// The lines of one chunk, on a cache line of their own: the threads append to neighbouring
// chunks' strings at the same time, and sharing a line would slow both.
struct alignas(64) ChunkLines {
    std::string text;
};

// A block of records, copied from the reader's buffer, and the lines of its chunks.
struct Block {
    std::vector<std::uint8_t> records;
    std::size_t count = 0;
    std::vector<ChunkLines> lines; // one per chunk, in record order
};

// Formats one block of records while the caller writes the lines of the block before. The
// current block's chunks are claimed in order from a shared counter by the helper thread and,
// once its file work is done, by the calling thread; two blocks take turns.
class LinePipeline {
public:
    LinePipeline(RecordLinePrinter print, const LocaleRules& rules, std::size_t recordLength,
                 bool useHelper)
        : print_(std::move(print)), recordLength_(recordLength),
          ownValues_(rules, FormatPath::Fast), helperValues_(rules, FormatPath::Fast),
          helperWanted_(useHelper && std::thread::hardware_concurrency() >= 2) {}
    ~LinePipeline();
    LinePipeline(const LinePipeline&) = delete;
    LinePipeline& operator=(const LinePipeline&) = delete;

    // Takes a copy of count records and starts on their lines once the block handed over before
    // is finished; returns that block (no lines at the first call), valid until the next call.
    const Block& handOver(const std::uint8_t* records, std::size_t count);
    // Finishes the last block handed over and returns it.
    const Block& finish() { return complete(); }

private:
    Block& complete();  // formats the current block's chunks that are left, waits for the rest
    void startHelper(); // when the first large block comes
    void formatChunk(Block& block, std::size_t chunk, ValueText& values) const;
    void helperLoop();

    RecordLinePrinter print_;
    std::size_t recordLength_;
    ValueText ownValues_;
    ValueText helperValues_;
    Block blocks_[2];

    std::mutex mutex_;
    std::condition_variable chunksWaiting_; // for the helper
    std::condition_variable blockDone_;     // for the calling thread
    Block* current_ = &blocks_[1];          // the block being formatted
    std::size_t chunks_ = 0;                // its chunks
    std::size_t claimed_ = 0;
    std::size_t done_ = 0;
    bool stopping_ = false;
    bool helperWanted_;
    std::thread helper_;
};

LinePipeline::~LinePipeline() {
    if (!helper_.joinable())
        return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    chunksWaiting_.notify_all();
    helper_.join();
}

void LinePipeline::startHelper() {
    if (!helperWanted_)
        return;
    helperWanted_ = false; // one attempt
    try {
        helper_ = std::thread([this] { helperLoop(); });
    } catch (const std::system_error&) {
        // No thread to be had: the calling thread formats everything.
    }
}

void LinePipeline::formatChunk(Block& block, std::size_t chunk, ValueText& values) const {
    const std::size_t first = chunk * kChunk;
    const std::size_t end = std::min(first + kChunk, block.count);
    std::string& out = block.lines[chunk].text;
    for (std::size_t i = first; i < end; ++i)
        print_(out, block.records.data() + i * recordLength_, values);
}

const Block& LinePipeline::handOver(const std::uint8_t* records, std::size_t count) {
    Block& next = current_ == &blocks_[0] ? blocks_[1] : blocks_[0];
    next.records.assign(records, records + count * recordLength_);
    next.count = count;
    next.lines.resize((count + kChunk - 1) / kChunk);
    for (ChunkLines& lines : next.lines)
        lines.text.clear();
    if (count >= kLeastForHelper)
        startHelper();

    Block& before = complete();
    {
        const std::lock_guard lock(mutex_);
        current_ = &next;
        chunks_ = next.lines.size();
        claimed_ = 0;
        done_ = 0;
    }
    chunksWaiting_.notify_one();
    return before;
}

Block& LinePipeline::complete() {
    std::unique_lock lock(mutex_);
    while (claimed_ < chunks_) {
        const std::size_t chunk = claimed_++;
        lock.unlock();
        formatChunk(*current_, chunk, ownValues_);
        lock.lock();
        ++done_;
    }
    blockDone_.wait(lock, [this] { return done_ == chunks_; });
    return *current_;
}

void LinePipeline::helperLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        chunksWaiting_.wait(lock, [this] { return stopping_ || claimed_ < chunks_; });
        if (stopping_)
            return;
        Block& block = *current_;
        const std::size_t chunk = claimed_++;
        lock.unlock();
        formatChunk(block, chunk, helperValues_);
        lock.lock();
        if (++done_ == chunks_)
            blockDone_.notify_one();
    }
}

} // namespace

Status writeRecordLines(RecordFile& data, std::int32_t first, std::int32_t last,
                        WholeFileWriter& writer, RecordLinePrinter print, const LocaleRules& rules,
                        bool useHelper) {
    LinePipeline pipeline(std::move(print), rules, static_cast<std::size_t>(data.recordLength()),
                          useHelper);
    BlockOutput output(writer);
    Status written;
    const auto writeLines = [&](const Block& block) {
        for (const ChunkLines& lines : block.lines)
            output.lines() += lines.text;
        if (output.full())
            written = output.flush();
        return written.ok();
    };
    Status scanned = data.scanBlocks(
        first, last, [&](std::int32_t, const std::uint8_t* records, std::size_t count) {
            return writeLines(pipeline.handOver(records, count));
        });
    if (!scanned)
        return scanned;
    if (written.ok())
        writeLines(pipeline.finish());
    if (!written)
        return written;
    return output.flush();
}

} // namespace zelt
