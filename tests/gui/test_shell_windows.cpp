// The main window and its menu, start-up, the keyboard order and the sizes of every editor
// window, and the referral tree window.
#include "editors/downline_model.h"
#include "shell/frm_start.h"
#include "shell/message_table.h"
#include "support/test_app.h"
#include "support/test_registry.h"
#include "support/window_driver.h"
#include "support/window_layout.h"
#include "ui/grid_view.h"

#include <QAbstractItemModelTester>
#include <QtTest>
#include <QtWidgets>

using namespace zelt;
using namespace zelt::test;

namespace {

// The controls Tab visits, from the first, until it comes back to the first.
QStringList tabWalk(QWidget* first) {
    first->setFocus(Qt::TabFocusReason);
    QStringList visited{focusName()};
    for (int step = 0; step < 200; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (now == first || first->isAncestorOf(now))
            break;
        visited << focusName();
    }
    return visited;
}

QWidget* treeWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("frmTree") && window->isVisible())
            return window;
    return nullptr;
}

} // namespace

class ShellWindowsTest : public QObject, private EditorWindows {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void mainWindow() {
        frmStart window(testApp());
        QCOMPARE(window.windowTitle(), QStringLiteral("Zelt Management System"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Tab visits every button, each usable, in the order the window reads.
        QStringList captions;
        for (const QString& name : tabWalk(controlOf(&window, QStringLiteral("cmdAffiliates"))))
            captions << name + QLatin1Char('=') + textIn(&window, name);
        QCOMPARE(captions.join(QLatin1Char('|')),
                 QStringLiteral("cmdAffiliates=Members|cmdSales=Sales|cmdPayments=Payments|"
                                "cmdAPSettings=Zelt Settings|cmdCommunications=Communications|"
                                "cmdCreateFiles=Create files for calculations"));
        QVERIFY(window.width() <= 1280 && window.height() <= 720);
        window.resize(1, 1);
        QCOMPARE(layoutFaults(&window), QString());
        QCOMPARE(window.size(), window.minimumSizeHint());

        // The menu opens each editor once; the calculation files come out empty.
        QVERIFY(window.load(QString::fromStdString(testApp().dir)));
        QCOMPARE(fileBytes("data/apsettings.kvr"), QByteArray("<missing>"));
        messages_->expect(kMsgCreateSchemes);
        clickOn(&window, QStringLiteral("cmdAffiliates"));
        for (const char* button :
             {"cmdSales", "cmdPayments", "cmdAPSettings", "cmdCommunications", "cmdSales"})
            clickOn(&window, QString::fromLatin1(button));
        const char* const kinds[] = {"members", "sales", "payments", "schemes", "communications"};
        for (const char* kind : kinds)
            QVERIFY2(window.editorWindow(editorKind(QString::fromLatin1(kind)))->isVisible(), kind);
        ZELT_VERIFY_MESSAGES(*messages_);
        clickOn(&window, QStringLiteral("cmdCreateFiles"));
        for (const char* name : {"members.clc", "sales.clc", "payments.clc", "settings.clc"})
            QCOMPARE(fileBytes(std::string("output/") + name), QByteArray());
        for (const char* kind : kinds)
            window.editorWindow(editorKind(QString::fromLatin1(kind)))->close();
    }

    void startUp_data() {
        QTest::addColumn<QString>("before"); // "path=bytes" written first, or a first window
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("message");
        QTest::newRow("first start") << "" << true << "";
        QTest::newRow("leftover of an interrupted write")
            << "data/.zelt-tmp-abc123=half" << true << "";
        QTest::newRow("a plain file for the data folder")
            << "data=in the way" << false << "Cannot create the folder \"%1/data\": File exists";
        QTest::newRow("a second window on the folder")
            << "second" << false
            << "The records are already open in another window of the program.";
        QTest::newRow("the first window gone") << "gone" << true << "";
    }
    void startUp() {
        QFETCH(QString, before);
        QFETCH(QString, message);
        std::unique_ptr<frmStart> first;
        if (before.contains(QLatin1Char('=')))
            writeData(before);
        if (before == QLatin1String("second") || before == QLatin1String("gone")) {
            first = std::make_unique<frmStart>(testApp());
            QVERIFY(first->load(QString::fromStdString(testApp().dir)));
            if (before == QLatin1String("gone"))
                first.reset();
        }
        if (!message.isEmpty())
            messages_->expect(message.arg(QString::fromStdString(testApp().dir)));
        frmStart window(testApp());
        QTEST(window.load(QString::fromStdString(testApp().dir)), "started");
        ZELT_VERIFY_MESSAGES(*messages_);
        if (before.isEmpty() || before.startsWith(QLatin1String("data/")))
            QCOMPARE(FolderSnapshot::of(testApp().dir).files.size(), std::size_t(0));
        if (before.isEmpty()) // a second start finds the folder as it left it
            QVERIFY(window.load(QString::fromStdString(testApp().dir)));
    }

    // Tab visits every usable control once, in the order the window reads; the window opens
    // at a size for a small screen, shows every control whole at its least size and gives
    // the room of a larger window to the grid and the long texts.
    void windows_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"members", "sales", "payments", "communications", "schemes"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void windows() {
        QFETCH(QString, kind);
        const QString order = tabOrder(kind);
        writeData(QStringLiteral("sample"));
        kind_ = kind;
        open(editorKind(kind));
        // Browsing a stored record: all but Save (the schemes lock their fields).
        QStringList usable = order.split(QLatin1Char(' '));
        usable.removeAll(QStringLiteral("cmdSave"));
        if (kind == QLatin1String("schemes"))
            usable = usable.mid(12);
        QCOMPARE(tabWalk(controlOf(editor_, usable.first())), usable);

        // Every field has a name for screen readers: its label's or its own.
        for (const QString& name : order.split(QLatin1Char(' '))) {
            QWidget* field = controlOf(editor_, name);
            bool named =
                !field->accessibleName().isEmpty() || qobject_cast<QAbstractButton*>(field);
            for (QLabel* label : editor_->findChildren<QLabel*>())
                named = named || (label->buddy() == field && !label->text().trimmed().isEmpty());
            QVERIFY2(named, qPrintable(name));
        }

        // A long text's label stands above it, from its left edge; the heading above the
        // scheme's levels starts where their labels do.
        const auto left = [this](QWidget* control) {
            return control->mapTo(editor_, QPoint()).x();
        };
        for (QLabel* label : editor_->findChildren<QLabel*>())
            if (auto* box = qobject_cast<QPlainTextEdit*>(label->buddy()))
                QCOMPARE(left(label), left(box));
        if (kind == QLatin1String("schemes"))
            QCOMPARE(left(controlOf(editor_, QStringLiteral("lblToAffiliates"))),
                     left(controlOf(editor_, QStringLiteral("lblLabels(1)"))));

        // (The screenshots check the window at the size it opens at.)
        QVERIFY(editor_->width() <= 1280 && editor_->height() <= 720);
        const QSize opened = editor_->size();
        editor_->resize(1, 1);
        QCOMPARE(layoutFaults(editor_), QString());
        editor_->resize(opened);
        layoutFaults(editor_);
        QHash<QWidget*, QSize> before;
        for (QWidget* control : visibleControls(editor_))
            before.insert(control, control->size());
        const QSize bar = controlOf(editor_, QStringLiteral("frmNavigation"))->size();
        editor_->resize(opened + QSize(300, 200));
        QCOMPARE(layoutFaults(editor_), QString());
        for (auto [control, size] : before.asKeyValueRange()) {
            if (qobject_cast<QPlainTextEdit*>(control) || qobject_cast<GridView*>(control))
                QVERIFY2(control->height() > size.height(), qPrintable(control->objectName()));
            if (qobject_cast<QLineEdit*>(control))
                QVERIFY2(control->height() == size.height() && control->width() >= size.width(),
                         qPrintable(control->objectName()));
        }
        QCOMPARE(controlOf(editor_, QStringLiteral("frmNavigation"))->size(), bar);
    }

    // Opened from the member editor: the downline opened on demand, the level table within
    // date limits, a member double-clicked back into the editor, the upline.
    void referralTree() {
        writeData(QStringLiteral("search|data/sales.kvr*0|data/sales.kvr@0#02000000 00002841 "
                                 "00000000602be240 03000000 00000040 00000000982be240"));
        kind_ = QStringLiteral("members");
        open(EditorKind::Members);
        run(QStringLiteral("txtCurrent_Record=1|cmdGoTo|cmdTree"));
        QWidget* tree = treeWindow();
        QVERIFY(tree);
        QCOMPARE(tree->windowTitle(), QStringLiteral("Referral tree"));
        auto* downline = controlOf<QTreeView>(tree, QStringLiteral("tvDownline"));
        QAbstractItemModel* nodes = downline->model();
        QAbstractItemModel* levels =
            controlOf<QTableView>(tree, QStringLiteral("grdLevels"))->model();
        // The level table's headings are texts only: alignment, fonts and colours stay the view's.
        QCOMPARE(levels->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Members"));
        QVERIFY(!levels->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).isValid());
        const QModelIndex top = nodes->index(0, 0);
        // One member at the top, row 0, and none in a tree of nobody.
        QVERIFY(top.isValid() && !nodes->index(1, 0).isValid());
        QVERIFY(!DownlineModel(testApp().rules).index(0, 0).isValid());
        QCOMPARE(cellsOf(nodes, 1), QStringLiteral("Ann"));
        QCOMPARE(cellsOf(nodes, 6), QStringLiteral("3")); // the downline of member 1
        QCOMPARE(cellsOf(nodes, 1, top), QStringLiteral("Anne"));
        const QModelIndex anne = nodes->index(0, 0, top);
        QCOMPARE(nodes->rowCount(anne), 0); // opened on demand
        // The rows the model announces are the rows it adds when a member is opened.
        QAbstractItemModelTester tester(nodes,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        downline->expand(anne);
        QCOMPARE(cellsOf(nodes, 1, anne), QStringLiteral(" ANN,ann"));
        QCOMPARE(cellsOf(levels, 1), QStringLiteral("1,2,0,0,0,0,0,0,0"));
        auto* from = controlOf<QLineEdit>(tree, QStringLiteral("txtFrom"));
        QTest::keyClicks(from, QStringLiteral("17.11.2001"));
        QTest::keyClick(from, Qt::Key_Return);
        QCOMPARE(cellsOf(levels, 2).left(3) + QLatin1Char('|') + cellsOf(levels, 3).left(9),
                 QStringLiteral("0,1|0,00,2,00"));
        typeInto(tree, QStringLiteral("txtTo"), QStringLiteral("31.02.2001"));
        messages_->expect(kMsgIncorrectValue);
        clickOn(tree, QStringLiteral("cmdFind"));
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(tree->focusWidget()->objectName(), QStringLiteral("txtTo"));
        // As a mouse sends it: press and release, then the double click.
        const QModelIndex third = nodes->index(0, 0, anne);
        downline->scrollTo(third);
        const QPoint at = downline->visualRect(third).center();
        QTest::mouseClick(downline->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(downline->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(textIn(editor_, QStringLiteral("txtCurrent_Record")), QStringLiteral("3"));
        run(QStringLiteral("cmdTree"));
        QCOMPARE(treeWindow(), tree);
        const auto* upline = controlOf<QTableView>(tree, QStringLiteral("grdUpline"))->model();
        QCOMPARE(cellsOf(upline, 0) + QLatin1Char('|') + cellsOf(upline, 1),
                 QStringLiteral("2,1|Anne,Ann"));
        run(QStringLiteral("cmdCreate"));
        QVERIFY(!enabledIn(editor_, QStringLiteral("cmdTree")));
        closeEditor();
        QTRY_VERIFY(!treeWindow());
    }
};

ZELT_TEST(ShellWindowsTest)
#include "test_shell_windows.moc"
