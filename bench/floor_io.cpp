#include "floor_io.h"

#include <chrono>
#include <fcntl.h>
#include <unistd.h>

namespace zelt::bench {

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20;

double since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

double readSeconds(const std::vector<std::string>& files) {
    std::vector<char> buffer(kBlock);
    const auto start = std::chrono::steady_clock::now();
    for (const auto& path : files) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        while (read(fd, buffer.data(), buffer.size()) > 0) {
        }
        close(fd);
    }
    return since(start);
}

double writeSeconds(const std::string& path, std::uint64_t bytes) {
    std::vector<char> buffer(kBlock, 'x');
    const auto start = std::chrono::steady_clock::now();
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return 0;
    for (std::uint64_t left = bytes; left > 0;) {
        const std::size_t size = left < kBlock ? static_cast<std::size_t>(left) : kBlock;
        const ssize_t written = write(fd, buffer.data(), size);
        if (written <= 0)
            break;
        left -= static_cast<std::uint64_t>(written);
    }
    fsync(fd);
    close(fd);
    const double seconds = since(start);
    unlink(path.c_str());
    return seconds;
}

} // namespace zelt::bench
