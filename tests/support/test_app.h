#pragma once

#include "storage/app_context.h"
#include "storage/member_count.h" // countMembers(testApp().dir)

namespace zelt {

// The folder and locale rules a test works with. The editor windows share it while they take
// theirs from the main window.
AppContext& testApp();

} // namespace zelt
