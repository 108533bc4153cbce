#include "storage/file_system.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zelt::fs {

namespace {

constexpr std::size_t kCopyBlock = std::size_t{1} << 20;

FaultHook& faultHook() {
    static FaultHook hook;
    return hook;
}

const char* actionWord(Op op) {
    switch (op) {
    case Op::Exists:
        return "find";
    case Op::CreateFolder:
        return "create the folder";
    case Op::Open:
        return "open";
    case Op::Read:
        return "read";
    case Op::Write:
        return "write";
    case Op::Sync:
        return "save to disk";
    case Op::Length:
        return "get the length of";
    case Op::Rename:
        return "rename";
    case Op::Copy:
        return "copy";
    case Op::Remove:
        return "delete";
    case Op::List:
        return "list";
    }
    return "use";
}

FsError failure(Op op, const std::string& path, int code, const std::string& target = {}) {
    return FsError{actionWord(op), path, std::strerror(code), target, code};
}

// The errno that the installed hook asks for, 0 to let the operation through.
int injectedFault(Op op, const std::string& path) {
    const FaultHook& hook = faultHook();
    return hook ? hook(op, path) : 0;
}

int openFlags(OpenMode mode) {
    switch (mode) {
    case OpenMode::ReadOnly:
        return O_RDONLY;
    case OpenMode::ReadWriteCreate:
        return O_RDWR | O_CREAT;
    case OpenMode::WriteNew:
        return O_WRONLY | O_CREAT | O_TRUNC;
    }
    return O_RDONLY;
}

int openRaw(const std::string& path, int flags) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Reads until size bytes or the end of the file; -1 with errno on failure.
ssize_t readFully(int fd, std::uint64_t offset, void* buffer, std::size_t size) {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, out + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

// Writes all bytes; false with errno on failure.
bool writeFully(int fd, std::uint64_t offset, const void* data, std::size_t size) {
    const auto* in = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, in + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Asks the system for the kind of entry at path: 0 when missing, else the st_mode type bits.
Result<mode_t> entryType(const std::string& path) {
    if (const int fault = injectedFault(Op::Exists, path))
        return failure(Op::Exists, path, fault);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return mode_t{0};
        return failure(Op::Exists, path, errno);
    }
    return static_cast<mode_t>(info.st_mode & S_IFMT);
}

// Makes a rename in the folder durable. Not every file system can sync a folder; a failure here
// leaves the rename done, so it is not reported.
void syncFolderQuietly(const std::string& folder) {
    const int fd = openRaw(folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

struct FileAccess {
    static int fd(const File& file) { return file.fd_; }
    static File make(int fd, std::string path) {
        File file;
        file.fd_ = fd;
        file.path_ = std::move(path);
        return file;
    }
};

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

File::~File() {
    close();
}

void File::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void setFaultHook(FaultHook hook) {
    faultHook() = std::move(hook);
}

Result<bool> isFolder(const std::string& path) {
    auto type = entryType(path);
    if (!type)
        return type.error();
    return *type == S_IFDIR;
}

Result<bool> isFile(const std::string& path) {
    auto type = entryType(path);
    if (!type)
        return type.error();
    return *type == S_IFREG;
}

Status createFolder(const std::string& path) {
    if (const int fault = injectedFault(Op::CreateFolder, path))
        return failure(Op::CreateFolder, path, fault);
    if (::mkdir(path.c_str(), 0777) == 0)
        return {};
    const int code = errno;
    struct stat info {};
    if (code == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return {};
    return failure(Op::CreateFolder, path, code);
}

std::string parentFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

Result<File> open(const std::string& path, OpenMode mode) {
    if (const int fault = injectedFault(Op::Open, path))
        return failure(Op::Open, path, fault);
    const int fd = openRaw(path, openFlags(mode));
    if (fd < 0)
        return failure(Op::Open, path, errno);
    File file = FileAccess::make(fd, path);
    // A folder opens for reading on this system; it is no file of ours all the same.
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return failure(Op::Open, path, errno);
    if (S_ISDIR(info.st_mode))
        return failure(Op::Open, path, EISDIR);
    return file;
}

Result<File> lockFolder(const std::string& path) {
    if (const int fault = injectedFault(Op::Open, path))
        return failure(Op::Open, path, fault);
    const int fd = openRaw(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return failure(Op::Open, path, errno);
    File folder = FileAccess::make(fd, path);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return failure(Op::Open, path, errno);
    return folder;
}

Result<std::size_t> readAt(File& file, std::uint64_t offset, void* buffer, std::size_t size) {
    if (const int fault = injectedFault(Op::Read, file.path()))
        return failure(Op::Read, file.path(), fault);
    const ssize_t n = readFully(FileAccess::fd(file), offset, buffer, size);
    if (n < 0)
        return failure(Op::Read, file.path(), errno);
    return static_cast<std::size_t>(n);
}

Status writeAt(File& file, std::uint64_t offset, const void* data, std::size_t size) {
    const int fd = FileAccess::fd(file);
    struct stat before {};
    const bool lengthKnown = ::fstat(fd, &before) == 0;
    int code = injectedFault(Op::Write, file.path());
    if (code == 0 && !writeFully(fd, offset, data, size))
        code = errno;
    if (code == 0)
        return {};
    // A write that stopped part-way (a full disk) takes back what it added past the old end, so a
    // partly appended record never stays behind.
    struct stat after {};
    if (lengthKnown && ::fstat(fd, &after) == 0 && after.st_size > before.st_size) {
        while (::ftruncate(fd, before.st_size) != 0 && errno == EINTR) {
        }
    }
    return failure(Op::Write, file.path(), code);
}

Status sync(File& file) {
    if (const int fault = injectedFault(Op::Sync, file.path()))
        return failure(Op::Sync, file.path(), fault);
    if (::fsync(FileAccess::fd(file)) != 0)
        return failure(Op::Sync, file.path(), errno);
    return {};
}

void startSyncing(File& file, std::uint64_t offset, std::size_t size) {
    ::sync_file_range(FileAccess::fd(file), static_cast<off_t>(offset), static_cast<off_t>(size),
                      SYNC_FILE_RANGE_WRITE);
}

Result<std::uint64_t> length(File& file) {
    if (const int fault = injectedFault(Op::Length, file.path()))
        return failure(Op::Length, file.path(), fault);
    struct stat info {};
    if (::fstat(FileAccess::fd(file), &info) != 0)
        return failure(Op::Length, file.path(), errno);
    return static_cast<std::uint64_t>(info.st_size);
}

Status rename(const std::string& from, const std::string& to) {
    for (const std::string* path : {&from, &to})
        if (const int fault = injectedFault(Op::Rename, *path))
            return failure(Op::Rename, from, fault, to);
    if (::rename(from.c_str(), to.c_str()) != 0)
        return failure(Op::Rename, from, errno, to);
    syncFolderQuietly(parentFolder(to));
    return {};
}

Status copy(const std::string& from, const std::string& to) {
    for (const std::string* path : {&from, &to})
        if (const int fault = injectedFault(Op::Copy, *path))
            return failure(Op::Copy, from, fault, to);
    const int in = openRaw(from, O_RDONLY);
    if (in < 0)
        return failure(Op::Copy, from, errno, to);
    File source = FileAccess::make(in, from);
    struct stat info {};
    if (::fstat(in, &info) != 0)
        return failure(Op::Copy, from, errno, to);
    if (S_ISDIR(info.st_mode))
        return failure(Op::Copy, from, EISDIR, to);
    const int out = openRaw(to, O_WRONLY | O_CREAT | O_TRUNC);
    if (out < 0)
        return failure(Op::Copy, from, errno, to);
    File target = FileAccess::make(out, to);

    std::string block(kCopyBlock, '\0');
    std::uint64_t offset = 0;
    for (;;) {
        const ssize_t n = readFully(in, offset, block.data(), block.size());
        if (n < 0)
            return failure(Op::Copy, from, errno, to);
        if (n == 0)
            break;
        if (!writeFully(out, offset, block.data(), static_cast<std::size_t>(n)))
            return failure(Op::Copy, from, errno, to);
        offset += static_cast<std::uint64_t>(n);
    }
    if (::fsync(out) != 0)
        return failure(Op::Copy, from, errno, to);
    return {};
}

Status remove(const std::string& path) {
    if (const int fault = injectedFault(Op::Remove, path))
        return failure(Op::Remove, path, fault);
    if (::unlink(path.c_str()) != 0)
        return failure(Op::Remove, path, errno);
    return {};
}

Result<std::vector<std::string>> list(const std::string& folder) {
    if (const int fault = injectedFault(Op::List, folder))
        return failure(Op::List, folder, fault);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return failure(Op::List, folder, errno);
    std::vector<std::string> names;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr)
            break;
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    const int code = errno;
    ::closedir(dir);
    if (code != 0)
        return failure(Op::List, folder, code);
    return names;
}

Result<std::string> readWhole(const std::string& path) {
    auto file = open(path, OpenMode::ReadOnly);
    if (!file)
        return file.error();
    auto size = length(*file);
    if (!size)
        return size.error();
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    auto got = readAt(*file, 0, bytes.data(), bytes.size());
    if (!got)
        return got.error();
    bytes.resize(*got);
    // A file that grew since its length was taken is read to its end.
    char more[4096];
    for (;;) {
        auto extra = readAt(*file, bytes.size(), more, sizeof more);
        if (!extra)
            return extra.error();
        if (*extra == 0)
            break;
        bytes.append(more, *extra);
    }
    return bytes;
}

} // namespace zelt::fs
