#pragma once

#include <QList>
#include <QString>

#include <optional>

// What an operator may type into a field, in the two test locales ("dmy": day.month.year with
// decimal comma and "." groups; "mdy": month/day/year with AM/PM, decimal point and ","
// groups), and what each kind of field must make of it.
namespace zelt::test {

enum class FieldType { Int32, Int16, Single, Date, Text };

struct TypedInput {
    const char* name;
    QString dmy;
    QString mdy;
    // The value stored for each kind of field; none where the text is refused as not a value.
    std::optional<double> int32;
    std::optional<double> int16;
    std::optional<double> single;
    std::optional<double> date; // days since 1899-12-30

    const QString& text(bool dayMonthYear) const { return dayMonthYear ? dmy : mdy; }
    std::optional<double> valueAs(FieldType type) const;
};

// The table of inputs: empty, blanks only, letters, overflows, 1e40, group separators,
// impossible and leap-day dates, year 0 and 10000, 25:00, a two-digit year.
const QList<TypedInput>& typedInputs();

} // namespace zelt::test
