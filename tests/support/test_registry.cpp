#include "support/test_registry.h"

#include <QtTest>

#include <cstdio>

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
    const bool chosen = argc > 1 && argv[1][0] != '-';
    std::vector<char*> args{argv[0]};
    args.insert(args.end(), argv + (chosen ? 2 : 1), argv + argc);
    int failures = 0;
    bool found = false;
    for (const RegisteredTest& test : registeredTests()) {
        if (chosen && test.name != argv[1])
            continue;
        found = true;
        failures += QTest::qExec(test.make().get(), static_cast<int>(args.size()), args.data());
    }
    if (!found)
        std::fprintf(stderr, "No test class named %s\n", argv[1]);
    return found ? failures : 1;
}

} // namespace zelt::test
