#include "storage/member_record.h"

#include "storage/field_codec.h"

namespace zelt {

namespace {

std::string textAt(const std::uint8_t* bytes, MemberRecord::Field field) {
    return field::getText(bytes + field.offset, static_cast<std::size_t>(field.width));
}

bool putTextAt(RecordBytes& bytes, MemberRecord::Field field, const std::string& text) {
    return field::putText(bytes.data() + field.offset, static_cast<std::size_t>(field.width), text);
}

} // namespace

MemberRecord MemberRecord::decode(const std::uint8_t* bytes) {
    MemberRecord m;
    m.Name = textAt(bytes, kName);
    m.Surname = textAt(bytes, kSurname);
    m.Street = textAt(bytes, kStreet);
    m.City = textAt(bytes, kCity);
    m.Post_Cod = textAt(bytes, kPost_Cod);
    m.Country = textAt(bytes, kCountry);
    m.Phone = textAt(bytes, kPhone);
    m.E_mail = textAt(bytes, kE_mail);
    m.URL = textAt(bytes, kURL);
    m.AffiliateID = field::getInt32(bytes + kAffiliateID);
    m.Ref_ID = field::getInt32(bytes + kRef_ID);
    m.Egold_ID = field::getInt32(bytes + kEgold_ID);
    m.AP_ID = field::getInt16(bytes + kAP_ID);
    m.Level = field::getInt32(bytes + kLevel);
    m.Date = field::getDouble(bytes + kDate);
    return m;
}

RecordBytes MemberRecord::encode(bool* replaced) const {
    RecordBytes bytes(kLength, 0);
    bool lost = false;
    lost |= putTextAt(bytes, kName, Name);
    lost |= putTextAt(bytes, kSurname, Surname);
    lost |= putTextAt(bytes, kStreet, Street);
    lost |= putTextAt(bytes, kCity, City);
    lost |= putTextAt(bytes, kPost_Cod, Post_Cod);
    lost |= putTextAt(bytes, kCountry, Country);
    lost |= putTextAt(bytes, kPhone, Phone);
    lost |= putTextAt(bytes, kE_mail, E_mail);
    lost |= putTextAt(bytes, kURL, URL);
    field::putInt32(bytes.data() + kAffiliateID, AffiliateID);
    field::putInt32(bytes.data() + kRef_ID, Ref_ID);
    field::putInt32(bytes.data() + kEgold_ID, Egold_ID);
    field::putInt16(bytes.data() + kAP_ID, AP_ID);
    field::putInt32(bytes.data() + kLevel, Level);
    field::putDouble(bytes.data() + kDate, Date);
    if (replaced)
        *replaced = lost;
    return bytes;
}

} // namespace zelt
