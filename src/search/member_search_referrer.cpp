#include "search/member_search_referrer.h"

#include "storage/field_codec.h"
#include "storage/member_record.h"

namespace zelt {

Result<bool> memberIdStored(RecordFile& file, std::int32_t recordCount, std::int32_t id) {
    if (id >= 1 && id <= recordCount) {
        auto record = file.read(id);
        if (!record)
            return record.error();
        if (*record && field::getInt32((*record)->data() + MemberRecord::kAffiliateID) == id)
            return true;
    }
    bool found = false;
    const Status scanned = file.scan(1, recordCount, [&](std::int32_t, const std::uint8_t* bytes) {
        found = field::getInt32(bytes + MemberRecord::kAffiliateID) == id;
        return !found;
    });
    if (!scanned)
        return scanned.error();
    return found;
}

} // namespace zelt
