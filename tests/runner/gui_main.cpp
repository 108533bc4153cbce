// The window tests, on the offscreen platform.
#include "support/test_registry.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication app(argc, argv);
    return zelt::test::runRegisteredTests(argc, argv);
}
