// The communication editor: its window, the save with its checks and warnings, and the three
// message files of a record, through the real window.
#include "support/test_registry.h"
#include "test_communication_editor_window.h"

#include <QGroupBox>
#include <QLabel>

#include <cerrno>

using namespace zelt;
using namespace zelt::test;

namespace {

const double kNov16 = serialFromDate(2001, 11, 16);
const double kNov20 = serialFromDate(2001, 11, 20);

QString padded(const QString& text) {
    return text + QString(30 - text.size(), QLatin1Char(' '));
}

std::vector<CommunicationRecord> records(int count) {
    std::vector<CommunicationRecord> out;
    for (int n = 1; n <= count; ++n)
        out.push_back(communication(n * 10, "Subject " + std::to_string(n), kNov16, kNov20));
    return out;
}

QPoint topLeftIn(QWidget* widget, QWidget* window) {
    return widget->mapTo(window, QPoint(0, 0));
}

} // namespace

class TestCommunicationEditor : public QObject, protected CommunicationWindow {
    Q_OBJECT

private slots:
    void initTestCase() { fill_message_table(); }
    void init() { startTest(); }
    void cleanup() { ZELT_END_COMMUNICATION_TEST(); }

    void captionsAndNames() {
        openEditor();
        QCOMPARE(editor_->objectName(), QStringLiteral("frmCommunications"));
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Communications "));
        const struct {
            const char* label;
            const char* caption;
            const char* buddy;
        } labels[] = {{"lblLabel1", "Zelt member's ID", "txtID"},
                      {"lblLabel2", "Subject", "txtSubject"},
                      {"lblLabel3", "Message", "txtMessage"},
                      {"lblLabel6", "Date", "txtDate"},
                      {"lblLabel8", "Responce", "txtResponce"},
                      {"lblLabel13", "Date of responce", "txtDate_R"},
                      {"lblLabel12", "Comments", "txtComments"},
                      {"lblLabel15", "ID", "txtSID"},
                      {"lblLabel16", "Subject", "txtSsubject"},
                      {"lblLabel17", "Date", "txtSdate"},
                      {"lblLabel18", "Date of responce", "txtSdate_r"}};
        for (const auto& l : labels) {
            QCOMPARE(control<QLabel>(l.label)->text(), QString::fromLatin1(l.caption));
            QCOMPARE(control<QLabel>(l.label)->buddy(), control(l.buddy));
        }
        const struct {
            const char* button;
            const char* caption;
        } buttons[] = {{"cmdDisplay", "Find"},
                       {"cmdGoTo", "Go To the record N"},
                       {"cmdCreate", "Create a new record"},
                       {"cmdEdit", "Edit this record"},
                       {"cmdSave", "Save this record"},
                       {"cmdSaveThisRecord", "Save this record as txt"},
                       {"cmdSaveAllRecords", "Save all records as txt"},
                       {"cmdFirst", "I<"},
                       {"cmdLast", ">I"}};
        for (const auto& b : buttons)
            QCOMPARE(control<QPushButton>(b.button)->text(), QString::fromLatin1(b.caption));
        QCOMPARE(control<QGroupBox>("frameView")->title(), QStringLiteral("Search"));
        QCOMPARE(editor_->fileName(), std::string("communications.kvr"));
    }

