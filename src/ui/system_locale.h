#pragma once

#include "storage/locale_rules.h"

class QLocale;

namespace zelt {

// The conversion rules of a Qt locale: the order, separator and leading zeros of its short date
// format (the year always shown with four digits), 12 or 24 hour time from its short time format,
// its AM/PM texts and its decimal and group separators. The C locale gives LocaleRules::c().
LocaleRules rulesFromLocale(const QLocale& locale);

} // namespace zelt
