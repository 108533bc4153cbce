// The communication editor's search grid, its row choice and its text exports, through the real
// window.
#include "support/test_registry.h"
#include "test_communication_editor_window.h"

#include <QHeaderView>

using namespace zelt;
using namespace zelt::test;

namespace {

const double kNov16 = serialFromDate(2001, 11, 16);
const double kNov20 = serialFromDate(2001, 11, 20);
const double kDec01 = serialFromDate(2001, 12, 1);

const char kHeading[] = "Member's ID;Subject;Message;Date;Responce;Date of responce;Comments\r\n";

} // namespace

class TestCommunicationEditorSearch : public QObject, protected CommunicationWindow {
    Q_OBJECT

    // Records 1..6: members 12, 120, 112 and 12 again, subjects around "invoice".
    void writeSearchFile() {
        writeRecords({communication(12, "Invoice", kNov16, kNov20),
                      communication(120, "Invoice", kNov16, kNov20),
                      communication(112, "Unpaid invoice", kNov16, kNov20),
                      communication(12, "INVOICE", kDec01, kNov20),
                      communication(7, "Invoice March", kNov16, kDec01),
                      communication(12, "Hello", kNov16, kDec01)});
        writeBytes(commFile("4.txt"), "fourth\r\n");
    }
    void search(const QString& id, const QString& subject, const QString& date,
                const QString& dateR) {
        type("txtSID", id);
        type("txtSsubject", subject);
        type("txtSdate", date);
        type("txtSdate_r", dateR);
        click("cmdDisplay");
    }
    void doubleClickRow(int row) {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, 1));
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void initTestCase() { fill_message_table(); }
    void init() { startTest(); }
    void cleanup() { ZELT_END_COMMUNICATION_TEST(); }

    void search_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("dateR");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("12, not 120 or 112") << "12"
                                            << ""
                                            << ""
                                            << "" << QStringList{"1", "4", "6"};
        QTest::newRow("012 lists none") << "012"
                                        << ""
                                        << ""
                                        << "" << QStringList{};
        QTest::newRow("invoice, not invoice March or Unpaid invoice")
            << ""
            << " invoice "
            << ""
            << "" << QStringList{"1", "2", "4"};
        QTest::newRow("member and date") << "12"
                                         << ""
                                         << "16.11.2001"
                                         << "" << QStringList{"1", "6"};
        QTest::newRow("subject and date of responce") << ""
                                                      << "INVOICE"
                                                      << ""
                                                      << "20.11.2001" << QStringList{"1", "2", "4"};
        QTest::newRow("member, subject and date") << "12"
                                                  << "invoice"
                                                  << "01.12.2001"
                                                  << "" << QStringList{"4"};
    }

    void search() {
        QFETCH(QString, id);
        QFETCH(QString, subject);
        QFETCH(QString, date);
        QFETCH(QString, dateR);
        QFETCH(QStringList, listed);
        writeSearchFile();
        openEditor();
        search(id, subject, date, dateR);
        QCOMPARE(gridColumn(0), listed);
        QCOMPARE(grid()->model()->columnCount(), 5);
        const QStringList headings = {"N of record", "Member's ID", "Subject", "Date",
                                      "Date of responce"};
        for (int c = 0; c < 5; ++c)
            QCOMPARE(grid()->model()->headerData(c, Qt::Horizontal).toString(), headings[c]);
        QVERIFY(control("cmdDisplay")->isEnabled());
        // The shown record is untouched by a search.
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("6"));
        QCOMPARE(text("txtSubject"), QStringLiteral("Hello") + QString(25, QLatin1Char(' ')));
    }

    void cellsOfARow() {
        writeSearchFile();
        openEditor();
        search(QStringLiteral("7"), {}, {}, {});
        QCOMPARE(grid()->model()->rowCount(), 1);
        QStringList row;
        for (int c = 0; c < 5; ++c)
            row << grid()->model()->index(0, c).data().toString();
        QCOMPARE(row, (QStringList{"5", "7", "Invoice March", "16.11.2001", "01.12.2001"}));
    }

    void blankFiltersChangeNothing() {
        writeSearchFile();
        openEditor();
        search(QStringLiteral("12"), {}, {}, {});
        QCOMPARE(gridColumn(0), (QStringList{"1", "4", "6"}));
        search(QStringLiteral("  "), QStringLiteral(" "), {}, QStringLiteral("   "));
        QCOMPARE(gridColumn(0), (QStringList{"1", "4", "6"}));
    }

    void doubleClickShowsTheRecordWithItsTexts() {
        writeSearchFile();
        openEditor();
        search(QStringLiteral("12"), {}, {}, {});
        doubleClickRow(1);
        QCOMPARE(editor_->currentRecord(), 4);
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("4"));
        QCOMPARE(text("txtMessage"), QStringLiteral("fourth"));
        QCOMPARE(text("txtDate"), QStringLiteral("01.12.2001"));
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
        doubleClickRow(2);
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("6"));
        QCOMPARE(text("txtMessage"), QString());
    }

    void doubleClickOnTheHeaderIsNoRecord() {
        writeSearchFile();
        openEditor();
        search(QStringLiteral("12"), {}, {}, {});
        QHeaderView* header = grid()->horizontalHeader();
        const QPoint heading(header->sectionViewportPosition(0) + 5, header->height() / 2);
        messages_->expect(MessageTable.MsgNoRecord);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, heading);
        QCOMPARE(editor_->currentRecord(), 6);
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("6"));
    }

    void headerClickSortsByThatColumn() {
        writeSearchFile();
        openEditor();
        search({}, QStringLiteral("invoice"), {}, {});
        QHeaderView* header = grid()->horizontalHeader();
        const QPoint memberHeading(header->sectionViewportPosition(1) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, memberHeading);
        QCOMPARE(gridColumn(1), (QStringList{"12", "12", "120"}));
        QCOMPARE(gridColumn(0), (QStringList{"1", "4", "2"}));
    }

    // The record-3 example: the texts flattened, a missing response file an empty field.
    void exportOfTheShownRecord() {
        writeRecords({communication(1, "First", kNov16, kNov16),
                      communication(2, "Second", kNov16, kNov16),
                      communication(17, "Offer", kNov16, kNov20)});
        writeBytes(commFile("3.txt"), "Hi\r\nthere\r\n");
        writeBytes(commFile("c3.txt"), "ok\r\n");
        writeBytes(commFile("1.txt"), "a;b\r\n");
        openEditor();
        const std::string output = dir_->file("output/communications.txt");
        const QByteArray line3 =
            "17;Offer" + QByteArray(25, ' ') + ";Hi there ;16.11.2001;;20.11.2001;ok \r\n";
        click("cmdSaveAllRecords");
        QCOMPARE(fileBytes(output), QByteArray(kHeading) + "1;First" + QByteArray(25, ' ') +
                                        ";a;b ;16.11.2001;;16.11.2001;\r\n" + "2;Second" +
                                        QByteArray(24, ' ') + ";;16.11.2001;;16.11.2001;\r\n" +
                                        line3);
        click("cmdSaveThisRecord");
        QCOMPARE(fileBytes(output), QByteArray(kHeading) + line3);
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("3"));
        QCOMPARE(text("txtMessage"), QStringLiteral("Hi\nthere"));
    }
};

ZELT_TEST(TestCommunicationEditorSearch)
#include "test_communication_editor_search.moc"
