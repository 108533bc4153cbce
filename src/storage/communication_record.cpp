#include "storage/communication_record.h"

#include "storage/field_codec.h"

namespace zelt {

namespace {
constexpr int kMemberID = 0, kSubject = 4, kDate = 34, kDate_R = 42;
} // namespace

CommunicationRecord CommunicationRecord::decode(const std::uint8_t* bytes) {
    CommunicationRecord c;
    c.MemberID = field::getInt32(bytes + kMemberID);
    c.Subject = field::getText(bytes + kSubject, kSubjectWidth);
    c.Date = field::getDouble(bytes + kDate);
    c.Date_R = field::getDouble(bytes + kDate_R);
    return c;
}

RecordBytes CommunicationRecord::encode(bool* replaced) const {
    RecordBytes bytes(kLength, 0);
    field::putInt32(bytes.data() + kMemberID, MemberID);
    const bool lost = field::putText(bytes.data() + kSubject, kSubjectWidth, Subject);
    field::putDouble(bytes.data() + kDate, Date);
    field::putDouble(bytes.data() + kDate_R, Date_R);
    if (replaced)
        *replaced = lost;
    return bytes;
}

} // namespace zelt
