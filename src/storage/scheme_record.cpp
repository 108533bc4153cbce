#include "storage/scheme_record.h"

#include "storage/field_codec.h"

namespace zelt {

namespace {
constexpr int kType_of_payment = 0, kMinPayment = 10, kPeriodicity = 14, kUnit = 16, kScheme = 26,
              kLevel1 = 28;
} // namespace

SchemeRecord SchemeRecord::decode(const std::uint8_t* bytes) {
    SchemeRecord s;
    s.Type_of_payment = field::getText(bytes + kType_of_payment, kTextWidth);
    s.MinPayment = field::getSingle(bytes + kMinPayment);
    s.Periodicity = field::getInt16(bytes + kPeriodicity);
    s.Unit = field::getText(bytes + kUnit, kTextWidth);
    s.Scheme = field::getInt16(bytes + kScheme);
    for (std::size_t i = 0; i < s.Level.size(); ++i)
        s.Level[i] = field::getSingle(bytes + kLevel1 + 4 * i);
    return s;
}

RecordBytes SchemeRecord::encode(bool* replaced) const {
    RecordBytes bytes(kLength, 0);
    bool lost = field::putText(bytes.data() + kType_of_payment, kTextWidth, Type_of_payment);
    field::putSingle(bytes.data() + kMinPayment, MinPayment);
    field::putInt16(bytes.data() + kPeriodicity, Periodicity);
    lost |= field::putText(bytes.data() + kUnit, kTextWidth, Unit);
    field::putInt16(bytes.data() + kScheme, Scheme);
    for (std::size_t i = 0; i < Level.size(); ++i)
        field::putSingle(bytes.data() + kLevel1 + 4 * i, Level[i]);
    if (replaced)
        *replaced = lost;
    return bytes;
}

} // namespace zelt
