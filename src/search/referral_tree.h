#pragma once

#include "storage/fs_error.h"
#include "storage/large_vector.h"
#include "storage/record_file.h"

#include <cstdint>
#include <vector>

namespace zelt {

// Who referred whom, for every member of the members file at once. Built in one pass over the
// file: each member's stored referrer, and its children (the members that name it as their
// referrer) as two arrays, the first child and the next sibling of each member, so that the
// children of a member come in record order. A second pass counts each member's downline (all
// members below it, each once, never itself) also where referrers form a cycle.
//
// A referrer that is no member number of the file (0, negative, past the end) makes its member a
// top of its own tree. Cycles can be stored (the editor does not prevent them); a member met
// again below itself is always the member whose downline is walked, never another one.
class ReferralTree {
public:
    // Reads the members file (missing: no members). Member numbers are record numbers.
    static Result<ReferralTree> read(const std::string& membersPath);
    // From the stored referrers of members 1..n (refs[0] is unused).
    static ReferralTree fromReferrers(LargeVector<std::int32_t> refs);

    std::int32_t memberCount() const { return static_cast<std::int32_t>(refs_.size()) - 1; }
    bool isMember(std::int32_t n) const { return n >= 1 && n <= memberCount(); }
    // The stored referrer of member n, as stored (it may name no member).
    std::int32_t referrer(std::int32_t n) const { return refs_[n]; }
    // The first child of member n and the child after child c of the same referrer; 0 at the end.
    std::int32_t firstChild(std::int32_t n) const { return firstChild_[n]; }
    std::int32_t nextSibling(std::int32_t c) const { return nextSibling_[c]; }
    // Number of members whose referrer is n, n itself not counted.
    std::int32_t referredCount(std::int32_t n) const;
    // All members below n, each counted once, never n itself.
    std::int32_t downlineSize(std::int32_t n) const { return downline_[n]; }
    // True when every member's referrer, if it is a member, has a lower number (as the editor
    // stores new members): there is no cycle, and every member lies below its referrer in
    // record order, which lets one pass in record order replace a walk of the tree.
    bool referrersComeFirst() const { return referrersComeFirst_; }

    // One step of a member's upline: its referrer, that one's referrer, and so on.
    struct UplineStep {
        enum class Kind {
            Member,    // a stored member
            NotStored, // a referrer that is no member of the file; the chain ends here
            Again,     // a member already met (the chain closes a cycle); the chain ends here
        };
        std::int32_t member;
        Kind kind;
    };
    // The referrers of member n up to the top, n not included.
    std::vector<UplineStep> upline(std::int32_t n) const;

private:
    void linkChildren();
    void countDownlines();

    LargeVector<std::int32_t> refs_;
    LargeVector<std::int32_t> firstChild_;
    LargeVector<std::int32_t> nextSibling_;
    LargeVector<std::int32_t> downline_;
    bool referrersComeFirst_ = true;
};

} // namespace zelt
