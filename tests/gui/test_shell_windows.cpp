// The main window and its menu, start-up, the keyboard order and the sizes of every editor
// window, and the referral tree window.
#include "shell/frm_start.h"
#include "shell/message_table.h"
#include "support/sample_data.h"
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

QString layoutOf(QWidget* window) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    return layoutFaults(window);
}

QWidget* treeWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("frmTree") && window->isVisible())
            return window;
    return nullptr;
}

QString cells(const QAbstractItemModel* model, int column, const QModelIndex& parent = {}) {
    QStringList out;
    for (int row = 0; row < model->rowCount(parent); ++row)
        out << model->index(row, column, parent).data().toString();
    return out.join(QLatin1Char(','));
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
        const QList<QPair<const char*, const char*>> captions = {
            {"cmdAffiliates", "Members"},
            {"cmdCommunications", "Communications"},
            {"cmdSales", "Sales"},
            {"cmdPayments", "Payments"},
            {"cmdAPSettings", "Zelt Settings"},
            {"cmdCreateFiles", "Create files for calculations"}};
        for (const auto& [name, caption] : captions) {
            QCOMPARE(controlOf<QPushButton>(&window, name)->text(), QString::fromLatin1(caption));
            QVERIFY(enabledIn(&window, name));
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(tabWalk(controlOf(&window, QStringLiteral("cmdAffiliates"))),
                 (QStringList{"cmdAffiliates", "cmdSales", "cmdPayments", "cmdAPSettings",
                              "cmdCommunications", "cmdCreateFiles"}));
        QVERIFY(window.width() <= 1280 && window.height() <= 720);
        window.resize(1, 1);
        QCOMPARE(layoutOf(&window), QString());
        QCOMPARE(window.size(), window.minimumSizeHint());

        // The menu opens each editor once; the calculation files come out empty, again and again.
        QVERIFY(window.load(QString::fromStdString(testApp().dir)));
        QCOMPARE(fileBytes("data/apsettings.kvr"), QByteArray("<missing>"));
        messages_->expect(kMsgCreateSchemes);
        clickOn(&window, QStringLiteral("cmdAffiliates"));
        for (const char* button :
             {"cmdSales", "cmdPayments", "cmdAPSettings", "cmdCommunications", "cmdSales"})
            clickOn(&window, QString::fromLatin1(button));
        const std::pair<EditorKind, const char*> opened[] = {
            {EditorKind::Members, "frmAffiliates"},
            {EditorKind::Sales, "frmSales"},
            {EditorKind::Payments, "frmPayments"},
            {EditorKind::Schemes, "frmAPSettings"},
            {EditorKind::Communications, "frmCommunications"}};
        for (const auto& [kind, name] : opened)
            QCOMPARE(window.editorWindow(kind)->objectName(), QString::fromLatin1(name));
        ZELT_VERIFY_MESSAGES(*messages_);
        for (int run = 0; run < 2; ++run) {
            clickOn(&window, QStringLiteral("cmdCreateFiles"));
            for (const char* name : {"members.clc", "sales.clc", "payments.clc", "settings.clc"})
                QCOMPARE(fileBytes(std::string("output/") + name), QByteArray());
        }
        for (const auto& [kind, name] : opened)
            window.editorWindow(kind)->close();
    }

    void startUp_data() {
        QTest::addColumn<QString>("before"); // data, or what stands in the way
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("message");
        QTest::newRow("first start") << "" << true << "";
        QTest::newRow("leftover of an interrupted write") << "leftover" << true << "";
        QTest::newRow("a plain file for the data folder")
            << "file" << false
            << "Cannot create the folder \"%1/data\": "
               "File exists";
        QTest::newRow("a second window on the folder")
            << "second" << false
            << "The records are already open in another window of the program.";
        QTest::newRow("the first window gone") << "gone" << true << "";
    }
    void startUp() {
        QFETCH(QString, before);
        QFETCH(QString, message);
        std::unique_ptr<frmStart> first;
        if (before == QLatin1String("file"))
            writeUnderAppDir("data", "in the way");
        if (before == QLatin1String("leftover"))
            writeUnderAppDir("data/.zelt-tmp-abc123", "half");
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
        if (before.isEmpty() || before == QLatin1String("leftover"))
            QCOMPARE(FolderSnapshot::of(testApp().dir).files.size(), std::size_t(0));
        if (before.isEmpty()) // a second start finds the folder as it left it
            QVERIFY(window.load(QString::fromStdString(testApp().dir)));
    }

    // Tab visits every usable control once, in the order the window reads; the window opens
    // at a size for a small screen, shows every control whole at its least size and gives
    // the room of a larger window to the grid and the long texts.
    void windows_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("order");
        for (const QString& line : tableLines(R"(
members ^ txtName txtSurname txtStreet txtCity txtPost_Cod txtCountry txtPhone txtE_mail txtURL|
    txtRef_ID txtDate txtEgold_ID cmbAP_ID txtAdditional_Info txtSname txtSsurname txtSemail|
    txtSreferenceid txtSEgold_ID cmdDisplay MSFGView @ cmdTree
sales ^ txtAffiliateID txtSum txtDate txtDetails txtSdate txtSAffID cmdDisplay MSFGView @
payments ^ txtAffiliateID txtSum txtDate txtDetails txtSdate txtSAffID cmdDisplay MSFGView @
communications ^ txtID txtSubject txtMessage txtDate txtResponce txtComments txtDate_R txtSID|
    txtSsubject txtSdate txtSdate_r cmdDisplay MSFGView @
schemes ^ txtLevel(1) txtLevel(2) txtLevel(3) txtLevel(4) txtLevel(5) txtLevel(6) txtLevel(7)|
    txtLevel(8) cmbType txtMinPayment txtPeriodicity txtUnit @
)")) // "|" ends a line, "@" stands for the record buttons
            QTest::newRow(qPrintable(line.section(QLatin1Char(' '), 0, 0)))
                << line.section(QLatin1Char(' '), 0, 0)
                << line.section(QStringLiteral(" ^ "), 1)
                       .replace(QLatin1Char('|'), QLatin1Char(' '))
                       .replace(QStringLiteral("@"),
                                QStringLiteral("cmdFirst cmdPrevious txtCurrent_Record "
                                               "cmdNext cmdLast cmdGoTo cmdCreate "
                                               "cmdEdit cmdSave cmdSaveThisRecord "
                                               "cmdSaveAllRecords"))
                       .simplified();
    }
    void windows() {
        QFETCH(QString, kind);
        QFETCH(QString, order);
        writeData(QStringLiteral("sample"));
        kind_ = kind;
        open(editorKind(kind));
        // Browsing a stored record: all but Save (the schemes lock their fields).
        QStringList usable = order.split(QLatin1Char(' '));
        usable.removeAll(QStringLiteral("cmdSave"));
        if (kind == QLatin1String("schemes"))
            usable = usable.mid(12);
        QCOMPARE(tabWalk(controlOf(editor_, usable.first())), usable);
        // Creating: the navigation group, Create, Edit and the tree are off.
        run(QStringLiteral("cmdCreate"));
        usable = order.split(QLatin1Char(' '));
        for (const char* off : {"cmdFirst", "cmdPrevious", "txtCurrent_Record", "cmdNext",
                                "cmdLast", "cmdGoTo", "cmdCreate", "cmdEdit", "cmdTree"})
            usable.removeAll(QString::fromLatin1(off));
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

        QVERIFY(editor_->width() <= 1280 && editor_->height() <= 720);
        QCOMPARE(layoutOf(editor_), QString());
        const QSize opened = editor_->size();
        editor_->resize(1, 1);
        QCOMPARE(layoutOf(editor_), QString());
        editor_->resize(opened);
        layoutOf(editor_);
        QHash<QWidget*, QSize> before;
        for (QWidget* control : visibleControls(editor_))
            before.insert(control, control->size());
        const QSize bar = controlOf(editor_, QStringLiteral("frmNavigation"))->size();
        editor_->resize(opened + QSize(300, 200));
        QCOMPARE(layoutOf(editor_), QString());
        for (auto [control, size] : before.asKeyValueRange()) {
            const bool grows =
                qobject_cast<QPlainTextEdit*>(control) || qobject_cast<GridView*>(control);
            if (grows)
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
        const QAbstractItemModel* levels =
            controlOf<QTableView>(tree, QStringLiteral("grdLevels"))->model();
        const QModelIndex top = nodes->index(0, 0);
        QCOMPARE(cells(nodes, 1), QStringLiteral("Ann"));
        QCOMPARE(cells(nodes, 6), QStringLiteral("3")); // the downline of member 1
        QCOMPARE(cells(nodes, 1, top), QStringLiteral("Anne"));
        const QModelIndex anne = nodes->index(0, 0, top);
        QCOMPARE(nodes->rowCount(anne), 0); // opened on demand
        // The rows the model announces are the rows it adds when a member is opened.
        QAbstractItemModelTester tester(nodes,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        downline->expand(anne);
        QCOMPARE(cells(nodes, 1, anne), QStringLiteral(" ANN,ann"));
        QCOMPARE(cells(levels, 1), QStringLiteral("1,2,0,0,0,0,0,0,0"));
        QCOMPARE(cells(levels, 3).section(QLatin1Char(','), 0, 4), QStringLiteral("10,50,2,00,0"));
        auto* from = controlOf<QLineEdit>(tree, QStringLiteral("txtFrom"));
        QTest::keyClicks(from, QStringLiteral("17.11.2001"));
        QTest::keyClick(from, Qt::Key_Return);
        QCOMPARE(cells(levels, 2).left(3) + QLatin1Char('|') + cells(levels, 3).left(9),
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
        QCOMPARE(cells(controlOf<QTableView>(tree, QStringLiteral("grdUpline"))->model(), 0),
                 QStringLiteral("2,1"));
        run(QStringLiteral("cmdCreate"));
        QVERIFY(!enabledIn(editor_, QStringLiteral("cmdTree")));
        closeEditor();
        QTRY_VERIFY(!treeWindow());
    }
};

ZELT_TEST(ShellWindowsTest)
#include "test_shell_windows.moc"
