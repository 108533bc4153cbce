#pragma once

#include <string>

namespace zelt::test {

// A program folder in use, under testApp().dir: two records in each of the five data files, the
// side texts of each record, an earlier export and file for calculations of each kind in "output",
// and an earlier backup of each data file in "backcopies". Member 2 was referred by member 1;
// both use scheme 1. Written past the program's file layer, so no fault hook sees it.
void writeSampleData();

// Writes bytes to a file under testApp().dir, making its folders.
void writeUnderAppDir(const std::string& relative, const std::string& bytes);

} // namespace zelt::test
