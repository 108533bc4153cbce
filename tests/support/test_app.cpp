#include "support/test_app.h"

namespace zelt {

AppContext& testApp() {
    static AppContext app;
    return app;
}

} // namespace zelt
