#pragma once

#include "storage/date_text.h"
#include "support/test_app.h"

#include <QString>

namespace zelt::test {

// A day as the operator types it in the locale in force.
inline QString typedDate(int year, int month, int day) {
    return QString::fromStdString(formatDate(serialFromDate(year, month, day), testApp().rules));
}

} // namespace zelt::test
