#pragma once

#include <string>

namespace zelt::test {

// A program folder in use, under testApp().dir: two records in each of the five data files, the
// side texts of each record, an earlier export and file for calculations of each kind in "output",
// and an earlier backup of each data file in "backcopies". Member 2 was referred by member 1;
// both use scheme 1. Written past the program's file layer, so no fault hook sees it.
void writeSampleData();

// The folder of the search tests (dates 16.11.2001 unless said): members 1 "Ann" (surname Lee,
// level 10), 2 "Anne" (referred by 1), 3 " ANN" and 4 "ann" (both by 2; 4 has Egold 12), three
// schemes; sales of members 7, 8, 7 (10.01.2002), 7 (15.11.2001), 9 (17.11.2001 12:00) with sums
// 1.5 to 5; communications of members 12 "Invoice", 120 "Invoice", 112 "Unpaid invoice", 12
// "INVOICE" (01.12.2001), 7 "Invoice March" and 12 "Hello" (answered 20.11.2001, the last two on
// 01.12.2001); side texts addinfo/3.txt, addinfo/s3.txt and comm/4.txt.
void writeSearchData();

// Writes bytes to a file under testApp().dir, making its folders.
void writeUnderAppDir(const std::string& relative, const std::string& bytes);
// Overwrites bytes of a file under testApp().dir from offset on (the file grows as needed).
void patchUnderAppDir(const std::string& relative, int offset, const std::string& bytes);

} // namespace zelt::test
