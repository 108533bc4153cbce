// The member editor's search frame, grid and exports, through the real window.
#include "support/byte_text.h"
#include "support/fault_hook.h"
#include "support/test_registry.h"
#include "test_member_editor_window.h"

#include <QHeaderView>

#include <cerrno>

using namespace zelt;
using zelt::test::fileBytes;
using zelt::test::member;
using zelt::test::MemberEditorWindow;

class TestMemberEditorSearch : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MemberEditorWindow> w_;

    // 1 Ann (level 10: the levels are as the test wrote them), 2 Anne (referred by 1),
    // 3 ANN (by 2, level 2), 4 ann (by 2, level 3, Egold 12), and 3 schemes.
    void fourMembers() {
        w_->writeSchemes(3);
        std::vector<MemberRecord> members = {member(1, "Ann", 0, 10), member(2, "Anne", 1, 2),
                                             member(3, " ANN", 2, 2), member(4, "ann", 2, 3)};
        members[0].Surname = "Lee";
        members[3].Egold_ID = 12;
        w_->writeMembers(members);
        test::writeBytes(w_->file("addinfo/3.txt"), "line a\r\nline b\r\n");
    }
    void find(const char* field, const QString& value) {
        w_->type(field, value);
        w_->click("cmdDisplay");
    }

