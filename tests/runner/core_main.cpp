// The core tests: no display and no application object, as the core itself needs none.
#include "support/test_registry.h"

int main(int argc, char** argv) {
    return zelt::test::runRegisteredTests(argc, argv);
}
