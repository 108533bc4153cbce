#pragma once

#include "storage/locale_rules.h"

class QLocale;

namespace zelt {

// The conversion rules of a Qt locale: the order, separator, leading zeros and trailing dot of
// its short date format (the year always shown with four digits); 12 or 24 hour time, the time
// separator and the place of AM/PM from its short time format; its AM/PM texts and its decimal
// and group separators. The C locale gives LocaleRules::c(); so does a system locale whose
// language is C, except for what LC_TIME and LC_NUMERIC name (Qt reports their formats).
LocaleRules rulesFromLocale(const QLocale& locale);

} // namespace zelt
