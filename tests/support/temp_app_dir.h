#pragma once

#include <string>

namespace zelt::test {

// A fresh, empty folder under /tmp for one test, standing in for the program's directory.
// Removed with everything in it when the object is destroyed.
class TempAppDir {
public:
    TempAppDir();
    ~TempAppDir();
    TempAppDir(const TempAppDir&) = delete;
    TempAppDir& operator=(const TempAppDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + relative
    std::string file(const std::string& relative) const { return path_ + "/" + relative; }

private:
    std::string path_;
};

} // namespace zelt::test
