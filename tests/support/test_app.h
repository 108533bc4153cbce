#pragma once

#include "storage/app_context.h"
#include "storage/member_count.h" // countMembers(testApp().dir)

namespace zelt {

// The folder and locale rules a test works with, handed to the windows, exports and files for
// calculations it drives.
inline AppContext& testApp() {
    static AppContext app;
    return app;
}

} // namespace zelt
