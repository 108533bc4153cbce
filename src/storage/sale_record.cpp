#include "storage/sale_record.h"

#include "storage/field_codec.h"

namespace zelt {

namespace {
constexpr int kMemberID = 0, kSum = 4, kDate = 8;
} // namespace

SaleRecord SaleRecord::decode(const std::uint8_t* bytes) {
    SaleRecord s;
    s.MemberID = field::getInt32(bytes + kMemberID);
    s.Sum = field::getSingle(bytes + kSum);
    s.Date = field::getDouble(bytes + kDate);
    return s;
}

RecordBytes SaleRecord::encode() const {
    RecordBytes bytes(kLength, 0);
    field::putInt32(bytes.data() + kMemberID, MemberID);
    field::putSingle(bytes.data() + kSum, Sum);
    field::putDouble(bytes.data() + kDate, Date);
    return bytes;
}

} // namespace zelt
