#include "export/parallel_lines.h"

#include <system_error>

namespace zelt {

namespace {
// Below this many records a block is formatted faster than the helper is woken.
constexpr std::size_t kLeastForHelper = 512;
} // namespace

ParallelLines::ParallelLines(RecordLinePrinter print, const LocaleRules& rules, int recordLength,
                             bool useHelper)
    : print_(std::move(print)), recordLength_(static_cast<std::size_t>(recordLength)),
      ownValues_(rules, FormatPath::Fast), helperValues_(rules, FormatPath::Fast),
      helperWanted_(useHelper && std::thread::hardware_concurrency() >= 2) {}

bool ParallelLines::startHelper() {
    if (helper_.joinable())
        return true;
    if (!helperWanted_)
        return false;
    helperWanted_ = false; // one attempt
    try {
        helper_ = std::thread([this] { helperLoop(); });
    } catch (const std::system_error&) {
        return false; // no thread to be had: the calling thread formats everything
    }
    return true;
}

ParallelLines::~ParallelLines() {
    if (!helper_.joinable())
        return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    helper_.join();
}

void ParallelLines::format(const Job& job, ValueText& values) const {
    for (std::size_t i = 0; i < job.count; ++i)
        print_(*job.out, job.records + i * recordLength_, values);
}

void ParallelLines::append(std::string& out, const std::uint8_t* records, std::size_t count) {
    if (count < kLeastForHelper || !startHelper()) {
        format({&out, records, count}, ownValues_);
        return;
    }
    const std::size_t half = count / 2;
    {
        const std::lock_guard lock(mutex_);
        job_ = {&out, records, half};
        jobWaiting_ = true;
    }
    changed_.notify_all();
    secondHalf_.clear();
    format({&secondHalf_, records + half * recordLength_, count - half}, ownValues_);
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !jobWaiting_; });
    }
    out += secondHalf_; // out holds the first half now
}

void ParallelLines::helperLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return jobWaiting_ || stopping_; });
        if (stopping_)
            return;
        const Job job = job_;
        lock.unlock();
        format(job, helperValues_);
        lock.lock();
        jobWaiting_ = false;
        changed_.notify_all();
    }
}

} // namespace zelt
