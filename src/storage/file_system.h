#pragma once

#include "storage/fs_error.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The one place where the program touches the file system. Every folder and file operation of
// the program goes through these functions, so that tests can make any one of them fail.
namespace zelt::fs {

enum class Op { Exists, CreateFolder, Open, Read, Write, Sync, Length, Rename, Copy, Remove, List };

// An open file. Closed when destroyed; movable, not copyable.
class File {
public:
    File() = default;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    void close();

private:
    friend struct FileAccess;
    int fd_ = -1;
    std::string path_;
};

enum class OpenMode {
    ReadOnly,        // an existing file, for reading
    ReadWriteCreate, // read and write; an empty file is created when missing
    WriteNew,        // a new file, truncated if it exists, for writing
};

// Tests install a hook that is asked before every operation; a non-zero result is taken as the
// errno with which that operation fails. An empty hook lets every operation through. A rename or
// copy asks the hook twice, with the source and then with the target.
using FaultHook = std::function<int(Op op, const std::string& path)>;
void setFaultHook(FaultHook hook);

Result<bool> isFolder(const std::string& path);
Result<bool> isFile(const std::string& path);
Status createFolder(const std::string& path);

Result<File> open(const std::string& path, OpenMode mode);
// Reads up to size bytes at offset; fewer only at the end of the file.
Result<std::size_t> readAt(File& file, std::uint64_t offset, void* buffer, std::size_t size);
// Writes all bytes at offset in one positioned write. A write that fails part-way leaves the
// file's length as it was: what it added past the old end is cut off again.
Status writeAt(File& file, std::uint64_t offset, const void* data, std::size_t size);
Status sync(File& file);
// Starts putting bytes just written on the disk without waiting for them, so that the file's
// sync has less left to wait for. Only a hint, not an operation that can fail: sync() alone
// tells whether the bytes reached the disk.
void startSyncing(File& file, std::uint64_t offset, std::size_t size);
Result<std::uint64_t> length(File& file);

// The folder that holds path: "." for a bare name, "/" for an entry of the root folder.
std::string parentFolder(const std::string& path);

// Renames, replacing the target, then pushes the change of the target's folder to the disk.
Status rename(const std::string& from, const std::string& to);
// Copies a plain file, replacing the target.
Status copy(const std::string& from, const std::string& to);
Status remove(const std::string& path);
// Names of the entries of a folder, without "." and "..".
Result<std::vector<std::string>> list(const std::string& folder);

// Holds an advisory lock on a folder for as long as the returned handle lives, so that one copy
// of the program works on a folder at a time. Fails with EWOULDBLOCK when another process holds
// it. The lock goes with the process, so a crashed program leaves none behind.
Result<File> lockFolder(const std::string& path);

// Reads a whole file; a missing file is an error.
Result<std::string> readWhole(const std::string& path);

} // namespace zelt::fs
