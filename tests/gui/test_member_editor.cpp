// The member editor: loading with and without schemes, the identifier, the checks of a save and
// their order, the level from the referrer, texts trimmed and cut, the additional info file.
#include "storage/date_text.h"
#include "support/fault_hook.h"
#include "support/test_registry.h"
#include "test_member_editor_window.h"

#include <QGroupBox>
#include <QLabel>

#include <cerrno>
#include <limits>

using namespace zelt;
using zelt::test::fileBytes;
using zelt::test::member;
using zelt::test::MemberEditorWindow;

namespace {

QString message(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

class TestMemberEditor : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MemberEditorWindow> w_;

    // Members 1 (level 1) and 2 (referred by 1, level 2) and 3 schemes.
    void twoMembers(std::int32_t secondLevel = 2) {
        w_->writeSchemes(3);
        w_->writeMembers({member(1, "Ann", 0, 1), member(2, "Bob", 1, secondLevel)});
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

    void withoutSchemesNothingOpens() {
        w_->messages->expect(MessageTable.MsgCreateSchemes);
        w_->open();
        ZELT_VERIFY_MESSAGES(*w_->messages);
        QVERIFY(!std::filesystem::exists(w_->membersFile()));
        QCOMPARE(fileBytes(w_->file("data/apsettings.kvr")), QByteArray());
        for (const char* name :
             {"cmdCreate", "cmdEdit", "cmdSave", "cmdFirst", "cmdPrevious", "cmdNext", "cmdLast",
              "cmdGoTo", "txtCurrent_Record", "cmdSaveThisRecord", "cmdSaveAllRecords", "txtName",
              "cmbAP_ID", "txtAdditional_Info", "cmdDisplay", "txtSname", "MSFGView"})
            QVERIFY2(!w_->control(name)->isEnabled(), name);
        w_->close();
        QVERIFY(!std::filesystem::exists(w_->file("backcopies/affiliates.kvr")));

        // A members file that is there is backed up at closing all the same.
        test::writeBytes(w_->membersFile(), std::string(211, 'x'));
        w_->messages->expect(MessageTable.MsgCreateSchemes);
        w_->open();
        w_->close();
        QCOMPARE(fileBytes(w_->file("backcopies/affiliates.kvr")), QByteArray(211, 'x'));
    }

    void loadOffersTheSchemes() {
        w_->writeSchemes(3);
        w_->open();
        QCOMPARE(w_->editor->objectName(), QStringLiteral("frmAffiliates"));
        QCOMPARE(w_->editor->windowTitle(), QStringLiteral("Members "));
        QCOMPARE(w_->schemes()->count(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(w_->schemes()->itemText(i), QString::number(i + 1));
        QCOMPARE(w_->schemes()->currentText(), QString());
        QCOMPARE(fileBytes(w_->membersFile()), QByteArray());
        QCOMPARE(w_->editor->editMode(), RecordEditor::Mode::NoRecord);
        const std::pair<const char*, const char*> labels[] = {{"lblLabel1", "txtName"},
                                                              {"lblLabel5", "txtPost_Cod"},
                                                              {"lblLabel10", "txtAffiliateID"},
                                                              {"lblLabel11", "txtRef_ID"},
                                                              {"lblLabel12", "txtAdditional_Info"},
                                                              {"lblLabel14", "txtLevel"},
                                                              {"Label1", "txtEgold_ID"},
                                                              {"Label3", "cmbAP_ID"},
                                                              {"lblLabel18", "txtSreferenceid"},
                                                              {"Label2", "txtSEgold_ID"}};
        for (const auto& [label, field] : labels)
            QCOMPARE(w_->control<QLabel>(label)->buddy(), w_->control(field));
        QCOMPARE(w_->control<QLabel>("lblLabel5")->text(), QStringLiteral("Post Cod"));
        QCOMPARE(w_->control<QLabel>("lblLabel10")->text(), QStringLiteral("Member's ID"));
        QCOMPARE(w_->control<QLabel>("Label3")->text(), QStringLiteral("Payment Scheme"));
        QCOMPARE(w_->control<QPushButton>("cmdGoTo")->text(), QStringLiteral("Go To the record N"));
        QCOMPARE(w_->control<QGroupBox>("frameView")->title(), QStringLiteral("Search"));
    }

    void firstMember_data() {
        QTest::addColumn<QString>("referrer");
        QTest::addColumn<bool>("stored");
        QTest::newRow("no referrer") << "0" << true;
        QTest::newRow("itself") << "1" << false;
        QTest::newRow("nobody yet") << "2" << false;
    }
    void firstMember() {
        QFETCH(QString, referrer);
        QFETCH(bool, stored);
        w_->writeSchemes(1);
        w_->open();
        w_->click("cmdCreate");
        QCOMPARE(w_->text("txtAffiliateID"), QStringLiteral("1"));
        QCOMPARE(w_->text("txtCurrent_Record"), QStringLiteral("1"));
        QCOMPARE(w_->text("txtDate"), QString::fromStdString(formatDate(today(), currentRules())));
        QVERIFY(!w_->control("txtAffiliateID")->isEnabled());
        QVERIFY(!w_->control("txtLevel")->isEnabled());
        if (!stored)
            w_->messages->expect(MessageTable.MsgIncorrectValue);
        w_->create(QStringLiteral("Ann"), referrer);
        ZELT_VERIFY_MESSAGES(*w_->messages);
        if (!stored) {
            QCOMPARE(w_->focus(), w_->control("txtRef_ID"));
            QCOMPARE(fileBytes(w_->membersFile()), QByteArray());
            QVERIFY(!std::filesystem::exists(w_->file("addinfo/1.txt")));
            return;
        }
        const MemberRecord saved = w_->storedMember(1);
        QCOMPARE(saved.AffiliateID, 1);
        QCOMPARE(saved.Ref_ID, 0);
        QCOMPARE(saved.Level, 1);
        QCOMPARE(saved.Name, std::string("Ann") + std::string(17, ' '));
        QCOMPARE(w_->editor->editMode(), RecordEditor::Mode::Browsing);
        QCOMPARE(w_->text("txtLevel"), QString()); // not shown again until moved to
        w_->click("cmdFirst");
        QCOMPARE(w_->text("txtLevel"), QStringLiteral("1"));
    }

    void newMemberReferredBy_data() {
        QTest::addColumn<QString>("referrer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("level");
        QTest::newRow("member 2") << "2" << QString() << 3;
        QTest::newRow("member 1 with blanks") << " 1 " << QString() << 2;
        QTest::newRow("member 7") << "7" << message(MessageTable.MsgNoRecord) << 0;
        QTest::newRow("itself") << "3" << message(MessageTable.MsgIncorrectValue) << 0;
        QTest::newRow("negative") << "-1" << message(MessageTable.MsgIncorrectValue) << 0;
        QTest::newRow("letters") << "2x" << message(MessageTable.MsgIncorrectValue) << 0;
    }
    void newMemberReferredBy() {
        QFETCH(QString, referrer);
        QFETCH(QString, message);
        QFETCH(int, level);
        twoMembers();
        const QByteArray before = fileBytes(w_->membersFile());
        w_->open();
        w_->click("cmdCreate");
        w_->type("txtDate", QStringLiteral("16.11.2001"));
        if (!message.isEmpty())
            w_->messages->expect(message);
        w_->create(QStringLiteral("Cy"), referrer);
        ZELT_VERIFY_MESSAGES(*w_->messages);
        if (!message.isEmpty()) {
            QCOMPARE(w_->focus(), w_->control("txtRef_ID"));
            QCOMPARE(fileBytes(w_->membersFile()), before);
            QVERIFY(!std::filesystem::exists(w_->file("addinfo/3.txt")));
            QVERIFY(w_->control("cmdSave")->isEnabled()); // still creating
            return;
        }
        const QByteArray bytes = fileBytes(w_->membersFile());
        QCOMPARE(bytes.size(), 633);
        QCOMPARE(bytes.left(422), before);
        const MemberRecord saved = w_->storedMember(3);
        QCOMPARE(saved.AffiliateID, 3);
        QCOMPARE(saved.Ref_ID, referrer.trimmed().toInt());
        QCOMPARE(saved.Level, level);
    }

    void numericTailOfAStoredMember() {
        twoMembers();
        w_->open();
        w_->click("cmdCreate");
        w_->type("txtDate", QStringLiteral("16.11.2001"));
        w_->create(QStringLiteral("Cy"), QStringLiteral("1"));
        // AffiliateID 3, Ref_ID 1, Egold 0, scheme 1, level 2, 16.11.2001.
        QCOMPARE(fileBytes(w_->membersFile()).mid(422 + 185).toHex(' '),
                 QByteArray("03 00 00 00 01 00 00 00 00 00 00 00 01 00 02 00 00 00 "
                            "00 00 00 00 60 2b e2 40"));
    }

    void referrerLevelThatWouldOverflow() {
        twoMembers(std::numeric_limits<std::int32_t>::max());
        const QByteArray before = fileBytes(w_->membersFile());
        w_->open();
        w_->messages->expect(MessageTable.MsgIncorrectValue);
        w_->create(QStringLiteral("Cy"), QStringLiteral("2"));
        ZELT_VERIFY_MESSAGES(*w_->messages);
        QCOMPARE(w_->focus(), w_->control("txtRef_ID"));
        QCOMPARE(fileBytes(w_->membersFile()), before);
    }

    void chainOfTenLevels() {
        w_->writeSchemes(1);
        w_->open();
        for (int n = 1; n <= 10; ++n)
            w_->create(QStringLiteral("M%1").arg(n), QString::number(n - 1));
        QCOMPARE(fileBytes(w_->membersFile()).size(), 10 * 211);
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(w_->storedMember(n).Level, n);
    }

    void referralCycleIsAccepted() {
        twoMembers();
        w_->open();
        w_->type("txtCurrent_Record", QStringLiteral("1"));
        w_->click("cmdGoTo");
        w_->click("cmdEdit");
        w_->type("txtRef_ID", QStringLiteral("2"));
        w_->click("cmdSave");
        QCOMPARE(w_->storedMember(1).Ref_ID, 2);
        QCOMPARE(w_->storedMember(1).Level, 3);
        QCOMPARE(w_->storedMember(2).Level, 2);
    }

    void refusedSaves_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("referrer");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("egold");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString enter = message(MessageTable.MsgEnterData);
        const QString incorrect = message(MessageTable.MsgIncorrectValue);
        QTest::newRow("name empty") << ""
                                    << "0"
                                    << "1.1.2001"
                                    << ""
                                    << "1" << enter << "txtName";
        QTest::newRow("referrer empty") << "A"
                                        << ""
                                        << ""
                                        << ""
                                        << "" << enter << "txtRef_ID";
        QTest::newRow("date empty") << "A"
                                    << "0"
                                    << ""
                                    << ""
                                    << "" << enter << "txtDate";
        QTest::newRow("scheme empty") << "A"
                                      << "0"
                                      << "1.1.2001"
                                      << ""
                                      << "" << message(MessageTable.MsgSelectValue) << "cmbAP_ID";
        QTest::newRow("referrer letters") << "A"
                                          << "x"
                                          << "x"
                                          << "x"
                                          << "x" << incorrect << "txtRef_ID";
        QTest::newRow("date wrong") << "A"
                                    << "0"
                                    << "32.1.2001"
                                    << "x"
                                    << "x" << incorrect << "txtDate";
        QTest::newRow("egold letters") << "A"
                                       << "0"
                                       << "1.1.2001"
                                       << "12x"
                                       << "1" << incorrect << "txtEgold_ID";
        QTest::newRow("egold blanks") << "A"
                                      << "0"
                                      << "1.1.2001"
                                      << "  "
                                      << "1" << incorrect << "txtEgold_ID";
        QTest::newRow("scheme letters, egold empty") << "A"
                                                     << "0"
                                                     << "1.1.2001"
                                                     << ""
                                                     << "one" << incorrect << "cmbAP_ID";
        QTest::newRow("scheme beyond 16 bits") << "A"
                                               << "0"
                                               << "1.1.2001"
                                               << "5"
                                               << "40000" << incorrect << "cmbAP_ID";
    }
    void refusedSaves() {
        QFETCH(QString, message);
        QFETCH(QString, focus);
        twoMembers();
        const QByteArray before = fileBytes(w_->membersFile());
        w_->open();
        w_->click("cmdCreate");
        QFETCH(QString, name);
        w_->type("txtName", name);
        QFETCH(QString, referrer);
        w_->type("txtRef_ID", referrer);
        QFETCH(QString, date);
        w_->type("txtDate", date);
        QFETCH(QString, egold);
        w_->type("txtEgold_ID", egold);
        QFETCH(QString, scheme);
        w_->typeScheme(scheme);
        w_->messages->expect(message);
        w_->click("cmdSave");
        ZELT_VERIFY_MESSAGES(*w_->messages);
        QCOMPARE(w_->focus(), w_->control(focus.toLatin1().constData()));
        QCOMPARE(fileBytes(w_->membersFile()), before);
        QVERIFY(!std::filesystem::exists(w_->file("addinfo/3.txt")));
    }

    void emptyEgoldIsStoredAsZero() {
        twoMembers();
        w_->open();
        w_->create(QStringLiteral("Cy"), QStringLiteral("0"));
        QCOMPARE(w_->text("txtEgold_ID"), QStringLiteral("0"));
        QCOMPARE(w_->storedMember(3).Egold_ID, 0);
    }

    void schemeOutsideTheListIsStored() {
        twoMembers();
        w_->open();
        w_->click("cmdCreate");
        w_->type("txtName", QStringLiteral("Cy"));
        w_->type("txtRef_ID", QStringLiteral("0"));
        w_->typeScheme(QStringLiteral("9"));
        w_->click("cmdSave");
        QCOMPARE(w_->storedMember(3).AP_ID, std::int16_t(9));
    }

    void textsTrimmedAndCut() {
        twoMembers();
        w_->open();
        w_->click("cmdCreate");
        w_->type("txtSurname", QStringLiteral("  Lee  "));
        w_->type("txtPost_Cod", QStringLiteral("12345678901"));
        w_->messages->expect(kMsgTruncated);
        w_->create(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"), QStringLiteral("0"));
        ZELT_VERIFY_MESSAGES(*w_->messages);
        QCOMPARE(w_->text("txtName"), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        QCOMPARE(w_->text("txtSurname"), QStringLiteral("Lee"));
        QCOMPARE(w_->text("txtPost_Cod"), QStringLiteral("1234567890"));
        const MemberRecord saved = w_->storedMember(3);
        QCOMPARE(saved.Name, std::string("ABCDEFGHIJKLMNOPQRST"));
        QCOMPARE(saved.Surname, std::string("Lee") + std::string(17, ' '));
        QCOMPARE(saved.Post_Cod, std::string("1234567890"));
    }

    void blankNameIsStoredAsBlanks() {
        twoMembers();
        w_->open();
        w_->create(QStringLiteral("   "), QStringLiteral("0"));
        QCOMPARE(w_->storedMember(3).Name, std::string(20, ' '));
    }

    void replacedCharactersWarnedAfterTheCut() {
        twoMembers();
        w_->open();
        w_->messages->expect(kMsgTruncated);
        w_->messages->expect(kMsgReplacedCharacters);
        w_->click("cmdCreate");
        w_->control<QLineEdit>("txtName")->setText(QStringLiteral("Łukasz Łukasz Łukasz Ł"));
        w_->type("txtRef_ID", QStringLiteral("0"));
        w_->typeScheme(QStringLiteral("1"));
        w_->click("cmdSave");
        ZELT_VERIFY_MESSAGES(*w_->messages);
        QCOMPARE(w_->storedMember(3).Name, std::string("?ukasz ?ukasz ?ukasz"));
        QCOMPARE(w_->text("txtName"), QStringLiteral("?ukasz ?ukasz ?ukasz"));
    }

    void additionalInfoFile_data() {
        QTest::addColumn<QString>("info");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << "" << QByteArray("\r\n");
        QTest::newRow("one line") << "VIP" << QByteArray("VIP\r\n");
    }
    void additionalInfoFile() {
        QFETCH(QString, info);
        twoMembers();
        test::writeBytes(w_->file("addinfo/2.txt"), "old\r\n");
        w_->open();
        QCOMPARE(w_->info(), QStringLiteral("old"));
        w_->click("cmdEdit");
        w_->typeInfo(info);
        w_->click("cmdSave");
        QTEST(fileBytes(w_->file("addinfo/2.txt")), "bytes");
        w_->click("cmdFirst");
        QCOMPARE(w_->info(), QString()); // member 1 has no file
        w_->click("cmdNext");
        QCOMPARE(w_->info(), info);
    }

    void fileSystemFailures_data() {
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("file");
        QTest::newRow("record not written") << int(fs::Op::Write) << "data/affiliates.kvr";
        QTest::newRow("additional info unreadable") << int(fs::Op::Read) << "addinfo/2.txt";
    }
    void fileSystemFailures() {
        QFETCH(int, op);
        QFETCH(QString, file);
        twoMembers();
        test::writeBytes(w_->file("addinfo/2.txt"), "old\r\n");
        const QByteArray before = fileBytes(w_->membersFile());
        w_->open();
        w_->click("cmdEdit");
        w_->type("txtName", QStringLiteral("Zed"));
        w_->typeInfo(QStringLiteral("new"));
        const test::ScopedFaultHook fault(
            test::failOn(static_cast<fs::Op>(op), w_->file(file.toStdString()), EIO));
        w_->messages->expectContaining(file.section(QLatin1Char('/'), 1));
        w_->click("cmdSave");
        ZELT_VERIFY_MESSAGES(*w_->messages);
        QCOMPARE(fileBytes(w_->membersFile()), before);
        QCOMPARE(fileBytes(w_->file("addinfo/2.txt")), QByteArray("old\r\n"));
        QVERIFY(w_->control("cmdSave")->isEnabled()); // the save can be repeated
    }

    void shownMemberIsTheRecordRead() {
        w_->writeSchemes(1);
        // Member 2's stored identifier is damaged: the editor still treats it as member 2.
        w_->writeMembers({member(1, "Ann", 0, 1), member(5, "Bob", 1, 2)});
        w_->open();
        QCOMPARE(w_->text("txtAffiliateID"), QStringLiteral("2"));
        QCOMPARE(w_->editor->currentRecord(), 2);
        w_->click("cmdEdit");
        w_->click("cmdSave");
        QCOMPARE(w_->storedMember(2).AffiliateID, 2);
        QCOMPARE(fileBytes(w_->membersFile()).size(), 422);
    }
};

ZELT_TEST(TestMemberEditor)
#include "test_member_editor.moc"
