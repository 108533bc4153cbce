#pragma once

#include <functional>
#include <string>
#include <vector>

// The actions that the crash tests kill in the middle, and the program folders they start from.
namespace zelt::test {

// Records in each data file of a folder; 0 makes an empty data file, a negative number leaves
// the data file out.
struct CrashSizes {
    int members = -1;
    int sales = -1;
    int payments = -1;
    int communications = -1;
    int schemes = -1;
};

// Writes a program folder: data files with the given numbers of records, a side text for every
// record, and (with outputsExist) an earlier export, calculation file and backup of every kind.
void buildCrashFolder(const std::string& root, const CrashSizes& sizes, bool outputsExist);

// One action on the folder named by testApp().dir, as the program performs it; true when it
// succeeded.
struct CrashScenario {
    std::string name;
    CrashSizes sizes;
    bool outputsExist = false;
    std::function<bool()> action;
};

const std::vector<CrashScenario>& crashScenarios();

} // namespace zelt::test
