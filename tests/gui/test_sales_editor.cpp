// The sale and payment editors: captions, the checks of a save, the details side files, the
// search grid and the text exports, through the real windows.
#include "editors/editor_factory.h"
#include "editors/record_editor.h"
#include "shell/message_table.h"
#include "shell/zelt_module.h"
#include "storage/date_text.h"
#include "storage/file_system.h"
#include "storage/locale_rules.h"
#include "storage/sale_record.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "ui/grid_view.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

using namespace zelt;
using zelt::test::MessageCapture;
using zelt::test::TempAppDir;

namespace {

QByteArray fileBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

QString message(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

class TestSalesEditor : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempAppDir> dir_;
    std::unique_ptr<MessageCapture> messages_;
    QPointer<RecordEditor> editor_;

    void writeRecords(const char* file, const std::vector<SaleRecord>& records) {
        std::string bytes;
        for (const SaleRecord& record : records) {
            const RecordBytes encoded = record.encode();
            bytes.append(encoded.begin(), encoded.end());
        }
        writeBytes(dir_->file(std::string("data/") + file), bytes);
    }
    void writeMembers(int count) {
        writeBytes(dir_->file("data/affiliates.kvr"), std::string(count * 211, '\0'));
    }

    RecordEditor* openEditor(EditorKind kind = EditorKind::Sales) {
        editor_ = qobject_cast<RecordEditor*>(createEditor(kind));
        editor_->show();
        editor_->activateWindow();
        if (!QTest::qWaitForWindowActive(editor_))
            qWarning("the editor window did not become active");
        return editor_;
    }
    void closeEditor() {
        editor_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <class T = QWidget> T* control(const char* name, QWidget* window = nullptr) const {
        T* found = (window ? window : editor_.data())->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString text(const char* name) const { return control<QLineEdit>(name)->text(); }
    QString details() const { return control<QPlainTextEdit>("txtDetails")->toPlainText(); }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    void type(const char* name, const QString& value) {
        QLineEdit* field = control<QLineEdit>(name);
        field->clear();
        QTest::keyClicks(field, value);
    }
    void fill(const QString& member, const QString& sum, const QString& date) {
        type("txtAffiliateID", member);
        type("txtSum", sum);
        type("txtDate", date);
    }
    GridView* grid() const { return control<GridView>("MSFGView"); }
    QStringList gridColumn(int column) const {
        QStringList cells;
        for (int row = 0; row < grid()->model()->rowCount(); ++row)
            cells << grid()->model()->index(row, column).data().toString();
        return cells;
    }
    std::string addinfo(const char* name) const {
        return dir_->file(std::string("addinfo/") + name);
    }

private slots:
    void initTestCase() { fill_message_table(); }

    void init() {
        dir_ = std::make_unique<TempAppDir>();
        AppDir = dir_->path();
        setCurrentRules(LocaleRules::dayMonthYearComma());
        messages_ = std::make_unique<MessageCapture>();
    }

    void cleanup() {
        if (editor_)
            closeEditor();
        fs::setFaultHook({});
        if (!QTest::currentTestFailed())
            ZELT_VERIFY_MESSAGES(*messages_);
        messages_.reset();
        dir_.reset();
    }

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
        const QByteArray before = fileBytes(dir_->file("data/sales.kvr"));
        messages_->expect(message);
        click("cmdSave");
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(QApplication::focusWidget(), control(focus.toLatin1().constData()));
        QCOMPARE(fileBytes(dir_->file("data/sales.kvr")), before);
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
        QCOMPARE(std::filesystem::file_size(dir_->file("data/sales.kvr")), 0u);
        QVERIFY(!std::filesystem::exists(dir_->file("data/affiliates.kvr")));
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
        QCOMPARE(fileBytes(dir_->file("data/sales.kvr")),
                 QByteArray::fromHex("030000000000284100000000602BE240"));
        QCOMPARE(editor_->editMode(), RecordEditor::Browsing);
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
        QCOMPARE(fileBytes(dir_->file("data/payments.kvr")),
                 QByteArray::fromHex("04000000"
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
        QCOMPARE(editor_->editMode(), RecordEditor::Editing);
        type("txtSum", QStringLiteral("7,25"));
        click("cmdSave");
        const QByteArray bytes = fileBytes(dir_->file("data/sales.kvr"));
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
        const QByteArray before = fileBytes(dir_->file("data/sales.kvr"));
        messages_->expectContaining(QStringLiteral("s1.txt"));
        click("cmdSave");
        ZELT_VERIFY_MESSAGES(*messages_);
        fs::setFaultHook({});
        QCOMPARE(fileBytes(dir_->file("data/sales.kvr")), before);
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
        QCOMPARE(QApplication::focusWidget(), control(focus.toLatin1().constData()));
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
        const QRect cell = grid()->visualRect(grid()->model()->index(2, 1));
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(editor_->currentRecord(), 3);
        QCOMPARE(text("txtCurrent_Record"), QStringLiteral("3"));
        QCOMPARE(text("txtDate"), QStringLiteral("10.01.2002"));
        QCOMPARE(details(), QStringLiteral("third"));
        QCOMPARE(editor_->editMode(), RecordEditor::Browsing);
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

private:
    void writeSearchFile() {
        writeRecords("sales.kvr", {{7, 1.5f, 37211.0},
                                   {8, 2.0f, 37211.0},
                                   {7, 3.0f, 37266.0},
                                   {7, 4.0f, 37210.0},
                                   {9, 5.0f, 37212.5}});
    }
};

QTEST_MAIN(TestSalesEditor)
#include "test_sales_editor.moc"
