#pragma once

#include "storage/date_text.h"
#include "storage/locale_rules.h"

#include <QString>

namespace zelt::test {

// A day as the operator types it in the locale in force.
inline QString typedDate(int year, int month, int day) {
    return QString::fromStdString(formatDate(serialFromDate(year, month, day), currentRules()));
}

} // namespace zelt::test
