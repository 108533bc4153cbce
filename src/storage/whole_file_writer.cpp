#include "storage/whole_file_writer.h"

#include <random>
#include <utility>

namespace zelt {

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;

std::string randomSuffix() {
    static std::mt19937_64 engine{std::random_device{}()};
    static constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string suffix;
    for (int i = 0; i < 12; ++i)
        suffix += kAlphabet[pick(engine)];
    return suffix;
}

std::string temporaryPathFor(const std::string& target) {
    std::string folder = fs::parentFolder(target);
    if (folder.back() != '/')
        folder += '/';
    return folder + std::string(kTemporaryPrefix) + randomSuffix();
}

// The operator knows the file being written, not its temporary stand-in: a failure on the
// temporary file is reported under the target's name (a rename names both already).
FsError namingTarget(FsError error, const std::string& temporary, const std::string& target) {
    if (error.path == temporary && error.target.empty())
        error.path = target;
    return error;
}

} // namespace

WholeFileWriter::WholeFileWriter(WholeFileWriter&& other) noexcept
    : file_(std::move(other.file_)), target_(std::move(other.target_)),
      temporary_(std::exchange(other.temporary_, {})), buffer_(std::move(other.buffer_)),
      written_(std::exchange(other.written_, 0)), failure_(std::move(other.failure_)) {}

WholeFileWriter& WholeFileWriter::operator=(WholeFileWriter&& other) noexcept {
    if (this != &other) {
        abandon();
        file_ = std::move(other.file_);
        target_ = std::move(other.target_);
        temporary_ = std::exchange(other.temporary_, {});
        buffer_ = std::move(other.buffer_);
        written_ = std::exchange(other.written_, 0);
        failure_ = std::move(other.failure_);
    }
    return *this;
}

WholeFileWriter::~WholeFileWriter() {
    abandon();
}

Result<WholeFileWriter> WholeFileWriter::create(const std::string& target) {
    WholeFileWriter writer;
    writer.target_ = target;
    writer.temporary_ = temporaryPathFor(target);
    auto file = fs::open(writer.temporary_, fs::OpenMode::WriteNew);
    if (!file) {
        FsError error = namingTarget(file.error(), writer.temporary_, target);
        writer.temporary_.clear(); // nothing was created
        return error;
    }
    writer.file_ = std::move(*file);
    writer.buffer_.reserve(kBlockSize);
    return writer;
}

Status WholeFileWriter::append(std::string_view bytes) {
    if (!failure_)
        return failure_;
    if (buffer_.empty() && bytes.size() >= kBlockSize)
        return write(bytes); // a whole block already: written as it is, not copied first
    buffer_.append(bytes);
    if (buffer_.size() >= kBlockSize)
        return flush();
    return {};
}

Status WholeFileWriter::flush() {
    if (!failure_)
        return failure_;
    if (buffer_.empty())
        return {};
    Status written = write(buffer_);
    buffer_.clear();
    return written;
}

Status WholeFileWriter::write(std::string_view bytes) {
    Status written = fs::writeAt(file_, written_, bytes.data(), bytes.size());
    if (!written) {
        failure_ = namingTarget(written.error(), temporary_, target_);
        abandon(); // the file can no longer be completed
        return failure_;
    }
    fs::startSyncing(file_, written_, bytes.size()); // while the next bytes are made
    written_ += bytes.size();
    return {};
}

Status WholeFileWriter::commit() {
    if (!failure_)
        return failure_;
    if (!file_.isOpen()) {
        failure_ = FsError{"write", target_, "The file was already saved or abandoned"};
        return failure_;
    }
    Status done = flush();
    if (done)
        done = fs::sync(file_);
    file_.close();
    if (done)
        done = fs::rename(temporary_, target_);
    if (!done) {
        failure_ = namingTarget(done.error(), temporary_, target_);
        abandon();
        return failure_;
    }
    temporary_.clear();
    return {};
}

void WholeFileWriter::abandon() {
    file_.close();
    buffer_.clear();
    if (!temporary_.empty())
        (void)fs::remove(temporary_); // a leftover is cleared by removeTemporaryFiles
    temporary_.clear();
}

Status writeWholeFile(const std::string& path, std::string_view bytes) {
    auto writer = WholeFileWriter::create(path);
    if (!writer)
        return writer.error();
    if (Status appended = writer->append(bytes); !appended)
        return appended;
    return writer->commit();
}

Status copyFileReplacing(const std::string& from, const std::string& to) {
    auto source = fs::open(from, fs::OpenMode::ReadOnly);
    if (!source)
        return source.error();
    auto writer = WholeFileWriter::create(to);
    if (!writer)
        return writer.error();
    std::string block(kBlockSize, '\0');
    std::uint64_t offset = 0;
    for (;;) {
        auto got = fs::readAt(*source, offset, block.data(), block.size());
        if (!got)
            return got.error();
        if (*got == 0)
            break;
        if (Status appended = writer->append(std::string_view(block.data(), *got)); !appended)
            return appended;
        offset += *got;
    }
    return writer->commit();
}

bool isTemporaryName(std::string_view fileName) {
    return fileName.starts_with(kTemporaryPrefix);
}

Status removeTemporaryFiles(const std::string& folder) {
    auto exists = fs::isFolder(folder);
    if (!exists)
        return exists.status();
    if (!*exists)
        return {};
    auto names = fs::list(folder);
    if (!names)
        return names.error();
    Status first;
    for (const std::string& name : *names) {
        if (!isTemporaryName(name))
            continue;
        std::string path = folder;
        if (path.empty() || path.back() != '/')
            path += '/';
        Status removed = fs::remove(path + name);
        if (!removed && first)
            first = removed;
    }
    return first;
}

} // namespace zelt
