#include "support/temp_app_dir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace zelt::test {

TempAppDir::TempAppDir() {
    std::string pattern = "/tmp/zelt-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder under /tmp");
    path_ = pattern;
}

TempAppDir::~TempAppDir() {
    std::error_code ignored;
    // Tests may leave read-only entries behind; make everything writable before removing it.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         !ignored && it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string TempAppDir::file(const std::string& relative) const {
    return path_ + "/" + relative;
}

} // namespace zelt::test
