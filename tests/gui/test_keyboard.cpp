// The windows from the keyboard: Tab visits every control once, in the order the window reads
// (or the order fixed for the main window, the scheme editor and the communication editor);
// every field is named for screen readers; Enter goes to a record, runs a search; Escape
// closes a message box.
#include "editors/editor_factory.h"
#include "editors/record_editor.h"
#include "shell/frm_start.h"
#include "shell/message_table.h"
#include "shell/zelt_module.h"
#include "storage/date_text.h"
#include "storage/locale_rules.h"
#include "storage/member_record.h"
#include "storage/sale_record.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"
#include "ui/grid_view.h"
#include "ui/message_box.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace zelt;

namespace {

void writeFile(const std::string& path, std::size_t length) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << std::string(length, '\0');
}

// The name of the control that has the focus (a combo box's own line edit counts as the box).
QString focusName() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
    return {};
}

// The controls Tab visits, from the first, until it comes back to the first.
QStringList tabWalk(QWidget* first) {
    first->setFocus(Qt::TabFocusReason);
    QStringList visited{focusName()};
    for (int step = 0; step < 200; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == first ||
            QApplication::focusWidget()->focusProxy() == first ||
            first->isAncestorOf(QApplication::focusWidget()))
            return visited;
        visited << focusName();
    }
    return visited;
}

const QStringList kRecordControls = {"cmdFirst",          "cmdPrevious",      "txtCurrent_Record",
                                     "cmdNext",           "cmdLast",          "cmdGoTo",
                                     "cmdCreate",         "cmdEdit",          "cmdSave",
                                     "cmdSaveThisRecord", "cmdSaveAllRecords"};

