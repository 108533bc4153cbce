#pragma once

#include "storage/locale_rules.h"

#include <QString>
#include <QTest>

namespace zelt::test {

// The three locales the tests run in, by a short name that reads well in a data table:
// "dmy" (day.month.year, decimal comma), "mdy" (month/day/year, AM/PM) and "c".
inline LocaleRules testRules(const QString& name) {
    if (name == QLatin1String("dmy"))
        return LocaleRules::dayMonthYearComma();
    if (name == QLatin1String("mdy"))
        return LocaleRules::monthDayYearAmPm();
    if (name != QLatin1String("c"))
        qFatal("unknown test locale %s", qPrintable(name));
    return LocaleRules::c();
}

// Pins the program-wide rules for the life of the object and puts back the earlier ones.
class ScopedRules {
public:
    explicit ScopedRules(const LocaleRules& rules) : saved_(currentRules()) {
        setCurrentRules(rules);
    }
    ~ScopedRules() { setCurrentRules(saved_); }
    ScopedRules(const ScopedRules&) = delete;
    ScopedRules& operator=(const ScopedRules&) = delete;

private:
    LocaleRules saved_;
};

} // namespace zelt::test
