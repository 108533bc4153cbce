// The sale and payment editors: captions, the checks of a save, the details side files, the
// text exports, through the real windows.
#include "support/test_registry.h"
#include "test_sales_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QtTest>

#include <cerrno>
#include <filesystem>

using namespace zelt;
using namespace zelt::test;

namespace {

QString message(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

class TestSalesEditor : public QObject, private SaleWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { fill_message_table(); }

    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void captions_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("sumLabel");
        QTest::addColumn<QString>("file");
        QTest::newRow("sales") << int(EditorKind::Sales) << "frmSales"
                               << "Sales"
                               << "Sum "
                               << "sales.kvr";
        QTest::newRow("payments") << int(EditorKind::Payments) << "frmPayments"
                                  << "Payments"
                                  << "Sum of Payment"
                                  << "payments.kvr";
    }
    void captions() {
        QFETCH(int, kind);
        openEditor(static_cast<EditorKind>(kind));
        QTEST(editor_->objectName(), "window");
        QTEST(editor_->windowTitle(), "title");
        QTEST(control<QLabel>("lblLabel2")->text(), "sumLabel");
        QTEST(QString::fromStdString(editor_->fileName()), "file");
        QFETCH(QString, file);
        QVERIFY(std::filesystem::exists(dir_->file("data/" + file.toStdString())));
        const std::pair<const char*, const char*> labels[] = {
            {"lblLabel1", "txtAffiliateID"}, {"lblLabel2", "txtSum"},   {"lblLabel3", "txtDate"},
            {"Label1", "txtDetails"},        {"lblLabel4", "txtSdate"}, {"lblLabel5", "txtSAffID"}};
        for (const auto& [label, field] : labels)
            QCOMPARE(control<QLabel>(label)->buddy(), control(field));
        QCOMPARE(control<QLabel>("lblLabel1")->text(), QStringLiteral("Member's ID"));
        QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("Details"));
        QCOMPARE(control<QGroupBox>("frameView")->title(), QStringLiteral("Search"));
        QCOMPARE(control<QPushButton>("cmdDisplay")->text(), QStringLiteral("Find"));
        QCOMPARE(control<QPushButton>("cmdGoTo")->text(), QStringLiteral("Go to the record N"));
        QCOMPARE(control<QPushButton>("cmdFirst")->text(), QStringLiteral("I<"));
        QCOMPARE(control<QPushButton>("cmdLast")->toolTip(),
                 QStringLiteral("Move to the last record"));
        QCOMPARE(control("txtCurrent_Record")->accessibleName(), QStringLiteral("Record number"));
        QVERIFY(editor_->findChild<QWidget*>(QStringLiteral("frmNavigation")));
    }

    void refusedSaves_data() {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString enter = message(MessageTable.MsgEnterData);
        const QString incorrect = message(MessageTable.MsgIncorrectValue);
        const QString noMember = message(MessageTable.MsgNoMember);
        QTest::newRow("member empty") << ""
                                      << "1"
                                      << "" << enter << "txtAffiliateID";
        QTest::newRow("sum empty") << "1"
                                   << ""
                                   << "" << enter << "txtSum";
        QTest::newRow("date empty") << "1"
                                    << "1"
                                    << "" << enter << "txtDate";
        QTest::newRow("member letters") << "x"
                                        << "1"
                                        << "16.11.2001" << incorrect << "txtAffiliateID";
        QTest::newRow("member beyond 32 bits") << "3000000000"
                                               << "1"
                                               << "16.11.2001" << incorrect << "txtAffiliateID";
        QTest::newRow("sum letters") << "1"
                                     << "1x"
                                     << "16.11.2001" << incorrect << "txtSum";
        QTest::newRow("sum with a point") << "1"
                                          << "1.5"
                                          << "16.11.2001" << incorrect << "txtSum";
        QTest::newRow("impossible date") << "1"
                                         << "1"
                                         << "31.02.2001" << incorrect << "txtDate";
        QTest::newRow("member 0") << "0"
                                  << "1"
                                  << "16.11.2001" << incorrect << "txtAffiliateID";
        QTest::newRow("member -2") << "-2"
                                   << "1"
                                   << "16.11.2001" << incorrect << "txtAffiliateID";
        QTest::newRow("member 5 of 4") << "5"
                                       << "1"
                                       << "16.11.2001" << noMember << "txtAffiliateID";
        QTest::newRow("negative sum") << "4"
                                      << "-0,01"
                                      << "16.11.2001" << incorrect << "txtSum";
    }
    // Every refusal shows its message, puts the focus on the field, writes nothing (neither
    // the record nor the details) and stays in creating mode.
    void refusedSaves() {
        QFETCH(QString, member);
        QFETCH(QString, sum);
        QFETCH(QString, date);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        writeRecords("sales.kvr", {{1, 2.5f, 37211.0}});
        writeMembers(4);
        openEditor();
        click("cmdCreate");
        fill(member, sum, date);
        control<QPlainTextEdit>("txtDetails")->setPlainText(QStringLiteral("not stored"));
        const QByteArray before = fileBytes(dataFile());
        messages_->expect(message);
        click("cmdSave");
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(focused(), control(focus.toLatin1().constData()));
        QCOMPARE(fileBytes(dataFile()), before);
        QVERIFY(!std::filesystem::exists(addinfo("s2.txt")));
        QVERIFY(control("cmdSave")->isEnabled());
        QVERIFY(!control("cmdCreate")->isEnabled());
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("2"));
    }

    void withoutMembersEverySaveIsRefused() {
        openEditor();
        click("cmdCreate");
        fill(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("16.11.2001"));
        messages_->expect(MessageTable.MsgNoMember);
        click("cmdSave");
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(std::filesystem::file_size(dataFile()), 0u);
        QVERIFY(!std::filesystem::exists(dir_->file("data/affiliates.kvr")));
    }

    // A sum that the files cannot write to the cent is warned about, and stored all the same.
    void sumWarning_data() {
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QString>("warning"); // the value in the warning; empty: none
        QTest::newRow("123456,78") << "123456,78"
                                   << "123456,8";
        QTest::newRow("12345678,99") << "12345678,99"
                                     << "1,234568E+07";
        QTest::newRow("99999,99 to the cent") << "99999,99"
                                              << "";
    }
    void sumWarning() {
        QFETCH(QString, sum);
        QFETCH(QString, warning);
        writeMembers(1);
        openEditor();
        click("cmdCreate");
        fill(QStringLiteral("1"), sum, QStringLiteral("16.11.2001"));
        if (!warning.isEmpty())
            messages_->expect(QString::fromLatin1(kMsgStoredAs) + warning);
        click("cmdSave");
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(fileBytes(dataFile()).size(), 16);
    }

    void correctedSaveAfterARefusal() {
        writeMembers(4);
        openEditor();
        click("cmdCreate");
        fill(QStringLiteral("5"), QStringLiteral("10,50"), QStringLiteral("16.11.01"));
        messages_->expect(MessageTable.MsgNoMember);
        click("cmdSave");
        ZELT_VERIFY_MESSAGES(*messages_);
        type("txtAffiliateID", QStringLiteral("3"));
        click("cmdSave");
        QCOMPARE(fileBytes(dataFile()), QByteArray::fromHex("030000000000284100000000602BE240"));
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
        QCOMPARE(text("txtSum"), QStringLiteral("10,5"));
        QCOMPARE(text("txtDate"), QStringLiteral("16.11.2001"));
        QVERIFY(!std::filesystem::exists(addinfo("s1.txt"))); // empty details write nothing
    }

    void zeroSumAndLastMemberAreStored() {
        writeMembers(4);
        openEditor(EditorKind::Payments);
        click("cmdCreate");
        fill(QStringLiteral("4"), QStringLiteral("0"), QStringLiteral("16.11.2001 12:00"));
        click("cmdSave");
        QCOMPARE(fileBytes(dataFile("payments.kvr")), QByteArray::fromHex("04000000"
                                                                          "00000000"
                                                                          "00000000702BE240"));
        QCOMPARE(text("txtDate"), QStringLiteral("16.11.2001 12:00:00"));
    }

    void editingOverwritesTheShownRecord() {
        writeRecords("sales.kvr", {{1, 1.0f, 37211.0}, {2, 2.0f, 37212.0}});
        writeMembers(4);
        openEditor();
        click("cmdFirst");
        click("cmdEdit");
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Editing);
        type("txtSum", QStringLiteral("7,25"));
        click("cmdSave");
        const QByteArray bytes = fileBytes(dataFile());
        QCOMPARE(bytes.size(), 32);
        QCOMPARE(bytes.mid(4, 4), QByteArray::fromHex("0000E840"));
        QCOMPARE(editor_->currentRecord(), 1);
    }

    // Sales and payments with the same number keep their details in s<n>.txt and p<n>.txt.
    void detailsOfSalesAndPaymentsStayApart() {
        writeMembers(1);
        for (EditorKind kind : {EditorKind::Sales, EditorKind::Payments}) {
            openEditor(kind);
            click("cmdCreate");
            fill(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("16.11.2001"));
            control<QPlainTextEdit>("txtDetails")
                ->setPlainText(kind == EditorKind::Sales ? QStringLiteral("abc")
                                                         : QStringLiteral("paid\nby hand"));
            click("cmdSave");
            closeEditor();
        }
        QCOMPARE(fileBytes(addinfo("s1.txt")), QByteArray("abc\r\n"));
        QCOMPARE(fileBytes(addinfo("p1.txt")), QByteArray("paid\r\nby hand\r\n"));

        openEditor(EditorKind::Payments);
        QCOMPARE(details(), QStringLiteral("paid\nby hand"));
        click("cmdEdit");
        click("cmdSave"); // unchanged details stay as they are
        QCOMPARE(fileBytes(addinfo("p1.txt")), QByteArray("paid\r\nby hand\r\n"));
    }

    void emptyDetailsKeepTheEarlierFile() {
        writeRecords("sales.kvr", {{1, 1.0f, 37211.0}});
        writeMembers(1);
        writeBytes(addinfo("s1.txt"), "old\r\n");
        openEditor();
        QCOMPARE(details(), QStringLiteral("old"));
        click("cmdEdit");
        control<QPlainTextEdit>("txtDetails")->clear();
        click("cmdSave");
        QCOMPARE(details(), QStringLiteral("old"));
        QCOMPARE(fileBytes(addinfo("s1.txt")), QByteArray("old\r\n"));
    }

    void showingARecordCreatesTheAddinfoFolder() {
        writeRecords("payments.kvr", {{1, 1.0f, 37211.0}});
        openEditor(EditorKind::Payments);
        QVERIFY(std::filesystem::is_directory(dir_->file("addinfo")));
        QCOMPARE(details(), QString());
    }

    void unreadableDetailsAreNeverOverwritten() {
        writeRecords("sales.kvr", {{1, 1.0f, 37211.0}});
        writeMembers(1);
        writeBytes(addinfo("s1.txt"), "kept\r\n");
        fs::setFaultHook([](fs::Op op, const std::string& path) {
            return (op == fs::Op::Open || op == fs::Op::Read) && path.ends_with("s1.txt") ? EIO : 0;
        });
        messages_->expectContaining(QStringLiteral("s1.txt"));
        openEditor();
        ZELT_VERIFY_MESSAGES(*messages_);
        click("cmdEdit");
        control<QPlainTextEdit>("txtDetails")->setPlainText(QStringLiteral("new"));
        type("txtSum", QStringLiteral("9"));
        const QByteArray before = fileBytes(dataFile());
        messages_->expectContaining(QStringLiteral("s1.txt"));
        click("cmdSave");
        ZELT_VERIFY_MESSAGES(*messages_);
        fs::setFaultHook({});
        QCOMPARE(fileBytes(dataFile()), before);
        QCOMPARE(fileBytes(addinfo("s1.txt")), QByteArray("kept\r\n"));
    }

    void charactersOutsideTheCodePageWarnOnce() {
        writeMembers(1);
        openEditor();
        click("cmdCreate");
        fill(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("16.11.2001"));
        control<QPlainTextEdit>("txtDetails")->setPlainText(QStringLiteral("\u0416 \u20ac \u0436"));
        messages_->expect(kMsgReplacedCharacters);
        click("cmdSave");
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(fileBytes(addinfo("s1.txt")), QByteArray("? \x80 ?\r\n"));
        QCOMPARE(details(), QStringLiteral("? \u20ac ?"));
    }

    void singleLineFieldsTakeNoLineControls() {
        openEditor();
        auto* field = control<QLineEdit>("txtSdate");
        field->insert(QStringLiteral("a\tb\r\nc"));
        QCOMPARE(field->text(), QStringLiteral("a b  c"));
    }

    void exports_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("other");
        QTest::newRow("sales") << int(EditorKind::Sales) << "Sales.txt"
                               << "Payments.txt";
        QTest::newRow("payments") << int(EditorKind::Payments) << "Payments.txt"
                                  << "Sales.txt";
    }
    void exports() {
        QFETCH(int, kind);
        QFETCH(QString, output);
        QFETCH(QString, other);
        const char* data = kind == int(EditorKind::Sales) ? "sales.kvr" : "payments.kvr";
        writeRecords(data, {{1, 1.0f, 37211.0}, {3, 10.5f, 37211.0}, {-4, 0.25f, 37211.5}});
        writeBytes(addinfo("s2.txt"), "never exported\r\n");
        openEditor(static_cast<EditorKind>(kind));
        const std::string path = dir_->file("output/" + output.toStdString());
        click("cmdSaveAllRecords");
        QCOMPARE(fileBytes(path), QByteArray("Member's ID;Sum;Date\r\n"
                                             "1;1;16.11.2001\r\n"
                                             "3;10,5;16.11.2001\r\n"
                                             "-4;0,25;16.11.2001 12:00:00\r\n"));
        click("cmdPrevious");
        click("cmdSaveThisRecord");
        QCOMPARE(fileBytes(path), QByteArray("Member's ID;Sum;Date\r\n3;10,5;16.11.2001\r\n"));
        QVERIFY(!std::filesystem::exists(dir_->file("output/" + other.toStdString())));
    }

    void exportsOfAnEmptyFile() {
        openEditor();
        const std::string path = dir_->file("output/Sales.txt");
        click("cmdSaveAllRecords");
        QCOMPARE(fileBytes(path), QByteArray("Member's ID;Sum;Date\r\n"));
        click("cmdSaveThisRecord"); // no current record: the earlier export goes, none comes
        QVERIFY(!std::filesystem::exists(path));
    }

    void exportOfARecordBeingCreatedWritesNoLine() {
        writeRecords("sales.kvr", {{3, 10.5f, 37211.0}});
        openEditor();
        click("cmdCreate");
        click("cmdSaveThisRecord");
        QCOMPARE(fileBytes(dir_->file("output/Sales.txt")), QByteArray("Member's ID;Sum;Date\r\n"));
    }
};

ZELT_TEST(TestSalesEditor)
#include "test_sales_editor.moc"
