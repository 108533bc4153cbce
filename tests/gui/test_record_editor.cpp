// The editor framework on a real editor window (the sale editor): modes and enable states,
// moving, go-to, creating, editing, the backup at closing and file-system failures.
#include "storage/date_text.h"
#include "support/test_registry.h"
#include "test_sales_fixture.h"

#include <QtTest>

#include <cerrno>
#include <filesystem>

using namespace zelt;
using namespace zelt::test;

namespace {

// Record n of the test files: member n, sum n + 0.5, date 2001-11-(15 + n).
SaleRecord saleNumber(int n) {
    return {n, static_cast<float>(n) + 0.5f, serialFromDate(2001, 11, 15 + n)};
}

} // namespace

class TestRecordEditor : public QObject, private SaleWindowFixture {
    Q_OBJECT

    void writeSales(int count) {
        std::vector<SaleRecord> records;
        for (int n = 1; n <= count; ++n)
            records.push_back(saleNumber(n));
        writeRecords("sales.kvr", records);
    }

private slots:
    void initTestCase() { fill_message_table(); }

    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void loadingAMissingFileCreatesIt() {
        openEditor();
        QCOMPARE(std::filesystem::file_size(dataFile()), 0u);
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::NoRecord);
        QCOMPARE(editor_->recordCount(), 0);
        QCOMPARE(text("txtAffiliateID"), QString());
    }

    void recordCountRoundsHalfToEven_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("count");
        QTest::newRow("0 bytes") << 0 << 0;
        QTest::newRow("8 bytes: half of one") << 8 << 0;
        QTest::newRow("24 bytes: half after one") << 24 << 2;
        QTest::newRow("32 bytes") << 32 << 2;
        QTest::newRow("40 bytes: half after two") << 40 << 2;
        QTest::newRow("44 bytes") << 44 << 3;
        QTest::newRow("56 bytes: half after three") << 56 << 4;
    }
    void recordCountRoundsHalfToEven() {
        QFETCH(int, length);
        QFETCH(int, count);
        std::string bytes(length, '\0');
        for (int i = 0; i < length; i += 16)
            bytes[i] = static_cast<char>(i / 16 + 1); // member = record number
        writeBytes(dataFile(), bytes);
        openEditor();
        QCOMPARE(editor_->recordCount(), count);
        QCOMPARE(editor_->currentRecord(), count);
        QCOMPARE(editor_->editMode(),
                 count == 0 ? RecordEditor::Mode::NoRecord : RecordEditor::Mode::Browsing);
        QCOMPARE(text("txtCurrent_Record"), count == 0 ? QString() : QString::number(count));
    }

    void partialRecordReadsAsZeros() {
        writeSales(1);
        writeBytes(dataFile(), std::string(fileBytes(dataFile()).constData(), 16) +
                                   std::string("\x07\0\0\0\0\0\x28\x41", 8));
        openEditor();
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("2"));
        QCOMPARE(text("txtAffiliateID"), QStringLiteral("7"));
        QCOMPARE(text("txtSum"), QStringLiteral("10,5"));
        QCOMPARE(text("txtDate"), QStringLiteral("30.12.1899"));
    }

    void enableTable_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("inputs");
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("create");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("navigation");
        QTest::newRow("0 no record") << 0 << "" << 0 << false << false << true << false << false;
        QTest::newRow("1 creating")
            << 2 << "cmdCreate" << 1 << true << true << false << false << false;
        QTest::newRow("1 creating on an empty file")
            << 0 << "cmdCreate" << 1 << true << true << false << false << false;
        QTest::newRow("2 editing")
            << 2 << "cmdEdit" << 2 << true << true << false << false << false;
        QTest::newRow("3 browsing") << 2 << "" << 3 << true << false << true << true << true;
    }
    void enableTable() {
        QFETCH(int, records);
        QFETCH(QString, action);
        QFETCH(int, mode);
        writeSales(records);
        openEditor();
        if (!action.isEmpty())
            click(action.toLatin1().constData());
        QCOMPARE(int(editor_->editMode()), mode);
        QFETCH(bool, inputs);
        for (const char* name : {"txtAffiliateID", "txtSum", "txtDate"})
            QCOMPARE(control(name)->isEnabled(), inputs);
        QTEST(control("cmdSave")->isEnabled(), "save");
        QTEST(control("cmdCreate")->isEnabled(), "create");
        QTEST(control("cmdEdit")->isEnabled(), "edit");
        QFETCH(bool, navigation);
        for (const char* name :
             {"cmdFirst", "cmdPrevious", "cmdNext", "cmdLast", "cmdGoTo", "txtCurrent_Record"})
            QCOMPARE(control(name)->isEnabled(), navigation);
        // Usable in every mode.
        for (const char* name : {"txtDetails", "txtSdate", "txtSAffID", "cmdDisplay", "MSFGView",
                                 "cmdSaveThisRecord", "cmdSaveAllRecords"})
            QVERIFY2(control(name)->isEnabled(), name);
    }

    void movingStopsAtBothEnds() {
        writeSales(3);
        openEditor();
        QCOMPARE(text("txtAffiliateID"), QStringLiteral("3"));
        click("cmdNext");
        QCOMPARE(editor_->currentRecord(), 3);
        QCOMPARE(text("txtAffiliateID"), QStringLiteral("3"));
        click("cmdPrevious");
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("2"));
        QCOMPARE(text("txtAffiliateID"), QStringLiteral("2"));
        QCOMPARE(text("txtSum"), QStringLiteral("2,5"));
        QCOMPARE(text("txtDate"), QStringLiteral("17.11.2001"));
        click("cmdFirst");
        QCOMPARE(editor_->currentRecord(), 1);
        click("cmdPrevious");
        QCOMPARE(editor_->currentRecord(), 1);
        QCOMPARE(text("txtAffiliateID"), QStringLiteral("1"));
        click("cmdLast");
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("3"));
        QCOMPARE(text("txtAffiliateID"), QStringLiteral("3"));
    }

    void goTo_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("shown");
        const QString enter = QString::fromStdString(MessageTable.MsgEnterData);
        const QString incorrect = QString::fromStdString(MessageTable.MsgIncorrectValue);
        const QString noRecord = QString::fromStdString(MessageTable.MsgNoRecord);
        QTest::newRow("empty") << "" << enter << 5;
        QTest::newRow("letters") << "abc" << incorrect << 5;
        QTest::newRow("blanks only") << "  " << incorrect << 5;
        QTest::newRow("beyond 32 bits") << "99999999999" << incorrect << 5;
        QTest::newRow("0") << "0" << noRecord << 1;
        QTest::newRow("-1") << "-1" << noRecord << 1;
        QTest::newRow("above the count") << "6" << noRecord << 1;
        QTest::newRow("3") << "3" << QString() << 3;
        QTest::newRow("blanks around") << " 2 " << QString() << 2;
        QTest::newRow("half to even") << "2,5" << QString() << 2;
        QTest::newRow("fraction") << "3,6" << QString() << 4;
    }
    void goTo() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(int, shown);
        writeSales(5);
        openEditor();
        if (!message.isEmpty())
            messages_->expect(message);
        type("txtCurrent_Record", typed);
        click("cmdGoTo");
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(editor_->currentRecord(), shown);
        QCOMPARE(text("txtAffiliateID"), QString::number(shown));
        if (!message.isEmpty())
            QCOMPARE(focused(), control("txtCurrent_Record"));
        if (message.isEmpty() || shown == 1)
            QCOMPARE(text("txtCurrent_Record"), QString::number(shown));
    }

    void enterInTheRecordNumberGoesToIt() {
        writeSales(5);
        openEditor();
        type("txtCurrent_Record", QStringLiteral("2"));
        QTest::keyClick(control("txtCurrent_Record"), Qt::Key_Return);
        QCOMPARE(editor_->currentRecord(), 2);
        QCOMPARE(text("txtAffiliateID"), QStringLiteral("2"));
    }

    void createOnAFileOfFiveRecords() {
        writeSales(5);
        writeMembers(4);
        openEditor();
        click("cmdCreate");
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Creating);
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("6"));
        QCOMPARE(editor_->recordCount(), 6);
        QCOMPARE(text("txtAffiliateID"), QString());
        QCOMPARE(text("txtSum"), QString());
        QCOMPARE(text("txtDate"), QString::fromStdString(formatDate(today(), currentRules())));
        type("txtAffiliateID", QStringLiteral("4"));
        type("txtSum", QStringLiteral("10,50"));
        type("txtDate", QStringLiteral("16.11.2001"));
        click("cmdSave");
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
        QCOMPARE(editor_->recordCount(), 6);
        QCOMPARE(text("txtSum"), QStringLiteral("10,5"));
        const QByteArray bytes = fileBytes(dataFile());
        QCOMPARE(bytes.size(), 96);
        QCOMPARE(bytes.mid(80), QByteArray::fromHex("040000000000284100000000602BE240"));
    }

    // Typed input is never thrown away without asking: a grid row chosen, or the window
    // closed, while a record is created or edited with typed changes asks first.
    void discardQuestion_data() {
        QTest::addColumn<bool>("creating");
        QTest::addColumn<QString>("typed"); // typed into txtSum; empty: nothing typed
        QTest::addColumn<bool>("closing");  // closes the window instead of choosing a row
        QTest::addColumn<int>("answer");    // -1: no question asked
        const int yes = int(Answer::Yes);
        const int no = int(Answer::No);
        QTest::newRow("row while creating, nothing typed") << true << "" << false << -1;
        QTest::newRow("row while creating, Yes") << true << "7" << false << yes;
        QTest::newRow("row while creating, No") << true << "7" << false << no;
        QTest::newRow("row while editing, Yes") << false << "7" << false << yes;
        QTest::newRow("row while editing, No") << false << "7" << false << no;
        QTest::newRow("closing while creating, nothing typed") << true << "" << true << -1;
        QTest::newRow("closing while editing, Yes") << false << "7" << true << yes;
        QTest::newRow("closing while creating, No") << true << "7" << true << no;
    }
    void discardQuestion() {
        QFETCH(bool, creating);
        QFETCH(QString, typed);
        QFETCH(bool, closing);
        QFETCH(int, answer);
        writeSales(3);
        writeMembers(3);
        openEditor();
        click(creating ? "cmdCreate" : "cmdEdit");
        QCOMPARE(focused(), control("txtAffiliateID"));
        if (!typed.isEmpty())
            type("txtSum", typed);
        const QString record = text("txtCurrent_Record");
        const QByteArray stored = fileBytes(dataFile());
        if (answer >= 0)
            messages_->expectQuestion(QString::fromLatin1(kMsgDiscardChanges), Answer(answer));
        if (closing) {
            editor_->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        } else {
            type("txtSAffID", QStringLiteral("2"));
            click("cmdDisplay");
            doubleClickRow(0);
        }
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(fileBytes(dataFile()), stored);
        if (answer == int(Answer::No)) {
            // Nothing changes: the typed text stays, and so does the mode.
            QVERIFY(editor_ && editor_->isVisible());
            QCOMPARE(text("txtSum"), typed);
            QCOMPARE(text("txtCurrent_Record"), record);
            QVERIFY(control("cmdSave")->isEnabled());
            messages_->expectQuestion(QString::fromLatin1(kMsgDiscardChanges), Answer::Yes);
        } else if (closing) {
            QVERIFY(!editor_);
            QCOMPARE(fileBytes(dir_->file("backcopies/sales.kvr")), stored);
        } else {
            // The chosen record, browsing; a number allotted and not saved is given up.
            QCOMPARE(text("txtCurrent_Record"), QStringLiteral("2"));
            QCOMPARE(text("txtSum"), QStringLiteral("2,5"));
            QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
            QVERIFY(!control("cmdSave")->isEnabled());
            QCOMPARE(editor_->recordCount(), 3);
            click("cmdCreate");
            QCOMPARE(text("txtCurrent_Record"), QStringLiteral("4"));
        }
    }

    // A record number with no stored record (the file was cut short behind the editor's
    // back) shows empty fields under its number, and cannot be edited.
    void recordWhollyPastTheEndIsNoRecord() {
        writeSales(5);
        openEditor();
        std::filesystem::resize_file(dataFile(), 48);
        click("cmdFirst");
        click("cmdLast");
        QCOMPARE(editor_->currentRecord(), 5);
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("5"));
        for (const char* name : {"txtAffiliateID", "txtSum", "txtDate"})
            QCOMPARE(text(name), QString());
        messages_->expect(MessageTable.MsgCreateRecord);
        click("cmdEdit");
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(focused(), control("cmdCreate"));
        QVERIFY(!control("cmdSave")->isEnabled());
    }

    void backupAtEveryClosing() {
        writeSales(2);
        writeMembers(1);
        openEditor();
        closeEditor();
        const std::string backup = dir_->file("backcopies/sales.kvr");
        QCOMPARE(fileBytes(backup), fileBytes(dataFile()));
        QCOMPARE(fileBytes(backup).size(), 32);

        openEditor();
        click("cmdCreate");
        type("txtAffiliateID", QStringLiteral("1"));
        type("txtSum", QStringLiteral("1"));
        click("cmdSave");
        closeEditor();
        QCOMPARE(fileBytes(backup).size(), 48);
        QCOMPARE(fileBytes(backup), fileBytes(dataFile()));
    }

    void failedBackupKeepsTheEarlierCopy() {
        writeSales(1);
        openEditor();
        closeEditor();
        const QByteArray first = fileBytes(dir_->file("backcopies/sales.kvr"));
        writeSales(2);
        fs::setFaultHook([](fs::Op op, const std::string& path) {
            return op == fs::Op::Rename && path.find("backcopies") != std::string::npos ? EIO : 0;
        });
        openEditor();
        messages_->expectContaining(QStringLiteral("backcopies"));
        closeEditor();
        QCOMPARE(fileBytes(dir_->file("backcopies/sales.kvr")), first);
    }

    void failedWriteLeavesTheEditorUsable() {
        writeSales(1);
        writeMembers(1);
        openEditor();
        click("cmdCreate");
        type("txtAffiliateID", QStringLiteral("1"));
        type("txtSum", QStringLiteral("2"));
        const std::string data = dataFile();
        fs::setFaultHook([data](fs::Op op, const std::string& path) {
            return op == fs::Op::Write && path == data ? ENOSPC : 0;
        });
        messages_->expectContaining(QString::fromStdString(data));
        click("cmdSave");
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(fileBytes(data).size(), 16);
        QVERIFY(control("cmdSave")->isEnabled());
        QCOMPARE(text("txtSum"), QStringLiteral("2"));

        fs::setFaultHook({});
        click("cmdSave");
        QCOMPARE(fileBytes(data).size(), 32);
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
    }

    void dataFileThatCannotBeOpenedDisablesTheEditor() {
        fs::setFaultHook([](fs::Op op, const std::string& path) {
            return op == fs::Op::Open && path.ends_with("sales.kvr") ? EACCES : 0;
        });
        messages_->expectContaining(QStringLiteral("sales.kvr"));
        openEditor();
        ZELT_VERIFY_MESSAGES(*messages_);
        for (const char* name : {"cmdCreate", "cmdEdit", "cmdSave", "cmdFirst", "cmdGoTo",
                                 "cmdSaveThisRecord", "cmdSaveAllRecords", "cmdDisplay"})
            QVERIFY2(!control(name)->isEnabled(), name);
        closeEditor();
        QVERIFY(!std::filesystem::exists(dir_->file("backcopies/sales.kvr")));
    }
};

ZELT_TEST(TestRecordEditor)
#include "test_record_editor.moc"
