// The search of the sale and payment editors through the window: filters, the order of the rows,
// sorting by a header click, and choosing a row.
#include "support/test_registry.h"
#include "test_sales_fixture.h"

#include <QHeaderView>
#include <QtTest>

using namespace zelt;
using namespace zelt::test;

class TestSalesSearch : public QObject, private SaleWindowFixture {
    Q_OBJECT

    void writeSearchFile() {
        writeRecords("sales.kvr", {{7, 1.5f, 37211.0},
                                   {8, 2.0f, 37211.0},
                                   {7, 3.0f, 37266.0},
                                   {7, 4.0f, 37210.0},
                                   {9, 5.0f, 37212.5}});
    }

private slots:
    void initTestCase() { fill_message_table(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void search_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QStringList>("records");
        QTest::newRow("member with blanks") << ""
                                            << " 7 " << QStringList{"4", "1", "3"};
        QTest::newRow("date") << "16.11.2001"
                              << "" << QStringList{"1", "2"};
        QTest::newRow("two-digit year") << "16.11.01"
                                        << "" << QStringList{"1", "2"};
        QTest::newRow("both") << "16.11.2001"
                              << "7" << QStringList{"1"};
        QTest::newRow("stored time of day") << "17.11.2001"
                                            << "" << QStringList{};
        QTest::newRow("the time typed") << "17.11.2001 12:00"
                                        << "" << QStringList{"5"};
    }
    // Rows come sorted by date in calendar order (10.01.2002 after 16.11.2001).
    void search() {
        QFETCH(QString, date);
        QFETCH(QString, member);
        writeSearchFile();
        openEditor();
        type("txtSdate", date);
        type("txtSAffID", member);
        click("cmdDisplay");
        QTEST(gridColumn(0), "records");
        QCOMPARE(grid()->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("N of Record"));
        QVERIFY(control("cmdDisplay")->isEnabled());
        QCOMPARE(editor_->currentRecord(), 5); // the shown record is not touched
    }

    void searchWithBothFieldsEmptyChangesNothing() {
        writeSearchFile();
        openEditor();
        type("txtSAffID", QStringLiteral("7"));
        click("cmdDisplay");
        type("txtSAffID", QString());
        click("cmdDisplay");
        QCOMPARE(gridColumn(0), (QStringList{"4", "1", "3"}));
    }

    void searchFiltersThatDoNotConvert_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("focus");
        QTest::newRow("member 7a") << ""
                                   << "7a"
                                   << "txtSAffID";
        QTest::newRow("no date") << "32.13.2001"
                                 << "7"
                                 << "txtSdate";
    }
    void searchFiltersThatDoNotConvert() {
        QFETCH(QString, date);
        QFETCH(QString, member);
        QFETCH(QString, focus);
        writeSearchFile();
        openEditor();
        type("txtSAffID", QStringLiteral("8"));
        click("cmdDisplay");
        type("txtSdate", date);
        type("txtSAffID", member);
        messages_->expect(MessageTable.MsgIncorrectValue);
        click("cmdDisplay");
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(focused(), control(focus.toLatin1().constData()));
        QCOMPARE(gridColumn(0), QStringList{"2"});
        QVERIFY(control("cmdDisplay")->isEnabled());
    }

    void sumHeadings_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("heading");
        QTest::newRow("sales") << int(EditorKind::Sales) << "Sum ";
        QTest::newRow("payments") << int(EditorKind::Payments) << "Sum of a payment";
    }
    void sumHeadings() {
        QFETCH(int, kind);
        writeRecords(kind == int(EditorKind::Sales) ? "sales.kvr" : "payments.kvr",
                     {{1, 1.0f, 37211.0}});
        openEditor(static_cast<EditorKind>(kind));
        type("txtSAffID", QStringLiteral("1"));
        click("cmdDisplay");
        QTEST(grid()->model()->headerData(3, Qt::Horizontal).toString(), "heading");
        QCOMPARE(gridColumn(3), QStringList{"1"});
    }

    void doubleClickOnARowShowsItsRecord() {
        writeSearchFile();
        writeBytes(addinfo("s3.txt"), "third\r\n");
        openEditor();
        type("txtSAffID", QStringLiteral("7"));
        click("cmdDisplay");
        doubleClickRow(2);
        QCOMPARE(editor_->currentRecord(), 3);
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("3"));
        QCOMPARE(text("txtDate"), QStringLiteral("10.01.2002"));
        QCOMPARE(details(), QStringLiteral("third"));
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
    }

    void doubleClickOnTheHeaderIsNoRecord() {
        writeSearchFile();
        openEditor();
        type("txtSAffID", QStringLiteral("7"));
        click("cmdDisplay");
        QHeaderView* header = grid()->horizontalHeader();
        const QPoint heading(header->sectionViewportPosition(0) + 5, header->height() / 2);
        messages_->expect(MessageTable.MsgNoRecord);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, heading);
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(editor_->currentRecord(), 5);
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("5"));
        QCOMPARE(text("txtAffiliateID"), QStringLiteral("9"));
    }

    void headerClickSortsByThatColumn() {
        writeSearchFile();
        openEditor();
        type("txtSAffID", QStringLiteral("7"));
        click("cmdDisplay");
        QHeaderView* header = grid()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(3) + 5, header->height() / 2));
        QCOMPARE(gridColumn(3), (QStringList{"1,5", "3", "4"}));
        QCOMPARE(gridColumn(0), (QStringList{"1", "3", "4"}));
    }
};

ZELT_TEST(TestSalesSearch)
#include "test_sales_search.moc"
