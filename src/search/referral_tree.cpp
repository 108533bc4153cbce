#include "search/referral_tree.h"

#include "storage/field_codec.h"
#include "storage/member_record.h"

#include <unordered_set>

namespace zelt {

Result<ReferralTree> ReferralTree::read(const std::string& membersPath) {
    const auto exists = fs::isFile(membersPath);
    if (!exists)
        return exists.error();
    LargeVector<std::int32_t> refs(1, 0);
    if (*exists) {
        auto file = RecordFile::openForReading(membersPath, MemberRecord::kLength);
        if (!file)
            return file.error();
        const auto count = file->count();
        if (!count)
            return count.error();
        refs.reserve(static_cast<std::size_t>(*count) + 1);
        const Status scanned =
            file->scan(1, *count, [&refs](std::int32_t, const std::uint8_t* record) {
                refs.push_back(field::getInt32(record + MemberRecord::kRef_ID));
                return true;
            });
        if (!scanned)
            return scanned.error();
    }
    return fromReferrers(std::move(refs));
}

ReferralTree ReferralTree::fromReferrers(LargeVector<std::int32_t> refs) {
    ReferralTree tree;
    if (refs.empty())
        refs.push_back(0);
    refs[0] = 0;
    tree.refs_ = std::move(refs);
    tree.linkChildren();
    tree.countDownlines();
    return tree;
}

void ReferralTree::linkChildren() {
    const std::int32_t count = memberCount();
    firstChild_.assign(refs_.size(), 0);
    nextSibling_.assign(refs_.size(), 0);
    // Backwards, each child put in front of its siblings: the lists end up in record order.
    for (std::int32_t n = count; n >= 1; --n) {
        const std::int32_t ref = refs_[n];
        if (!isMember(ref))
            continue;
        if (ref >= n)
            referrersComeFirst_ = false;
        nextSibling_[n] = firstChild_[ref];
        firstChild_[ref] = n;
    }
}

void ReferralTree::countDownlines() {
    const std::int32_t count = memberCount();
    downline_.assign(refs_.size(), 0);
    if (referrersComeFirst_) {
        // Each member's children have higher numbers: backwards, a member is complete before
        // its referrer takes it in.
        for (std::int32_t n = count; n >= 1; --n)
            if (isMember(refs_[n]))
                downline_[refs_[n]] += downline_[n] + 1;
        return;
    }
    // Members still waiting for children to be counted; leaves first, then each referrer once
    // all its children are done. Members left waiting lie on a cycle.
    LargeVector<std::int32_t> waiting(refs_.size(), 0);
    for (std::int32_t n = 1; n <= count; ++n)
        if (isMember(refs_[n]))
            ++waiting[refs_[n]];
    std::vector<std::int32_t> ready;
    for (std::int32_t n = 1; n <= count; ++n)
        if (waiting[n] == 0)
            ready.push_back(n);
    while (!ready.empty()) {
        const std::int32_t n = ready.back();
        ready.pop_back();
        const std::int32_t ref = refs_[n];
        if (!isMember(ref))
            continue;
        downline_[ref] += downline_[n] + 1;
        if (--waiting[ref] == 0)
            ready.push_back(ref);
    }
    // Every member of a cycle reaches the whole cycle and all that hangs below it: the cycle's
    // members with what was counted below each of them, less the member itself.
    for (std::int32_t n = 1; n <= count; ++n) {
        if (waiting[n] == 0)
            continue;
        std::int64_t total = 0;
        std::int32_t m = n;
        do {
            total += downline_[m] + 1;
            m = refs_[m];
        } while (m != n);
        m = n;
        do {
            downline_[m] = static_cast<std::int32_t>(total - 1);
            waiting[m] = 0;
            m = refs_[m];
        } while (m != n);
    }
}

std::int32_t ReferralTree::referredCount(std::int32_t n) const {
    std::int32_t referred = 0;
    for (std::int32_t c = firstChild_[n]; c != 0; c = nextSibling_[c])
        if (c != n)
            ++referred;
    return referred;
}

std::vector<ReferralTree::UplineStep> ReferralTree::upline(std::int32_t n) const {
    std::vector<UplineStep> steps;
    if (!isMember(n))
        return steps;
    std::unordered_set<std::int32_t> met{n};
    for (std::int32_t ref = refs_[n]; ref != 0; ref = refs_[ref]) {
        if (!isMember(ref)) {
            steps.push_back({ref, UplineStep::Kind::NotStored});
            break;
        }
        if (!met.insert(ref).second) {
            steps.push_back({ref, UplineStep::Kind::Again});
            break;
        }
        steps.push_back({ref, UplineStep::Kind::Member});
    }
    return steps;
}

} // namespace zelt
