// How the windows size themselves: they open at a size that fits a small screen, still show
// every control whole at their least size, and give the room of a larger window to the grid
// and the long texts while single-line fields keep their height and the record bar its size.
#include "editors/editor_factory.h"
#include "shell/frm_start.h"
#include "shell/message_table.h"
#include "shell/zelt_module.h"
#include "storage/locale_rules.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"
#include "support/window_layout.h"
#include "ui/grid_view.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace zelt;

namespace {

// A laptop screen less the desktop's panels.
constexpr QSize kSmallScreen(1280, 720);

} // namespace

class WindowResizeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempAppDir> dir_;
    std::unique_ptr<test::MessageCapture> messages_;
    QPointer<QWidget> window_;

    template <class T = QWidget> T* control(const char* name) const {
        T* found = window_->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }

private slots:
    void initTestCase() { fill_message_table(); }
    void init() {
        dir_ = std::make_unique<test::TempAppDir>();
        AppDir = dir_->path();
        setCurrentRules(LocaleRules::dayMonthYearComma());
        messages_ = std::make_unique<test::MessageCapture>();
        messages_->answerUnexpectedQuestionsYes(); // windows are closed with typed input
        std::filesystem::create_directories(dir_->file("data"));
        std::ofstream(dir_->file("data/apsettings.kvr"), std::ios::binary) << std::string(60, '\0');
    }
    void cleanup() {
        if (window_) {
            window_->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        if (!QTest::currentTestFailed())
            ZELT_VERIFY_MESSAGES(*messages_);
        messages_.reset();
        dir_.reset();
    }

    void mainWindowSizes() {
        frmStart window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.width() <= kSmallScreen.width() && window.height() <= kSmallScreen.height());
        window.resize(1, 1);
        settle();
        QCOMPARE(window.size(), window.minimumSizeHint());
        const QString faults = test::layoutFaults(&window);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
    }

    void editorSizes_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("members") << int(EditorKind::Members);
        QTest::newRow("sales") << int(EditorKind::Sales);
        QTest::newRow("payments") << int(EditorKind::Payments);
        QTest::newRow("communications") << int(EditorKind::Communications);
        QTest::newRow("schemes") << int(EditorKind::Schemes);
    }
    void editorSizes() {
        QFETCH(int, kind);
        window_ = createEditor(EditorKind(kind), AppContext{AppDir, currentRules()});
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        QVERIFY(window_->width() <= kSmallScreen.width() &&
                window_->height() <= kSmallScreen.height());
        QString faults = test::layoutFaults(window_);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));

        // The least size still shows everything.
        const QSize opened = window_->size();
        window_->resize(1, 1);
        settle();
        faults = test::layoutFaults(window_);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));

        // A larger window: the grid and the long texts grow, the rest keeps its height.
        window_->resize(opened);
        settle();
        auto* grid = window_->findChild<GridView*>(QStringLiteral("MSFGView"));
        const QSize gridBefore = grid ? grid->size() : QSize();
        QHash<QPlainTextEdit*, int> textHeights;
        for (auto* box : window_->findChildren<QPlainTextEdit*>())
            textHeights.insert(box, box->height());
        QHash<QLineEdit*, QSize> lineSizes;
        for (auto* line : window_->findChildren<QLineEdit*>())
            if (!line->objectName().isEmpty() &&
                !line->objectName().startsWith(QLatin1String("qt_")))
                lineSizes.insert(line, line->size());
        const QSize bar = control<QGroupBox>("frmNavigation")->size();

        window_->resize(opened + QSize(300, 200));
        settle();
        if (grid) {
            QVERIFY(grid->width() > gridBefore.width());
            QVERIFY(grid->height() > gridBefore.height());
        }
        for (auto [box, height] : textHeights.asKeyValueRange())
            QVERIFY2(box->height() > height, qPrintable(box->objectName()));
        for (auto [line, size] : lineSizes.asKeyValueRange()) {
            QVERIFY2(line->height() == size.height(), qPrintable(line->objectName()));
            QVERIFY2(line->width() >= size.width(), qPrintable(line->objectName()));
        }
        QCOMPARE(control<QGroupBox>("frmNavigation")->size(), bar);
        faults = test::layoutFaults(window_);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
    }
};

ZELT_TEST(WindowResizeTest)
#include "test_window_resize.moc"
