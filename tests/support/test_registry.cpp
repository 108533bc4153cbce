#include "support/test_registry.h"

#include <QtTest>

#include <cstdio>
#include <vector>

namespace zelt::test {

namespace {

// The test classes linked into this program, in the order of their registration.
std::vector<std::pair<std::string, MakeTest>>& registered() {
    static std::vector<std::pair<std::string, MakeTest>> tests;
    return tests;
}

} // namespace

bool registerTest(std::string name, MakeTest make) {
    registered().emplace_back(std::move(name), std::move(make));
    return true;
}

int runRegisteredTests(int argc, char** argv) {
    // The first argument, when it names no option, chooses the class; the rest go to QtTest.
    const bool chosen = argc > 1 && argv[1][0] != '-';
    std::vector<char*> args{argv[0]};
    args.insert(args.end(), argv + (chosen ? 2 : 1), argv + argc);
    int failures = 0;
    bool found = false;
    for (const auto& [name, make] : registered())
        if (!chosen || name == argv[1]) {
            found = true;
            failures += QTest::qExec(make().get(), static_cast<int>(args.size()), args.data());
        }
    if (!found)
        std::fprintf(stderr, "No test class named %s\n", argv[1]);
    return found ? failures : 1;
}

} // namespace zelt::test
