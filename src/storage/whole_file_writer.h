#pragma once

#include "storage/file_system.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelt {

// Writes a whole file so that a failure never leaves half a file under the real name: the bytes
// go to a temporary file in the same folder, which is synced and renamed over the target on
// commit(). Until then the target keeps its old content; a writer destroyed without commit()
// removes its temporary file.
class WholeFileWriter {
public:
    WholeFileWriter() = default;
    WholeFileWriter(WholeFileWriter&& other) noexcept;
    // Abandons this writer's own temporary file before taking over the other's.
    WholeFileWriter& operator=(WholeFileWriter&& other) noexcept;
    ~WholeFileWriter();

    static Result<WholeFileWriter> create(const std::string& target);

    Status append(std::string_view bytes); // buffered; flushed in large blocks
    Status commit();                       // flush, sync, rename over the target
    void abandon();                        // remove the temporary file, keep the target

private:
    Status flush();
    Status write(std::string_view bytes); // at the end of what is written, not buffered

    fs::File file_;
    std::string target_;
    std::string temporary_;
    std::string buffer_;
    std::uint64_t written_ = 0;
    Status failure_; // the first failure; every later call reports it again
};

// Replaces the file at path by the given bytes, through a WholeFileWriter.
Status writeWholeFile(const std::string& path, std::string_view bytes);

// Copies a file so that the target is always either the old or the new copy, whole.
Status copyFileReplacing(const std::string& from, const std::string& to);

// Temporary names begin with this prefix, which no file of the system has.
inline constexpr std::string_view kTemporaryPrefix = ".zelt-tmp-";
bool isTemporaryName(std::string_view fileName);

// Removes leftovers of interrupted writes from a folder (a missing folder is fine).
Status removeTemporaryFiles(const std::string& folder);

} // namespace zelt
