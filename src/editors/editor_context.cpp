#include "editors/editor_context.h"

namespace zelt {

AppContext& editorContext() {
    static AppContext context;
    return context;
}

} // namespace zelt
