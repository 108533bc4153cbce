// The referral tree window, opened from the member editor: the upline, a node opened on demand,
// the level table within date limits, a member double-clicked back into the editor.
#include "storage/sale_record.h"
#include "support/test_registry.h"
#include "test_member_editor_window.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <QTreeView>

using namespace zelt;
using zelt::test::member;
using zelt::test::MemberEditorWindow;

namespace {

QWidget* treeWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("frmTree") && window->isVisible())
            return window;
    return nullptr;
}

QString cell(const QAbstractItemModel* model, int row, int column, const QModelIndex& parent = {}) {
    return model->index(row, column, parent).data().toString();
}

} // namespace

class TestReferralTreeWindow : public QObject {
    Q_OBJECT

private slots:

    void fromTheEditorAndBack() {
        MemberEditorWindow w;
        w.writeSchemes(1);
        // 1 <- 2 <- 3, and 4 referred by 1.
        w.writeMembers({member(1, "Ann", 0, 1), member(2, "Bob", 1, 2), member(3, "Cy", 2, 3),
                        member(4, "Dan", 1, 2)});
        std::string sales;
        for (const SaleRecord& s : {SaleRecord{2, 10.5f, 37211}, SaleRecord{3, 2, 37212.75}}) {
            const RecordBytes b = s.encode();
            sales.append(b.begin(), b.end());
        }
        test::writeBytes(w.file("data/sales.kvr"), sales);
        w.open();
        w.type("txtCurrent_Record", QStringLiteral("1"));
        w.click("cmdGoTo");
        QVERIFY(w.control<QPushButton>("cmdTree")->isEnabled());
        w.click("cmdTree");

        QWidget* tree = treeWindow();
        QVERIFY(tree);
        QCOMPARE(tree->windowTitle(), QStringLiteral("Referral tree"));
        auto* downline = tree->findChild<QTreeView*>(QStringLiteral("tvDownline"));
        auto* levels = tree->findChild<QTableView*>(QStringLiteral("grdLevels"))->model();
        const QAbstractItemModel* nodes = downline->model();
        const QModelIndex top = nodes->index(0, 0);
        QCOMPARE(cell(nodes, 0, 1), QStringLiteral("Ann"));
        QCOMPARE(nodes->rowCount(top), 2);
        QCOMPARE(cell(nodes, 0, 6), QStringLiteral("3")); // downline of member 1

        // Member 2 opens on demand and shows member 3.
        const QModelIndex bob = nodes->index(0, 0, top);
        QCOMPARE(nodes->rowCount(bob), 0);
        downline->expand(bob);
        QCOMPARE(nodes->rowCount(bob), 1);
        QCOMPARE(cell(nodes, 0, 1, bob), QStringLiteral("Cy"));

        // Levels 1 and 2: members, sales and their sums, then from 17.11.2001 on.
        QCOMPARE(cell(levels, 0, 1) + " " + cell(levels, 0, 3) + " " + cell(levels, 1, 3),
                 QStringLiteral("2 10,50 2,00"));
        auto* from = tree->findChild<QLineEdit*>(QStringLiteral("txtFrom"));
        QTest::keyClicks(from, QStringLiteral("17.11.2001"));
        QTest::keyClick(from, Qt::Key_Return);
        QCOMPARE(cell(levels, 0, 2) + " " + cell(levels, 0, 3) + " " + cell(levels, 1, 3),
                 QStringLiteral("0 0,00 2,00"));
        auto* to = tree->findChild<QLineEdit*>(QStringLiteral("txtTo"));
        QTest::keyClicks(to, QStringLiteral("31.02.2001"));
        w.messages->expect(kMsgIncorrectValue);
        QTest::mouseClick(tree->findChild<QPushButton*>(QStringLiteral("cmdFind")), Qt::LeftButton);
        ZELT_VERIFY_MESSAGES(*w.messages);
        QCOMPARE(tree->focusWidget(), to);

        // A double click on member 3 shows it in the editor.
        const QModelIndex cy = nodes->index(0, 0, bob);
        downline->scrollTo(cy);
        // As a mouse sends it: press and release, then the double click.
        const QPoint at = downline->visualRect(cy).center();
        QTest::mouseClick(downline->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(downline->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(w.text("txtCurrent_Record"), QStringLiteral("3"));
        QCOMPARE(w.text("txtName").trimmed(), QStringLiteral("Cy"));

        // Pressed again, the same window shows member 3, its upline up to the top.
        w.click("cmdTree");
        QCOMPARE(treeWindow(), tree);
        const QAbstractItemModel* upline =
            tree->findChild<QTableView*>(QStringLiteral("grdUpline"))->model();
        QCOMPARE(cell(upline, 0, 0) + " " + cell(upline, 1, 0), QStringLiteral("2 1"));

        w.click("cmdCreate");
        QVERIFY(!w.control<QPushButton>("cmdTree")->isEnabled());
        w.close();
        QTRY_VERIFY(!treeWindow());
    }
};

ZELT_TEST(TestReferralTreeWindow)
#include "test_referral_tree_window.moc"
