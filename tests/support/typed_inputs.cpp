#include "support/typed_inputs.h"

#include "storage/date_text.h"

namespace zelt::test {

std::optional<double> TypedInput::valueAs(FieldType type) const {
    switch (type) {
    case FieldType::Int32:
        return int32;
    case FieldType::Int16:
        return int16;
    case FieldType::Single:
        return single;
    case FieldType::Date:
        return date;
    case FieldType::Text:
        break;
    }
    return std::nullopt;
}

const QList<TypedInput>& typedInputs() {
    using std::nullopt;
    static const QList<TypedInput> inputs = {
        {"empty", {}, {}, nullopt, nullopt, nullopt, nullopt},
        {"blanks only", QStringLiteral("   "), QStringLiteral("   "), nullopt, nullopt, nullopt,
         nullopt},
        {"letters", QStringLiteral("abc"), QStringLiteral("abc"), nullopt, nullopt, nullopt,
         nullopt},
        {"digits and letters", QStringLiteral("12a"), QStringLiteral("12a"), nullopt, nullopt,
         nullopt, nullopt},
        {"16-bit overflow", QStringLiteral("32768"), QStringLiteral("32768"), 32768, nullopt, 32768,
         nullopt},
        {"16-bit overflow below", QStringLiteral("-32769"), QStringLiteral("-32769"), -32769,
         nullopt, -32769, nullopt},
        {"16-bit largest", QStringLiteral("32767"), QStringLiteral("32767"), 32767, 32767, 32767,
         nullopt},
        {"32-bit overflow", QStringLiteral("2147483648"), QStringLiteral("2147483648"), nullopt,
         nullopt, 2147483648.0, nullopt},
        {"32-bit overflow below", QStringLiteral("-2147483649"), QStringLiteral("-2147483649"),
         nullopt, nullopt, -2147483649.0, nullopt},
        {"1e40", QStringLiteral("1e40"), QStringLiteral("1e40"), nullopt, nullopt, nullopt,
         nullopt},
        {"group separator", QStringLiteral("1.234"), QStringLiteral("1,234"), 1234, 1234, 1234,
         nullopt},
        // 1234.5 is rounded half to even.
        {"group and decimal separators", QStringLiteral("1.234,5"), QStringLiteral("1,234.5"), 1234,
         1234, 1234.5, nullopt},
        {"group separator misplaced", QStringLiteral("12.34"), QStringLiteral("12,34"), nullopt,
         nullopt, nullopt, nullopt},
        {"the other locale's decimal", QStringLiteral("2.5"), QStringLiteral("2,5"), nullopt,
         nullopt, nullopt, nullopt},
        {"31 February", QStringLiteral("31.02.2001"), QStringLiteral("02/31/2001"), nullopt,
         nullopt, nullopt, nullopt},
        {"29 February 2000", QStringLiteral("29.02.2000"), QStringLiteral("02/29/2000"), nullopt,
         nullopt, nullopt, serialFromDate(2000, 2, 29)},
        {"29 February 2001", QStringLiteral("29.02.2001"), QStringLiteral("02/29/2001"), nullopt,
         nullopt, nullopt, nullopt},
        {"day 0 of year 0", QStringLiteral("00.00.0000"), QStringLiteral("00/00/0000"), nullopt,
         nullopt, nullopt, nullopt},
        {"year 10000", QStringLiteral("01.01.10000"), QStringLiteral("01/01/10000"), nullopt,
         nullopt, nullopt, nullopt},
        {"25:00", QStringLiteral("25:00"), QStringLiteral("25:00"), nullopt, nullopt, nullopt,
         nullopt},
        {"a date at 25:00", QStringLiteral("03.02.2001 25:00"), QStringLiteral("02/03/2001 25:00"),
         nullopt, nullopt, nullopt, nullopt},
        {"two-digit year", QStringLiteral("03.02.01"), QStringLiteral("02/03/01"), nullopt, nullopt,
         nullopt, serialFromDate(2001, 2, 3)},
    };
    return inputs;
}

} // namespace zelt::test
