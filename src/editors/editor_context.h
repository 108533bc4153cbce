#pragma once

#include "storage/app_context.h"

namespace zelt {

// The folder and locale rules the editor windows work with, set by the main window when it loads,
// until each editor is handed its own.
AppContext& editorContext();

} // namespace zelt
