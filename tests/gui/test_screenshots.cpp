// Renders every window of the program in its typical states to PNG files, on data this test
// writes itself, and checks on each picture that the layout shows every control whole and apart
// from the others. The pictures land in <build>/tests/screenshots (or $ZELT_SCREENSHOT_DIR);
// scripts/screenshots.sh copies a few of them into docs/screenshots for the README.
#include "editors/editor_factory.h"
#include "editors/record_editor.h"
#include "shell/frm_start.h"
#include "shell/message_table.h"
#include "shell/zelt_module.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/locale_rules.h"
#include "storage/member_record.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"
#include "support/window_layout.h"
#include "ui/grid_view.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTreeView>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

using namespace zelt;

namespace {

void writeFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

template <class Record> std::string encoded(const std::vector<Record>& records) {
    std::string bytes;
    for (const Record& record : records) {
        const RecordBytes one = record.encode();
        bytes.append(one.begin(), one.end());
    }
    return bytes;
}

SchemeRecord scheme(std::int16_t number, const char* type, std::array<float, 8> levels) {
    SchemeRecord s;
    s.Type_of_payment = type;
    s.MinPayment = 10;
    s.Periodicity = 30;
    s.Unit = "$";
    s.Scheme = number;
    s.Level = levels;
    return s;
}

void writeSchemes(const test::TempAppDir& dir) {
    writeFile(dir.file("data/apsettings.kvr"),
              encoded(std::vector<SchemeRecord>{
                  scheme(1, "Percents", {10, 5, 3, 2, 1, 1, 0.5f, 0.5f}),
                  scheme(2, "Fixed", {25, 10, 5, 0, 0, 0, 0, 0}),
              }));
}

void writeMembers(const test::TempAppDir& dir) {
    struct Row {
        const char *name, *surname, *city, *country, *mail;
        std::int32_t referrer, level;
    };
    const Row rows[] = {
        {"Anna", "Berger", "Vienna", "Austria", "anna@berger.example", 0, 1},
        {"Tomas", "Novak", "Brno", "Czechia", "tomas.novak@mail.example", 1, 2},
        {"Maria", "Lopez", "Sevilla", "Spain", "maria@lopez.example", 1, 2},
        {"John", "Miller", "Leeds", "United Kingdom", "jmiller@post.example", 2, 3},
        {"Eva", "Lind", "Uppsala", "Sweden", "eva.lind@mail.example", 2, 3},
        {"Pierre", "Martin", "Lyon", "France", "p.martin@web.example", 4, 4},
    };
    std::vector<MemberRecord> members;
    std::int32_t n = 0;
    for (const Row& row : rows) {
        MemberRecord m;
        m.Name = row.name;
        m.Surname = row.surname;
        m.Street = "Main Street " + std::to_string(10 + n);
        m.City = row.city;
        m.Post_Cod = std::to_string(1010 + 7 * n);
        m.Country = row.country;
        m.Phone = "+43 1 555 01" + std::to_string(10 + n);
        m.E_mail = row.mail;
        m.URL = "www.example.org";
        m.AffiliateID = ++n;
        m.Ref_ID = row.referrer;
        m.Egold_ID = 100200 + n;
        m.AP_ID = static_cast<std::int16_t>(n % 2 + 1);
        m.Level = row.level;
        m.Date = serialFromDate(2001, 11, 10 + n);
        members.push_back(m);
    }
    writeFile(dir.file("data/affiliates.kvr"), encoded(members));
    writeFile(dir.file("addinfo/6.txt"), "Prefers to be paid at the end of the month.\r\n");
}

void writeSales(const test::TempAppDir& dir, const char* file, char sidePrefix) {
    const struct {
        std::int32_t member;
        float sum;
        int day;
    } rows[] = {{1, 120.5f, 3}, {2, 48.0f, 5}, {2, 15.75f, 9}, {4, 310.0f, 12}, {2, 99.9f, 20}};
    std::vector<SaleRecord> records;
    for (const auto& row : rows) {
        SaleRecord r;
        r.MemberID = row.member;
        r.Sum = row.sum;
        r.Date = serialFromDate(2002, 3, row.day);
        records.push_back(r);
    }
    writeFile(dir.file(std::string("data/") + file), encoded(records));
    writeFile(dir.file(std::string("addinfo/") + sidePrefix + "5.txt"),
              "Paid by bank transfer.\r\nReference 2002-03-20/17.\r\n");
}

void writeCommunications(const test::TempAppDir& dir) {
    const struct {
        std::int32_t member;
        const char* subject;
        int day;
    } rows[] = {{2, "Payment question", 4},
                {4, "Change of address", 6},
                {2, "Missing commission", 11},
                {5, "Welcome pack", 15}};
    std::vector<CommunicationRecord> records;
    for (const auto& row : rows) {
        CommunicationRecord r;
        r.MemberID = row.member;
        r.Subject = row.subject;
        r.Date = serialFromDate(2002, 4, row.day);
        r.Date_R = serialFromDate(2002, 4, row.day + 2);
        records.push_back(r);
    }
    writeFile(dir.file("data/communications.kvr"), encoded(records));
    writeFile(dir.file("comm/4.txt"), "Dear team,\r\nI have not received my welcome pack yet.\r\n"
                                      "Could you check the address?\r\nEva\r\n");
    writeFile(dir.file("comm/r4.txt"), "Dear Eva,\r\nthe pack went out on 16 April by post.\r\n"
                                       "It should reach you within the week.\r\n");
    writeFile(dir.file("comm/c4.txt"), "Address checked against the member record.\r\n");
}

// How one editor is pictured: its data, and the search that fills its grid.
struct Scenario {
    EditorKind kind;
    std::function<void(const test::TempAppDir&)> writeData;
    std::vector<std::pair<const char*, QString>> search; // field, text
};

Scenario scenario(const QString& name) {
    if (name == QLatin1String("members"))
        return {EditorKind::Members, writeMembers, {{"txtSreferenceid", QStringLiteral("1")}}};
    if (name == QLatin1String("sales"))
        return {EditorKind::Sales,
                [](const auto& d) { writeSales(d, "sales.kvr", 's'); },
                {{"txtSAffID", QStringLiteral("2")}}};
    if (name == QLatin1String("payments"))
        return {EditorKind::Payments,
                [](const auto& d) { writeSales(d, "payments.kvr", 'p'); },
                {{"txtSAffID", QStringLiteral("2")}}};
    if (name == QLatin1String("communications"))
        return {EditorKind::Communications, writeCommunications, {{"txtSID", QStringLiteral("2")}}};
    return {EditorKind::Schemes, [](const auto&) {}, {}};
}

} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT

    QDir out_;
    std::unique_ptr<test::TempAppDir> dir_;
    std::unique_ptr<test::MessageCapture> messages_;
    QPointer<QWidget> editor_;

    void save(QWidget* window, const QString& name) {
        QCoreApplication::processEvents();
        const QPixmap picture = window->grab();
        QVERIFY(!picture.isNull());
        const QString path = out_.filePath(name + QStringLiteral(".png"));
        QVERIFY2(picture.save(path), qPrintable(path));
    }

    void checkLayout(QWidget* window) {
        const QString faults = test::layoutFaults(window);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
    }

    QWidget* openEditor(EditorKind kind) {
        editor_ = createEditor(kind, AppContext{AppDir, currentRules()});
        editor_->show();
        if (!QTest::qWaitForWindowExposed(editor_))
            qWarning("the editor window was not exposed");
        return editor_;
    }

    template <class T = QWidget> T* control(const char* name) {
        T* found = editor_->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

private slots:
    void initTestCase() {
        fill_message_table();
        const QByteArray chosen = qgetenv("ZELT_SCREENSHOT_DIR");
        out_ = QDir(chosen.isEmpty()
                        ? QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots")
                        : QString::fromLocal8Bit(chosen));
        QVERIFY(out_.mkpath(QStringLiteral(".")));
    }
    void init() {
        dir_ = std::make_unique<test::TempAppDir>();
        AppDir = dir_->path();
        setCurrentRules(LocaleRules::dayMonthYearComma());
        messages_ = std::make_unique<test::MessageCapture>();
        messages_->answerUnexpectedQuestionsYes(); // windows are closed with typed input
    }
    void cleanup() {
        if (editor_) {
            editor_->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        if (!QTest::currentTestFailed())
            ZELT_VERIFY_MESSAGES(*messages_);
        messages_.reset();
        dir_.reset();
    }

    void mainWindow() {
        frmStart window;
        QVERIFY(window.Form_Load(QString::fromStdString(dir_->path())));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        checkLayout(&window);
        save(&window, QStringLiteral("main_window"));
        // The icon the program puts on its windows is built in.
        QVERIFY(!QIcon(QStringLiteral(":/zelt.png")).pixmap(32, 32).isNull());
    }

    void editor_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"members", "sales", "payments", "communications", "schemes"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // Empty, then browsing the last record, then with the grid filled by a search (the
    // double-clicked row shown), then creating a record.
    void editor() {
        QFETCH(QString, name);
        const Scenario pictured = scenario(name);
        if (pictured.kind == EditorKind::Members)
            writeSchemes(*dir_);
        QWidget* window = openEditor(pictured.kind);
        checkLayout(window);
        save(window, name + QStringLiteral("_empty"));
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        if (pictured.kind == EditorKind::Schemes)
            writeSchemes(*dir_);
        pictured.writeData(*dir_);
        window = openEditor(pictured.kind);
        QVERIFY(static_cast<RecordEditor*>(window)->currentRecord() > 0);
        checkLayout(window);
        save(window, name + QStringLiteral("_browsing"));

        if (!pictured.search.empty()) {
            for (const auto& [field, text] : pictured.search)
                QTest::keyClicks(control<QLineEdit>(field), text);
            QTest::mouseClick(control<QAbstractButton>("cmdDisplay"), Qt::LeftButton);
            auto* grid = control<GridView>("MSFGView");
            QVERIFY(grid->model()->rowCount() > 1);
            grid->sortRowsBy(0);
            const QModelIndex second = grid->model()->index(1, 0);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                               grid->visualRect(second).center());
            QCOMPARE(QString::number(static_cast<RecordEditor*>(window)->currentRecord()),
                     second.data().toString());
            // The row chosen stays selected while its record is shown.
            const QModelIndexList selected = grid->selectionModel()->selectedRows();
            QCOMPARE(selected.size(), 1);
            QCOMPARE(selected.first().row(), 1);
            checkLayout(window);
            save(window, name + QStringLiteral("_grid"));
        }

        QTest::mouseClick(control<QAbstractButton>("cmdCreate"), Qt::LeftButton);
        QCOMPARE(static_cast<RecordEditor*>(window)->editMode(), RecordEditor::Mode::Creating);
        checkLayout(window);
        save(window, name + QStringLiteral("_creating"));
    }

    void memberEditorWithoutSchemes() {
        messages_->expect(MessageTable.MsgCreateSchemes);
        QWidget* window = openEditor(EditorKind::Members);
        ZELT_VERIFY_MESSAGES(*messages_);
        QVERIFY(!control("cmdCreate")->isEnabled());
        checkLayout(window);
        save(window, QStringLiteral("members_no_schemes"));
    }

    // The referral tree of the first member, two levels opened, with its level table.
    void referralTree() {
        writeSchemes(*dir_);
        writeMembers(*dir_);
        writeSales(*dir_, "sales.kvr", 's');
        writeSales(*dir_, "payments.kvr", 'p');
        openEditor(EditorKind::Members);
        control<QLineEdit>("txtCurrent_Record")->setText(QStringLiteral("2"));
        QTest::mouseClick(control<QAbstractButton>("cmdGoTo"), Qt::LeftButton);
        QTest::mouseClick(control<QAbstractButton>("cmdTree"), Qt::LeftButton);
        QPointer<QWidget> tree;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("frmTree"))
                tree = window;
        QVERIFY(tree);
        QVERIFY(QTest::qWaitForWindowExposed(tree));
        auto* downline = tree->findChild<QTreeView*>(QStringLiteral("tvDownline"));
        const QModelIndex john = downline->model()->index(0, 0, downline->model()->index(0, 0));
        downline->expand(john);
        downline->setCurrentIndex(downline->model()->index(0, 0, john));
        checkLayout(tree);
        save(tree, QStringLiteral("referral_tree"));
        tree->close();
    }
};

ZELT_TEST(ScreenshotTest)
#include "test_screenshots.moc"
