#include "support/temp_app_dir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace zelt::test {

TempAppDir::TempAppDir() {
    std::string pattern = "/tmp/zelt-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder under /tmp");
    path_ = pattern;
}

TempAppDir::~TempAppDir() {
    namespace stdfs = std::filesystem;
    std::error_code ignored;
    // Tests may leave read-only entries behind; make everything writable before removing it.
    for (auto it = stdfs::recursive_directory_iterator(path_, ignored);
         !ignored && it != stdfs::recursive_directory_iterator(); it.increment(ignored))
        stdfs::permissions(it->path(), stdfs::perms::owner_all, stdfs::perm_options::add, ignored);
    stdfs::remove_all(path_, ignored);
}

} // namespace zelt::test
