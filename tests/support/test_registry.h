#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>

namespace zelt::test {

// Makes an object of a test class.
using MakeTest = std::function<std::unique_ptr<QObject>()>;

// Adds a test class to this program (see ZELT_TEST).
bool registerTest(std::string name, MakeTest make);

// Runs the named class (every class when the name is empty) with QtTest's own arguments;
// returns the number of failures, or 1 when no class has that name.
int runRegisteredTests(int argc, char** argv);

} // namespace zelt::test

// Puts a QtTest class into this test program; ctest runs each class in a process of its own.
#define ZELT_TEST(Class)                                                                           \
    static const bool zeltRegistered##Class =                                                      \
        zelt::test::registerTest(#Class, [] { return std::make_unique<Class>(); });
