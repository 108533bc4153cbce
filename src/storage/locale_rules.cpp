#include "storage/locale_rules.h"

namespace zelt {

LocaleRules LocaleRules::dayMonthYearComma() {
    LocaleRules rules;
    rules.dateOrder = DateOrder::DayMonthYear;
    rules.dateSeparator = ".";
    rules.dayLeadingZero = true;
    rules.monthLeadingZero = true;
    rules.twelveHour = false;
    rules.hourLeadingZero = true;
    rules.decimalSeparator = ",";
    rules.groupSeparator = ".";
    return rules;
}

LocaleRules LocaleRules::monthDayYearAmPm() {
    LocaleRules rules;
    rules.dateOrder = DateOrder::MonthDayYear;
    rules.dateSeparator = "/";
    rules.dayLeadingZero = false;
    rules.monthLeadingZero = false;
    rules.twelveHour = true;
    rules.hourLeadingZero = false;
    rules.amText = "AM";
    rules.pmText = "PM";
    rules.decimalSeparator = ".";
    rules.groupSeparator = ",";
    return rules;
}

} // namespace zelt