QStringList levels() {
    QStringList names;
    for (int i = 1; i <= 8; ++i)
        names << QStringLiteral("txtLevel(%1)").arg(i);
    return names;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempAppDir> dir_;
    std::unique_ptr<test::MessageCapture> messages_;
    QPointer<QWidget> window_;

    // An editor on a folder with two schemes, three members and three sales.
    RecordEditor* openEditor(EditorKind kind) {
        window_ = createEditor(kind, AppContext{AppDir, currentRules()});
        window_->show();
        window_->activateWindow();
        if (!QTest::qWaitForWindowActive(window_))
            qWarning("the window did not become active");
        return static_cast<RecordEditor*>(window_.data());
    }

    template <class T = QWidget> T* control(const char* name) const {
        T* found = window_->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

private slots:
    void initTestCase() { fill_message_table(); }
    void init() {
        dir_ = std::make_unique<test::TempAppDir>();
        AppDir = dir_->path();
        setCurrentRules(LocaleRules::dayMonthYearComma());
        messages_ = std::make_unique<test::MessageCapture>();
        messages_->answerUnexpectedQuestionsYes(); // windows are closed with typed input
        writeFile(dir_->file("data/apsettings.kvr"), 2 * 60);
        std::string members;
        for (std::int32_t id : {1, 2, 3}) {
            MemberRecord member;
            member.Name = "Member";
            member.AffiliateID = id;
            member.Level = 1;
            member.AP_ID = 1;
            member.Date = serialFromDate(2001, 11, 16);
            const RecordBytes bytes = member.encode();
            members.append(bytes.begin(), bytes.end());
        }
        std::ofstream(dir_->file("data/affiliates.kvr"), std::ios::binary) << members;
        std::string sales;
        for (std::int32_t member : {3, 1, 2}) {
            SaleRecord sale;
            sale.MemberID = member;
            sale.Sum = 10.5f;
            sale.Date = serialFromDate(2002, 3, 4);
            const RecordBytes bytes = sale.encode();
            sales.append(bytes.begin(), bytes.end());
        }
        std::ofstream(dir_->file("data/sales.kvr"), std::ios::binary) << sales;
    }
    void cleanup() {
        if (window_) {
            window_->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        if (!QTest::currentTestFailed())
            ZELT_VERIFY_MESSAGES(*messages_);
        messages_.reset();
        dir_.reset();
    }

    void mainWindowTabOrder() {
        frmStart window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(tabWalk(window.findChild<QWidget*>(QStringLiteral("cmdAffiliates"))),
                 (QStringList{"cmdAffiliates", "cmdSales", "cmdPayments", "cmdAPSettings",
                              "cmdCommunications", "cmdCreateFiles"}));
    }

    // While a record is being created every control of an editor is usable, so Tab visits
    // them all: the fields, the search, the grid, then the record and export buttons.
    void editorTabOrder_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("order");
        const QStringList saleSearch = {"txtSdate", "txtSAffID", "cmdDisplay", "MSFGView"};
        QTest::newRow("members")
            << int(EditorKind::Members)
            << QStringList{"txtName",     "txtSurname",         "txtStreet",    "txtCity",
                           "txtPost_Cod", "txtCountry",         "txtPhone",     "txtE_mail",
                           "txtURL",      "txtRef_ID",          "txtDate",      "txtEgold_ID",
                           "cmbAP_ID",    "txtAdditional_Info", "txtSname",     "txtSsurname",
                           "txtSemail",   "txtSreferenceid",    "txtSEgold_ID", "cmdDisplay",
                           "MSFGView"} +
                   kRecordControls + QStringList{"cmdTree"};
        QTest::newRow("sales") << int(EditorKind::Sales)
                               << QStringList{"txtAffiliateID", "txtSum", "txtDate", "txtDetails"} +
                                      saleSearch + kRecordControls;
        QTest::newRow("payments") << int(EditorKind::Payments)
                                  << QStringList{"txtAffiliateID", "txtSum", "txtDate",
                                                 "txtDetails"} +
                                         saleSearch + kRecordControls;
        QTest::newRow("communications")
            << int(EditorKind::Communications)
            << QStringList{"txtID",       "txtSubject", "txtMessage", "txtDate",     "txtResponce",
                           "txtComments", "txtDate_R",  "txtSID",     "txtSsubject", "txtSdate",
                           "txtSdate_r",  "cmdDisplay", "MSFGView"} +
                   kRecordControls;
        QTest::newRow("schemes") << int(EditorKind::Schemes)
                                 << levels() +
                                        QStringList{"cmbType", "txtMinPayment", "txtPeriodicity",
                                                    "txtUnit"} +
                                        kRecordControls;
    }
    void editorTabOrder() {
        QFETCH(int, kind);
        QFETCH(QStringList, order);
        RecordEditor* editor = openEditor(EditorKind(kind));
        QTest::mouseClick(control<QAbstractButton>("cmdCreate"), Qt::LeftButton);
        QCOMPARE(editor->editMode(), RecordEditor::Mode::Creating);
        // Creating disables the navigation group and create; edit and the member's tree are off
        // too.
        QStringList usable = order;
        for (const char* off : {"cmdFirst", "cmdPrevious", "txtCurrent_Record", "cmdNext",
                                "cmdLast", "cmdGoTo", "cmdCreate", "cmdEdit", "cmdTree"})
            usable.removeAll(QString::fromLatin1(off));
        QCOMPARE(tabWalk(control(usable.first().toLatin1().constData())), usable);

        // Browsing a stored record: the navigation group joins in, in its place.
        window_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        editor = openEditor(EditorKind(kind));
        if (editor->editMode() != RecordEditor::Mode::Browsing ||
            EditorKind(kind) == EditorKind::Schemes)
            return;
        usable = order;
        usable.removeAll(QStringLiteral("cmdSave"));
        QCOMPARE(tabWalk(control(usable.first().toLatin1().constData())), usable);
    }

    // Each field a screen reader can land on has a name: its label (as buddy) or its own.
    void fieldsAreNamed_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("members") << int(EditorKind::Members);
        QTest::newRow("sales") << int(EditorKind::Sales);
        QTest::newRow("payments") << int(EditorKind::Payments);
        QTest::newRow("communications") << int(EditorKind::Communications);
        QTest::newRow("schemes") << int(EditorKind::Schemes);
    }
    void fieldsAreNamed() {
        QFETCH(int, kind);
        openEditor(EditorKind(kind));
        QHash<QWidget*, QString> labelled;
        for (QLabel* label : window_->findChildren<QLabel*>())
            if (label->buddy())
                labelled.insert(label->buddy(), label->text().trimmed());
        int fields = 0;
        for (QWidget* w : window_->findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QPlainTextEdit*>(w) &&
                !qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractItemView*>(w))
                continue;
            ++fields;
            QVERIFY2(!labelled.value(w).isEmpty() || !w->accessibleName().isEmpty(),
                     qPrintable(w->objectName()));
        }
        QVERIFY(fields >= 6);
        for (QAbstractButton* button : window_->findChildren<QAbstractButton*>())
            if (!button->objectName().isEmpty() &&
                !button->objectName().startsWith(QLatin1String("qt_")))
                QVERIFY2(!button->text().isEmpty(), qPrintable(button->objectName()));
    }

    void enterInRecordNumberGoesToTheRecord() {
        RecordEditor* editor = openEditor(EditorKind::Sales);
        QCOMPARE(editor->currentRecord(), 3);
        auto* number = control<QLineEdit>("txtCurrent_Record");
        number->clear();
        QTest::keyClicks(number, QStringLiteral("2"));
        QTest::keyClick(number, Qt::Key_Return);
        QCOMPARE(editor->currentRecord(), 2);
        QCOMPARE(control<QLineEdit>("txtAffiliateID")->text(), QStringLiteral("1"));
        // The keypad's Enter does the same.
        number->clear();
        QTest::keyClicks(number, QStringLiteral("1"));
        QTest::keyClick(number, Qt::Key_Enter);
        QCOMPARE(editor->currentRecord(), 1);
        QCOMPARE(editor->editMode(), RecordEditor::Mode::Browsing);
    }

    void enterInSearchFieldFinds_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::newRow("sales, member") << int(EditorKind::Sales) << "txtSAffID"
                                       << "2" << 1;
        QTest::newRow("sales, date") << int(EditorKind::Sales) << "txtSdate"
                                     << "04.03.2002" << 3;
        QTest::newRow("members, name") << int(EditorKind::Members) << "txtSname"
                                       << " " << -1;
        QTest::newRow("members, reference") << int(EditorKind::Members) << "txtSreferenceid"
                                            << "0" << 3;
        QTest::newRow("communications, id") << int(EditorKind::Communications) << "txtSID"
                                            << "7" << 0;
    }
    void enterInSearchFieldFinds() {
        QFETCH(int, kind);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, rows);
        openEditor(EditorKind(kind));
        auto* grid = control<GridView>("MSFGView");
        auto* filter = control<QLineEdit>(field.toLatin1().constData());
        QTest::keyClicks(filter, text);
        QTest::keyClick(filter, Qt::Key_Return);
        if (rows < 0) { // every filter empty: Find leaves the grid as it was
            QCOMPARE(grid->model()->columnCount(), 0);
            return;
        }
        QVERIFY(grid->model()->columnCount() > 0);
        QCOMPARE(grid->model()->rowCount(), rows);
        QVERIFY(control("cmdDisplay")->isEnabled());
    }

    void escapeClosesTheMessageBox_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }
    void escapeClosesTheMessageBox() {
        QFETCH(int, key);
        messages_.reset(); // the real box, not the queue
        QString seen;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = box->text() + QLatin1Char('|') + box->windowTitle();
            QTest::keyClick(box, Qt::Key(key));
        });
        // Should the key not close it, the box is closed after a while and the test fails.
        bool forced = false;
        QTimer::singleShot(5000, this, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                forced = true;
                box->close();
            }
        });
        showMessage(MessageTable.MsgNoRecord, nullptr);
        QVERIFY(!forced);
        QCOMPARE(seen, QString::fromStdString(MessageTable.MsgNoRecord) +
                           QStringLiteral("|Zelt Management System"));
        messages_ = std::make_unique<test::MessageCapture>();
        messages_->answerUnexpectedQuestionsYes(); // windows are closed with typed input
    }
};

ZELT_TEST(KeyboardTest)
#include "test_keyboard.moc"
