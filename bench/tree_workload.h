#pragma once

#include "workload.h"

namespace zelt::bench {

// "open-tree": the referral tree window of the member at the top of the largest downline, with
// its level table, opened from the member editor by its button (the editor is open before the
// timed run; the window is closed after it).
WorkloadMaker treeOpening();

} // namespace zelt::bench
