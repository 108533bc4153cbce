// Pictures of the windows on the sample folder, for the README (scripts/screenshots.sh), each
// checked to show every control whole and apart. They land in <build>/tests/screenshots or
// $ZELT_SCREENSHOT_DIR.
#include "shell/frm_start.h"
#include "support/test_app.h"
#include "support/test_registry.h"
#include "support/window_driver.h"
#include "support/window_layout.h"

#include <QtTest>
#include <QtWidgets>

using namespace zelt;
using namespace zelt::test;

class ScreenshotTest : public QObject, private EditorWindows {
    Q_OBJECT

    void save(QWidget* window, const QString& name) {
        QCOMPARE(layoutFaults(window), QString());
        const QByteArray chosen = qgetenv("ZELT_SCREENSHOT_DIR");
        const QDir out(chosen.isEmpty()
                           ? QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots")
                           : QString::fromLocal8Bit(chosen));
        QVERIFY(out.mkpath(QStringLiteral(".")));
        QVERIFY(window->grab().save(out.filePath(name + QStringLiteral(".png"))));
    }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void pictures() {
        writeData(QStringLiteral("sample"));
        frmStart start(testApp());
        QVERIFY(start.load(QString::fromStdString(testApp().dir)));
        start.show();
        QVERIFY(QTest::qWaitForWindowExposed(&start));
        save(&start, QStringLiteral("main_window"));
        QVERIFY(!QIcon(QStringLiteral(":/zelt.png")).pixmap(32, 32).isNull());
        for (const char* name : {"sales", "payments", "communications", "schemes", "members"}) {
            kind_ = QString::fromLatin1(name);
            open(editorKind(kind_));
            save(editor_, kind_ + QStringLiteral("_browsing"));
            if (kind_ != QLatin1String("members"))
                closeEditor();
        }
        run(QStringLiteral("txtSreferenceid=1|cmdDisplay|row:0"));
        save(editor_, QStringLiteral("members_grid"));
        run(QStringLiteral("cmdFirst|cmdTree"));
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("frmTree") && window->isVisible())
                save(window, QStringLiteral("referral_tree"));
    }
};

ZELT_TEST(ScreenshotTest)
#include "test_screenshots.moc"