    void arrangementAndFocusOrder() {
        writeRecords(records(1));
        openEditor();
        // One column, top to bottom; single-line labels to the left, box labels above.
        const char* column[] = {"txtID",       "txtSubject", "txtMessage", "txtDate",
                                "txtResponce", "txtDate_R",  "txtComments"};
        for (std::size_t i = 1; i < std::size(column); ++i)
            QVERIFY2(topLeftIn(control(column[i - 1]), editor_).y() <
                         topLeftIn(control(column[i]), editor_).y(),
                     column[i]);
        for (const char* label : {"lblLabel1", "lblLabel2", "lblLabel6", "lblLabel13"}) {
            QWidget* field = control<QLabel>(label)->buddy();
            QVERIFY2(topLeftIn(control(label), editor_).x() + control(label)->width() <=
                         topLeftIn(field, editor_).x(),
                     label);
        }
        for (const char* label : {"lblLabel3", "lblLabel8", "lblLabel12"}) {
            QWidget* box = control<QLabel>(label)->buddy();
            QVERIFY2(topLeftIn(control(label), editor_).y() + control(label)->height() <=
                         topLeftIn(box, editor_).y(),
                     label);
            QCOMPARE(topLeftIn(box, editor_).x(), topLeftIn(control("lblLabel1"), editor_).x());
        }
        QVERIFY(control("txtResponce")->height() > control("txtMessage")->height());
        QVERIFY(control("txtResponce")->height() > control("txtComments")->height());
        QVERIFY(topLeftIn(control("frameView"), editor_).x() >=
                topLeftIn(control("txtID"), editor_).x() + control("txtID")->width());

        const char* order[] = {"txtID",       "txtSubject",  "txtMessage", "txtDate",
                               "txtResponce", "txtComments", "txtDate_R"};
        control(order[0])->setFocus();
        for (std::size_t i = 1; i < std::size(order); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focusName(), QString::fromLatin1(order[i]));
        }
    }

    // Loading sets the six shared messages this editor shows to their texts again; the one
    // about schemes is left as it is.
    void sharedMessagesAreSetAgainAtLoad() {
        const MessageTableTexts filled = MessageTable;
        for (std::string* text :
             {&MessageTable.MsgEnterData, &MessageTable.MsgSelectValue,
              &MessageTable.MsgIncorrectValue, &MessageTable.MsgNoRecord, &MessageTable.MsgNoMember,
              &MessageTable.MsgCreateRecord, &MessageTable.MsgCreateSchemes})
            *text = "changed";
        openEditor();
        const MessageTableTexts after = MessageTable;
        MessageTable = filled;
        QCOMPARE(after.MsgEnterData, filled.MsgEnterData);
        QCOMPARE(after.MsgSelectValue, filled.MsgSelectValue);
        QCOMPARE(after.MsgIncorrectValue, filled.MsgIncorrectValue);
        QCOMPARE(after.MsgNoRecord, filled.MsgNoRecord);
        QCOMPARE(after.MsgNoMember, filled.MsgNoMember);
        QCOMPARE(after.MsgCreateRecord, filled.MsgCreateRecord);
        QCOMPARE(after.MsgCreateSchemes, std::string("changed"));
    }

    void loadShowsTheLastRecordWithItsTexts() {
        writeRecords(records(4));
        writeBytes(commFile("4.txt"), "Hello\r\nworld\r\n");
        writeBytes(commFile("r4.txt"), "Answer\r\n");
        writeBytes(commFile("c3.txt"), "of record 3\r\n");
        openEditor();
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("4"));
        QCOMPARE(text("txtID"), QStringLiteral("40"));
        QCOMPARE(text("txtSubject"), padded(QStringLiteral("Subject 4")));
        QCOMPARE(text("txtDate"), QStringLiteral("16.11.2001"));
        QCOMPARE(text("txtDate_R"), QStringLiteral("20.11.2001"));
        QCOMPARE(text("txtMessage"), QStringLiteral("Hello\nworld"));
        QCOMPARE(text("txtResponce"), QStringLiteral("Answer"));
        QCOMPARE(text("txtComments"), QString());
    }

    void emptyFileLeavesOnlyCreateSearchAndExports() {
        openEditor();
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::NoRecord);
        QVERIFY(std::filesystem::exists(dataFile()));
        QCOMPARE(std::filesystem::file_size(dataFile()), 0u);
        for (const char* name : {"txtID", "txtSubject", "txtMessage", "txtDate", "txtResponce",
                                 "txtDate_R", "txtComments", "cmdSave", "cmdEdit", "cmdFirst",
                                 "cmdLast", "cmdGoTo", "txtCurrent_Record"}) {
            QVERIFY2(!control(name)->isEnabled(), name);
        }
        for (const char* name :
             {"cmdCreate", "cmdDisplay", "txtSID", "txtSsubject", "txtSdate", "txtSdate_r",
              "MSFGView", "cmdSaveThisRecord", "cmdSaveAllRecords"})
            QVERIFY2(control(name)->isEnabled(), name);
        for (const char* name : {"txtID", "txtSubject", "txtDate", "txtDate_R", "txtMessage"})
            QVERIFY2(text(name).isEmpty(), name);
    }

    // The new record gets number 5 and today's date twice; the save writes the record and a
    // file for each long text that is not empty, and leaves the fields as typed.
    void createAndSave() {
        writeRecords(records(4));
        openEditor();
        click("cmdCreate");
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Creating);
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("5"));
        QCOMPARE(text("txtDate"), today());
        QCOMPARE(text("txtDate_R"), today());
        for (const char* name : {"txtID", "txtSubject", "txtMessage", "txtResponce", "txtComments"})
            QVERIFY2(text(name).isEmpty(), name);

        type("txtID", QStringLiteral("7,5"));
        type("txtSubject", QStringLiteral("  Invoice  "));
        type("txtMessage", QStringLiteral("Hello"));
        control<QPlainTextEdit>("txtComments")->setPlainText(QStringLiteral("a\nb"));
        type("txtDate", QStringLiteral("1.2.03"));
        click("cmdSave");

        QCOMPARE(std::filesystem::file_size(dataFile()), 250u);
        QCOMPARE(storedRecord(5),
                 encoded(communication(8, "Invoice" + std::string(23, ' '),
                                       serialFromDate(2003, 2, 1), zelt::today())));
        QCOMPARE(fileBytes(commFile("5.txt")), QByteArray("Hello\r\n"));
        QCOMPARE(fileBytes(commFile("c5.txt")), QByteArray("a\r\nb\r\n"));
        QVERIFY(!std::filesystem::exists(commFile("r5.txt")));
        // The fields keep the text as typed; only the subject shows its 30 stored characters.
        QCOMPARE(text("txtID"), QStringLiteral("7,5"));
        QCOMPARE(text("txtDate"), QStringLiteral("1.2.03"));
        QCOMPARE(text("txtSubject"), padded(QStringLiteral("Invoice")));
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("5"));
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
        QCOMPARE(editor_->recordCount(), 5);
        QVERIFY(!control("cmdSave")->isEnabled());
        QVERIFY(control("cmdCreate")->isEnabled());
    }

    void savingWithoutLongTextsWritesNoMessageFile() {
        writeRecords(records(1));
        openEditor();
        click("cmdEdit");
        click("cmdSave");
        QVERIFY(!std::filesystem::exists(commFile("1.txt")));
        QVERIFY(!std::filesystem::exists(commFile("r1.txt")));
        QVERIFY(!std::filesystem::exists(commFile("c1.txt")));
        QCOMPARE(storedRecord(1), encoded(records(1)[0]));
    }

    void refusedSaves_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("dateR");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString enter = QString::fromStdString(MessageTable.MsgEnterData);
        const QString incorrect = QString::fromStdString(MessageTable.MsgIncorrectValue);
        const QString day = QStringLiteral("16.11.2001");
        QTest::newRow("member empty") << ""
                                      << "S" << day << day << enter << "txtID";
        QTest::newRow("member and subject empty, one message") << ""
                                                               << ""
                                                               << ""
                                                               << "" << enter << "txtID";
        QTest::newRow("subject empty") << "3"
                                       << "" << day << day << enter << "txtSubject";
        QTest::newRow("member letters") << "x"
                                        << "S" << day << day << incorrect << "txtID";
        QTest::newRow("member beyond 32 bits") << "3000000000"
                                               << "S" << day << day << incorrect << "txtID";
        QTest::newRow("both dates empty") << "3"
                                          << "S"
                                          << ""
                                          << "" << incorrect << "txtDate";
        QTest::newRow("impossible date") << "3"
                                         << "S"
                                         << "31.02.2001" << day << incorrect << "txtDate";
        QTest::newRow("date of responce empty") << "3"
                                                << "S" << day << "" << incorrect << "txtDate_R";
        QTest::newRow("date of responce letters")
            << "3"
            << "S" << day << "soon" << incorrect << "txtDate_R";
    }

    // Every refusal shows its message, puts the focus on the field, writes not one byte and
    // stays in creating mode; the corrected save then goes through.
    void refusedSaves() {
        QFETCH(QString, id);
        QFETCH(QString, subject);
        QFETCH(QString, date);
        QFETCH(QString, dateR);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        writeRecords(records(4));
        writeBytes(commFile("r5.txt"), "left over\r\n");
        openEditor();
        click("cmdCreate");
        type("txtID", id);
        type("txtSubject", subject);
        type("txtDate", date);
        type("txtDate_R", dateR);
        type("txtMessage", QStringLiteral("not stored"));
        type("txtResponce", QStringLiteral("not stored"));
        const auto before = snapshot();
        messages_->expect(message);
        click("cmdSave");
        QVERIFY2(messages_->ok(), qPrintable(messages_->problems()));
        QCOMPARE(focusName(), focus);
        QCOMPARE(snapshot(), before);
        QVERIFY(control("cmdSave")->isEnabled());
        QVERIFY(!control("cmdCreate")->isEnabled());
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("5"));
        QCOMPARE(text("txtSubject"), subject);

        type("txtID", QStringLiteral("3"));
        type("txtSubject", QStringLiteral("S"));
        type("txtDate", QStringLiteral("16.11.2001"));
        type("txtDate_R", QStringLiteral("20.11.2001"));
        click("cmdSave");
        QCOMPARE(storedRecord(5), encoded(communication(3, "S", kNov16, kNov20)));
        QCOMPARE(fileBytes(commFile("r5.txt")), QByteArray("not stored\r\n"));
    }

    // With no current record the save stops before the conversions, whatever the fields hold.
    void noCurrentRecordComesBeforeTheConversions() {
        openEditor();
        control<QLineEdit>("txtID")->setText(QStringLiteral("1"));
        control<QLineEdit>("txtSubject")->setText(QStringLiteral("S"));
        control<QLineEdit>("txtDate")->setText(QStringLiteral("no date"));
        const auto before = snapshot();
        messages_->expect(MessageTable.MsgCreateRecord);
        editor_->onCmdSaveClicked();
        QCOMPARE(focusName(), QStringLiteral("cmdCreate"));
        QCOMPARE(snapshot(), before);
    }

    void memberIdentifiers_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("12") << "12" << QByteArray::fromHex("0C000000");
        QTest::newRow("0, no member") << "0" << QByteArray::fromHex("00000000");
        QTest::newRow("-3") << "-3" << QByteArray::fromHex("FDFFFFFF");
        QTest::newRow("no such member") << "99999" << QByteArray::fromHex("9F860100");
        QTest::newRow("half to even") << " 2,5 " << QByteArray::fromHex("02000000");
    }

    // Any whole number is stored, without a message.
    void memberIdentifiers() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        writeRecords(records(4));
        openEditor();
        click("cmdCreate");
        type("txtID", typed);
        type("txtSubject", QStringLiteral("S"));
        click("cmdSave");
        QCOMPARE(storedRecord(5).left(4), stored);
        QCOMPARE(text("txtID"), typed);
    }

    void subjects_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("warned");
        const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJ");
        QTest::newRow("blanks around") << "  Invoice  " << padded("Invoice") << false;
        QTest::newRow("only blanks") << QString(30, QLatin1Char(' ')) << padded("") << false;
        QTest::newRow("10 characters") << letters.left(10) << padded(letters.left(10)) << false;
        QTest::newRow("30 characters") << letters.left(30) << letters.left(30) << false;
        QTest::newRow("30 characters in blanks")
            << "  " + letters.left(30) + "  " << letters.left(30) << false;
        QTest::newRow("31 characters") << letters.left(31) << letters.left(30) << true;
        QTest::newRow("45 characters") << letters.left(45) << letters.left(30) << true;
        QTest::newRow("accented letters count once")
            << QStringLiteral("\u00e9").repeated(31) << QStringLiteral("\u00e9").repeated(30)
            << true;
    }

    // The subject is stored and shown as its 30 characters, cut with one warning.
    void subjects() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, warned);
        writeRecords(records(4));
        openEditor();
        click("cmdCreate");
        type("txtID", QStringLiteral("1"));
        type("txtSubject", typed);
        if (warned)
            messages_->expect(kMsgTruncated);
        click("cmdSave");
        QVERIFY2(messages_->ok(), qPrintable(messages_->problems()));
        QCOMPARE(storedRecord(5).mid(4, 30), stored.toLatin1());
        QCOMPARE(text("txtSubject"), stored);
        click("cmdFirst");
        click("cmdLast");
        QCOMPARE(text("txtSubject"), stored);
    }

    void charactersOutsideTheCodePageWarnOnce() {
        writeRecords(records(1));
        openEditor();
        click("cmdEdit");
        type("txtSubject", QStringLiteral("Zh \u0416"));
        messages_->expect(kMsgReplacedCharacters);
        click("cmdSave");
        QCOMPARE(storedRecord(1).mid(4, 30), padded(QStringLiteral("Zh ?")).toLatin1());
        QCOMPARE(text("txtSubject"), padded(QStringLiteral("Zh ?")));
    }

    // Emptying a text writes nothing and removes nothing: the old file shows again.
    void emptiedResponseKeepsItsFile() {
        writeRecords(records(7));
        writeBytes(commFile("7.txt"), "Message\r\n");
        writeBytes(commFile("r7.txt"), "First answer\r\n");
        openEditor();
        QCOMPARE(text("txtResponce"), QStringLiteral("First answer"));
        click("cmdEdit");
        control<QPlainTextEdit>("txtResponce")->clear();
        click("cmdSave");
        QCOMPARE(text("txtResponce"), QString());
        QCOMPARE(fileBytes(commFile("r7.txt")), QByteArray("First answer\r\n"));
        QCOMPARE(fileBytes(commFile("7.txt")), QByteArray("Message\r\n"));
        click("cmdPrevious");
        click("cmdNext");
        QCOMPARE(text("txtResponce"), QStringLiteral("First answer"));
    }

    void movingNeverLeavesThePreviousTexts() {
        writeRecords(records(3));
        for (const char* name : {"1.txt", "r1.txt", "c1.txt"})
            writeBytes(commFile(name), std::string("text of ") + name + "\r\n");
        writeBytes(commFile("c3.txt"), "third\r\n");
        openEditor();
        const auto texts = [this] {
            return QStringList{text("txtMessage"), text("txtResponce"), text("txtComments")};
        };
        QCOMPARE(texts(), (QStringList{"", "", "third"}));
        click("cmdPrevious");
        QCOMPARE(texts(), (QStringList{"", "", ""}));
        click("cmdPrevious");
        QCOMPARE(texts(), (QStringList{"text of 1.txt", "text of r1.txt", "text of c1.txt"}));
        click("cmdNext");
        QCOMPARE(texts(), (QStringList{"", "", ""}));
        type("txtCurrent_Record", QStringLiteral("3"));
        click("cmdGoTo");
        QCOMPARE(texts(), (QStringList{"", "", "third"}));
    }

    // A message file that exists but cannot be read is never overwritten: the save is refused
    // with the reason, and not one byte is written.
    void unreadableMessageFileBlocksTheSave() {
        writeRecords(records(1));
        writeBytes(commFile("1.txt"), "kept\r\n");
        openEditor();
        click("cmdEdit");
        type("txtMessage", QStringLiteral("new"));
        type("txtResponce", QStringLiteral("answer"));
        type("txtID", QStringLiteral("99"));
        const auto before = snapshot();
        fs::setFaultHook([](fs::Op op, const std::string& path) {
            return (op == fs::Op::Open || op == fs::Op::Read) && path.ends_with("/1.txt") ? EACCES
                                                                                          : 0;
        });
        messages_->expectContaining(QStringLiteral("1.txt"));
        click("cmdSave");
        fs::setFaultHook({});
        QVERIFY2(messages_->ok(), qPrintable(messages_->problems()));
        QCOMPARE(snapshot(), before);
        QVERIFY(control("cmdSave")->isEnabled());
    }

    // A message file that cannot be written is reported; the record is stored and the screen
    // stays as typed, so the save can be repeated.
    void failedMessageFileWriteIsReported() {
        writeRecords(records(1));
        openEditor();
        click("cmdEdit");
        type("txtID", QStringLiteral("5"));
        type("txtMessage", QStringLiteral("new"));
        fs::setFaultHook([](fs::Op op, const std::string& path) {
            return op == fs::Op::Rename && path.ends_with("/1.txt") ? ENOSPC : 0;
        });
        messages_->expectContaining(QStringLiteral("1.txt"));
        click("cmdSave");
        fs::setFaultHook({});
        QVERIFY2(messages_->ok(), qPrintable(messages_->problems()));
        QVERIFY(!std::filesystem::exists(commFile("1.txt")));
        QCOMPARE(storedRecord(1).left(4), QByteArray::fromHex("05000000"));
        QCOMPARE(text("txtMessage"), QStringLiteral("new"));
        QVERIFY(control("cmdSave")->isEnabled());
        click("cmdSave");
        QCOMPARE(fileBytes(commFile("1.txt")), QByteArray("new\r\n"));
    }
};

ZELT_TEST(TestCommunicationEditor)
#include "test_communication_editor.moc"
