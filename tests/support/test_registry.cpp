#include "support/test_registry.h"

#include <QtTest>

#include <cstdio>
#include <cstring>

namespace zelt::test {

std::vector<RegisteredTest>& registeredTests() {
    static std::vector<RegisteredTest> tests;
    return tests;
}

bool registerTest(std::string name, std::function<std::unique_ptr<QObject>()> make) {
    registeredTests().push_back({std::move(name), std::move(make)});
    return true;
}

int runRegisteredTests(int argc, char** argv) {
    // The first argument, when it names no option, chooses the class; the rest go to QtTest.
    std::string chosen;
    std::vector<char*> args{argv[0]};
    int first = 1;
    if (argc > 1 && argv[1][0] != '-') {
        chosen = argv[1];
        first = 2;
    }
    for (int i = first; i < argc; ++i) {
        args.push_back(argv[i]);
    }
    int failures = 0;
    bool found = false;
    for (const RegisteredTest& test : registeredTests()) {
        if (!chosen.empty() && test.name != chosen) {
            continue;
        }
        found = true;
        std::unique_ptr<QObject> object = test.make();
        failures += QTest::qExec(object.get(), static_cast<int>(args.size()), args.data());
    }
    if (!found) {
        std::fprintf(stderr, "No test class named %s\n", chosen.c_str());
        return 1;
    }
    return failures;
}

} // namespace zelt::test
