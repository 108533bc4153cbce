#pragma once

#include "storage/locale_rules.h"

#include <string>

namespace zelt {

// Where the program keeps its files and how it converts typed values: made once at start-up and
// passed to every window, export and file writer that needs it.
struct AppContext {
    // The program's directory, without a trailing separator.
    std::string dir;
    // The system locale's conversion rules.
    LocaleRules rules;
};

} // namespace zelt
