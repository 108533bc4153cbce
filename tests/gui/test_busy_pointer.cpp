#include "support/test_registry.h"
#include "ui/busy_pointer.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

#include <stdexcept>

using namespace zelt;

class TestBusyPointer : public QObject {
    Q_OBJECT

private slots:
    void coversTheSearchAndRestores();
    void restoresAfterAFailure();
};

void TestBusyPointer::coversTheSearchAndRestores() {
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Find"), &window);
    {
        BusyPointer busy(button, &window);
        QVERIFY(!button->isEnabled());
        QVERIFY(!QApplication::overrideCursor()); // the other windows stay usable
        QCOMPARE(window.cursor().shape(), Qt::WaitCursor);
    }
    QVERIFY(button->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
}

void TestBusyPointer::restoresAfterAFailure() {
    QWidget window;
    window.setCursor(Qt::IBeamCursor);
    auto* button = new QPushButton(QStringLiteral("Find"), &window);
    try {
        BusyPointer busy(button, &window);
        throw std::runtime_error("search failed");
    } catch (const std::runtime_error&) {
    }
    QVERIFY(button->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(window.cursor().shape(), Qt::IBeamCursor);
}

ZELT_TEST(TestBusyPointer)
#include "test_busy_pointer.moc"