private slots:
    void initTestCase() { fill_message_table(); }
    void init() { w_ = std::make_unique<MemberEditorWindow>(); }
    void cleanup() {
        if (w_->editor)
            w_->close();
        ZELT_VERIFY_MESSAGES(*w_->messages);
        w_.reset();
    }

    void filters_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("name with blanks and capitals") << "txtSname"
                                                       << " ANN " << QStringList{"1", "3", "4"};
        QTest::newRow("referred by 2") << "txtSreferenceid"
                                       << "2" << QStringList{"3", "4"};
        QTest::newRow("without referrer") << "txtSreferenceid"
                                          << "0" << QStringList{"1"};
        QTest::newRow("egold") << "txtSEgold_ID"
                               << " 12 " << QStringList{"4"};
        QTest::newRow("surname") << "txtSsurname"
                                 << "LEE" << QStringList{"1"};
        QTest::newRow("no match") << "txtSemail"
                                  << "x@y" << QStringList{};
    }
    void filters() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        fourMembers();
        w_->open();
        find(field.toLatin1().constData(), value);
        QTEST(w_->gridColumn(0), "listed");
        QCOMPARE(w_->grid()->model()->columnCount(), 15);
        QVERIFY(w_->control("cmdDisplay")->isEnabled());
    }

    void headingsAndCells() {
        fourMembers();
        w_->open();
        find("txtSname", QStringLiteral("ann"));
        const QStringList headings = {
            "Zelt member's ID", "Name",  "Surname",       "Street", "City",  "Post_Cod",
            "Country",          "Phone", "E_mail",        "URL",    "Level", "Reference's ID",
            "Egold's ID",       "Date",  "Payment Scheme"};
        for (int c = 0; c < headings.size(); ++c)
            QCOMPARE(w_->grid()->model()->headerData(c, Qt::Horizontal).toString(), headings[c]);
        QStringList row;
        for (int c = 0; c < 15; ++c)
            row << w_->grid()->model()->index(1, c).data().toString();
        QCOMPARE(row, (QStringList{"3", " ANN", "", "", "", "", "", "", "", "", "2", "2", "0",
                                   "16.11.2001", "1"}));
    }

    void emptyFiltersChangeNothing() {
        fourMembers();
        w_->open();
        find("txtSreferenceid", QStringLiteral("2"));
        find("txtSreferenceid", QStringLiteral("  "));
        QCOMPARE(w_->gridColumn(0), (QStringList{"3", "4"}));
    }

    void numberFilterThatDoesNotConvert_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("egold");
        QTest::newRow("egold") << ""
                               << "12x";
        QTest::newRow("reference") << "2.5.1"
                                   << "";
    }
    void numberFilterThatDoesNotConvert() {
        fourMembers();
        w_->open();
        find("txtSreferenceid", QStringLiteral("2"));
        QFETCH(QString, reference);
        QFETCH(QString, egold);
        w_->type("txtSreferenceid", reference);
        w_->type("txtSEgold_ID", egold);
        w_->messages->expect(MessageTable.MsgIncorrectValue);
        w_->click("cmdDisplay");
        ZELT_VERIFY_MESSAGES(*w_->messages);
        QCOMPARE(w_->focus(), w_->control("txtSreferenceid"));
        QCOMPARE(w_->gridColumn(0), (QStringList{"3", "4"}));
        QVERIFY(w_->control("cmdDisplay")->isEnabled());
    }

    void levelColumnSortsByValue() {
        fourMembers();
        w_->open();
        find("txtSname", QStringLiteral("ann"));
        QCOMPARE(w_->grid()->model()->rowCount(), 3);
        QHeaderView* header = w_->grid()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(10) + 5, header->height() / 2));
        QCOMPARE(w_->gridColumn(10), (QStringList{"2", "3", "10"}));
        QCOMPARE(w_->gridColumn(0), (QStringList{"3", "4", "1"}));
    }

    // The grid shows what the search found: a listed member saved afterwards keeps its old
    // values in its cells and in a sort, also when its row was never shown (member 1300 lies
    // far below the rows in view); a row whose record cannot be read shows empty cells.
    void gridKeepsWhatTheSearchFound() {
        w_->writeSchemes(1);
        w_->writeMembers(std::vector<MemberRecord>(1300, member(0, "Ann", 0, 1)));
        w_->open(); // member 1300 shown
        find("txtSname", QStringLiteral("ann"));
        w_->click("cmdEdit");
        w_->type("txtName", QStringLiteral("Aaron"));
        w_->click("cmdSave");
        QCOMPARE(w_->storedMember(1300).Name.substr(0, 6), std::string("Aaron "));
        const QAbstractItemModel* grid = w_->grid()->model();
        QCOMPARE(grid->index(1299, 1).data().toString(), QStringLiteral("Ann"));
        w_->grid()->sortRowsBy(1); // equal names: the order stays
        QCOMPARE(grid->index(0, 0).data().toString(), QStringLiteral("1"));

        int reads = 0; // the search's one read of the file, then none succeeds
        const test::ScopedFaultHook fault(
            [&, path = w_->membersFile()](fs::Op op, const std::string& where) {
                return op == fs::Op::Read && where == path && ++reads > 1 ? EIO : 0;
            });
        find("txtSname", QStringLiteral("ann"));
        QCOMPARE(grid->rowCount(), 1299);
        QCOMPARE(grid->index(0, 0).data().toString(), QStringLiteral("1"));
        QCOMPARE(grid->index(0, 1).data().toString(), QString());
        QCOMPARE(grid->index(0, 13).data().toString(), QString());
    }

    void doubleClickShowsTheMember() {
        fourMembers();
        w_->open();
        w_->click("cmdCreate"); // nothing typed: shown without a question, then browsing
        find("txtSreferenceid", QStringLiteral("2"));
        const QRect cell = w_->grid()->visualRect(w_->grid()->model()->index(0, 1));
        QTest::mouseDClick(w_->grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(w_->editor->currentRecord(), 3);
        QCOMPARE(w_->text("txtCurrent_Record"), QStringLiteral("3"));
        QCOMPARE(w_->text("txtAffiliateID"), QStringLiteral("3"));
        QCOMPARE(w_->text("txtName"), QStringLiteral(" ANN") + QString(16, QLatin1Char(' ')));
        QCOMPARE(w_->text("txtLevel"), QStringLiteral("2"));
        QCOMPARE(w_->info(), QStringLiteral("line a\nline b"));
        QCOMPARE(w_->editor->editMode(), RecordEditor::Mode::Browsing);

        QHeaderView* header = w_->grid()->horizontalHeader();
        w_->messages->expect(MessageTable.MsgNoRecord);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                           QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
        ZELT_VERIFY_MESSAGES(*w_->messages);
        QCOMPARE(w_->editor->currentRecord(), 3);
    }

    void exportOfAllMembers() {
        w_->writeSchemes(1);
        MemberRecord lee = member(2, "Ann", 1, 2);
        lee.Surname = "Lee";
        w_->writeMembers({member(1, "Bo", 0, 1), lee});
        test::writeBytes(w_->file("addinfo/2.txt"), "VIP\r\n");
        w_->open();
        w_->click("cmdFirst"); // the export does not depend on the member shown
        w_->click("cmdSaveAllRecords");
        // Street, City, Post Cod, Country, Phone, E_mail and URL, blank-filled.
        std::string seven;
        for (const std::size_t width : {20, 20, 10, 20, 15, 30, 30})
            seven += std::string(width, ' ') + ";";
        const std::string header = "Name;Surname;Street;City;Post Cod;Country;Phone;E_mail;URL;"
                                   "Member's ID;Refference's ID;Egold's ID;Level;Payment Scheme;"
                                   "Date;Additional Info\r\n";
        const std::string first = "Bo" + std::string(18, ' ') + ";" + std::string(20, ' ') + ";" +
                                  seven + "1;0;0;1;1;16.11.2001;\r\n";
        const std::string second = "Ann" + std::string(17, ' ') + ";Lee" + std::string(17, ' ') +
                                   ";" + seven + "2;1;0;2;1;16.11.2001;VIP \r\n";
        const std::string path = w_->file("output/affiliates.txt");
        QCOMPARE(fileBytes(path), test::bytes(header + first + second));
        w_->click("cmdNext");
        w_->click("cmdSaveThisRecord");
        QCOMPARE(fileBytes(path), test::bytes(header + second));
    }
};

ZELT_TEST(TestMemberEditorSearch)
#include "test_member_editor_search.moc"
