#pragma once

#include "storage/locale_rules.h"

// The exports and the files for calculations are single-byte (Windows-1252) files; the windows
// show the locale's own forms.
namespace zelt {

// The rules those files are written with: the locale's rules with their texts as Windows-1252
// bytes and invisible marks (right-to-left marks and their kin) left out. A text that cannot be
// stored falls back: AM/PM to "AM"/"PM" (both together), the decimal separator to ".", the
// date separator to "/", the time separator to ":", the group separator to none.
LocaleRules fileRules(const LocaleRules& locale);

} // namespace zelt
