#include "support/test_app.h"

#include "editors/editor_context.h"

namespace zelt {

AppContext& testApp() {
    return editorContext();
}

} // namespace zelt
