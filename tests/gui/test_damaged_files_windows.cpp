// Damaged data files in the real editor windows: random bytes and lengths that are no whole
// number of records. Opening each editor, moving through every record, searching and closing
// never crash and never change a data or side file; a stored single or date that cannot be shown
// leaves its field and its grid cell empty, and control bytes in texts stay harmless.

#include "editors/editor_factory.h"
#include "editors/record_editor.h"
#include "shell/message_table.h"
#include "shell/zelt_module.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"
#include "storage/locale_rules.h"
#include "support/crash_harness.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"
#include "ui/grid_view.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <random>

using namespace zelt;

namespace {

struct Kind {
    EditorKind editor;
    const char* dataFile;
    int length;
    // Search fields with a filter each that is a correct input; empty: the editor has no search.
    std::vector<std::pair<const char*, const char*>> searchFilters;
};

const Kind& kindOf(int index) {
    static const Kind kinds[] = {
        {EditorKind::Members,
         "affiliates.kvr",
         211,
         {{"txtSname", "a"},
          {"txtSsurname", "b"},
          {"txtSemail", "@"},
          {"txtSreferenceid", "0"},
          {"txtSEgold_ID", "-1"}}},
        {EditorKind::Sales, "sales.kvr", 16, {{"txtSdate", "16.11.2001"}, {"txtSAffID", "0"}}},
        {EditorKind::Payments,
         "payments.kvr",
         16,
         {{"txtSdate", "31.12.9999"}, {"txtSAffID", "-1"}}},
        {EditorKind::Communications,
         "communications.kvr",
         50,
         {{"txtSID", "0"}, {"txtSsubject", "a"}, {"txtSdate", "16.11.2001"}, {"txtSdate_r", ""}}},
        {EditorKind::Schemes, "apsettings.kvr", 60, {}},
    };
    return kinds[index];
}

const char* const kKindNames[] = {"members", "sales", "payments", "communications", "schemes"};

void writePlain(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string randomBytes(std::mt19937& engine, std::size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string out(size, '\0');
    for (char& c : out)
        c = static_cast<char>(byte(engine));
    return out;
}

// The data and side files: what no browsing, searching or closing may change.
std::map<std::string, std::string> storedFiles(const std::string& root) {
    std::map<std::string, std::string> files = test::snapshotFolder(root).files;
    std::erase_if(files, [](const auto& entry) {
        return entry.first.starts_with("output/") || entry.first.starts_with("backcopies/");
    });
    return files;
}

} // namespace

class TestDamagedFilesWindows : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void browsingDamagedRecords_data();
    void browsingDamagedRecords();
    void unshowableValuesShowEmpty_data();
    void unshowableValuesShowEmpty();
    void controlBytesInTexts();
    void cleanupTestCase();

private:
    RecordEditor* open(EditorKind kind);
    void closeEditor();
    template <class T = QWidget> T* control(const QString& name) const {
        T* found = editor_->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    void click(const QString& name) {
        QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);
    }
    void type(const QString& name, const QString& text) {
        auto* field = control<QLineEdit>(name);
        field->clear();
        QTest::keyClicks(field, text);
    }
    QString text(const QString& name) const { return control<QLineEdit>(name)->text(); }

    std::unique_ptr<test::TempAppDir> dir_;
    std::unique_ptr<test::MessageCapture> messages_;
    QPointer<RecordEditor> editor_;
    int records_ = 0;
    int windows_ = 0;
};

void TestDamagedFilesWindows::init() {
    dir_ = std::make_unique<test::TempAppDir>();
    AppDir = dir_->path();
    setCurrentRules(LocaleRules::dayMonthYearComma());
    messages_ = std::make_unique<test::MessageCapture>();
    messages_->answerUnexpectedQuestionsYes(); // windows are closed with typed input
}

void TestDamagedFilesWindows::cleanup() {
    if (editor_)
        closeEditor();
    if (!QTest::currentTestFailed())
        ZELT_VERIFY_MESSAGES(*messages_);
    messages_.reset();
    dir_.reset();
}

RecordEditor* TestDamagedFilesWindows::open(EditorKind kind) {
    editor_ = qobject_cast<RecordEditor*>(createEditor(kind, AppContext{AppDir, currentRules()}));
    editor_->show();
    ++windows_;
    return editor_;
}

void TestDamagedFilesWindows::closeEditor() {
    editor_->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestDamagedFilesWindows::browsingDamagedRecords_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("extraBytes");
    for (int kind = 0; kind < 5; ++kind)
        for (unsigned seed = 1; seed <= 4; ++seed) {
            const int records = static_cast<int>(seed * 5 % 13);
            const int extra = seed == 1 ? 0 : static_cast<int>(seed * 7) % kindOf(kind).length;
            QTest::addRow("%s, seed %u, %d records %+d", kKindNames[kind], seed, records, extra)
                << kind << seed << records << extra;
        }
}

void TestDamagedFilesWindows::browsingDamagedRecords() {
    QFETCH(int, kind);
    QFETCH(unsigned, seed);
    QFETCH(int, records);
    QFETCH(int, extraBytes);
    const Kind& k = kindOf(kind);
    std::mt19937 engine(seed * 1000 + static_cast<unsigned>(kind));

    for (int i = 0; i < 5; ++i) {
        const Kind& other = kindOf(i);
        writePlain(dir_->file(std::string("data/") + other.dataFile),
                   randomBytes(engine, std::size_t(records * other.length + extraBytes)));
    }
    for (int n = 1; n <= records + 1; ++n) {
        const std::string number = std::to_string(n);
        for (const std::string& name :
             {number + ".txt", "s" + number + ".txt", "p" + number + ".txt"})
            writePlain(dir_->file("addinfo/" + name), randomBytes(engine, std::size_t(n) * 9));
        for (const char* prefix : {"", "r", "c"})
            writePlain(dir_->file("comm/" + (prefix + number) + ".txt"),
                       randomBytes(engine, std::size_t(n) * 6));
    }
    const auto before = storedFiles(AppDir);

    // The member editor needs a payment scheme; with none it says so and can only be closed.
    const bool noSchemes = k.editor == EditorKind::Members && records * 60 + extraBytes < 30;
    if (noSchemes)
        messages_->expect(MessageTable.MsgCreateSchemes);
    RecordEditor* editor = open(k.editor);
    if (noSchemes) {
        QVERIFY(!editor->isLoaded());
        closeEditor();
        QVERIFY(storedFiles(AppDir) == before);
        return;
    }
    QVERIFY(editor->isLoaded());
    const int count = editor->recordCount();
    QCOMPARE(count, static_cast<int>(std::lround((records * k.length + extraBytes) /
                                                 static_cast<double>(k.length))));

    if (count > 0) {
        click("cmdFirst");
        for (int n = 2; n <= count; ++n) {
            click("cmdNext");
            QCOMPARE(editor->currentRecord(), n);
        }
        click("cmdPrevious");
        click("cmdLast");
        for (int n = 1; n <= count; ++n) {
            type("txtCurrent_Record", QString::number(n));
            click("cmdGoTo");
            QCOMPARE(editor->currentRecord(), n);
            ++records_;
        }
    }
    // Each filter alone, then all of them together.
    for (std::size_t alone = 0; alone <= k.searchFilters.size() && !k.searchFilters.empty();
         ++alone) {
        for (std::size_t i = 0; i < k.searchFilters.size(); ++i) {
            const auto [field, filter] = k.searchFilters[i];
            control<QLineEdit>(QString::fromLatin1(field))->clear();
            if (i == alone || alone == k.searchFilters.size())
                type(QString::fromLatin1(field), QString::fromLatin1(filter));
        }
        click(QStringLiteral("cmdDisplay"));
        auto* grid = control<GridView>(QStringLiteral("MSFGView"));
        for (int column = 0; column < grid->model()->columnCount(); ++column) {
            grid->sortByColumn(column, Qt::AscendingOrder);
            for (int row = 0; row < grid->model()->rowCount(); ++row)
                (void)grid->model()->index(row, column).data().toString();
        }
    }
    QVERIFY2(storedFiles(AppDir) == before, "browsing or searching changed a stored file");

    closeEditor();
    QVERIFY2(storedFiles(AppDir) == before, "closing changed a stored file");
    const std::string data = dir_->file(std::string("data/") + k.dataFile);
    const auto copy = test::snapshotFolder(AppDir).content(std::string("backcopies/") + k.dataFile);
    QVERIFY(copy.has_value());
    QVERIFY(*copy == before.at(std::string("data/") + k.dataFile));
}

void TestDamagedFilesWindows::unshowableValuesShowEmpty_data() {
    QTest::addColumn<double>("date");
    QTest::addColumn<float>("single");
    const double inf = std::numeric_limits<double>::infinity();
    const float nanf = std::numeric_limits<float>::quiet_NaN();
    const float inff = std::numeric_limits<float>::infinity();
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << nanf;
    QTest::newRow("infinity") << inf << inff;
    QTest::newRow("minus infinity") << -inf << -inff;
    QTest::newRow("year 99") << serialFromDate(99, 12, 31) << nanf;
    QTest::newRow("year 10000") << serialFromDate(10000, 1, 1) << -inff;
}

void TestDamagedFilesWindows::unshowableValuesShowEmpty() {
    QFETCH(double, date);
    QFETCH(float, single);
    std::string sale(16, '\0');
    auto* raw = reinterpret_cast<std::uint8_t*>(sale.data());
    field::putInt32(raw, 7);
    field::putSingle(raw + 4, single);
    field::putDouble(raw + 8, date);
    writePlain(dir_->file("data/sales.kvr"), sale);
    std::string scheme(60, ' ');
    raw = reinterpret_cast<std::uint8_t*>(scheme.data());
    field::putSingle(raw + 10, single);
    field::putInt16(raw + 14, 30);
    field::putInt16(raw + 26, 1);
    for (int level = 0; level < 8; ++level)
        field::putSingle(raw + 28 + 4 * level, single);
    writePlain(dir_->file("data/apsettings.kvr"), scheme);
    std::string member(211, ' ');
    raw = reinterpret_cast<std::uint8_t*>(member.data());
    field::putInt32(raw + 185, 1);
    field::putInt32(raw + 189, 0);
    field::putDouble(raw + 203, date);
    writePlain(dir_->file("data/affiliates.kvr"), member);
    std::string communication(50, ' ');
    raw = reinterpret_cast<std::uint8_t*>(communication.data());
    field::putInt32(raw, 7);
    field::putDouble(raw + 34, date);
    field::putDouble(raw + 42, date);
    writePlain(dir_->file("data/communications.kvr"), communication);
    const auto before = storedFiles(AppDir);

    open(EditorKind::Sales);
    QCOMPARE(text("txtSum"), QString());
    QCOMPARE(text("txtDate"), QString());
    type("txtSAffID", "7");
    click("cmdDisplay");
    auto* grid = control<GridView>("MSFGView");
    QCOMPARE(grid->model()->rowCount(), 1);
    for (int column : {1, 3}) // Date, Sum
        QCOMPARE(grid->model()->index(0, column).data().toString(), QString());
    closeEditor();

    open(EditorKind::Schemes);
    QCOMPARE(text("txtMinPayment"), QString());
    for (int level = 1; level <= 8; ++level)
        QCOMPARE(text(QStringLiteral("txtLevel(%1)").arg(level)), QString());
    closeEditor();

    open(EditorKind::Members);
    QCOMPARE(text("txtDate"), QString());
    type("txtSreferenceid", "0");
    click("cmdDisplay");
    grid = control<GridView>("MSFGView");
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(grid->model()->index(0, 13).data().toString(), QString()); // Date
    closeEditor();

    open(EditorKind::Communications);
    QCOMPARE(text("txtDate"), QString());
    QCOMPARE(text("txtDate_R"), QString());
    type("txtSID", "7");
    click("cmdDisplay");
    grid = control<GridView>("MSFGView");
    QCOMPARE(grid->model()->rowCount(), 1);
    for (int column : {3, 4}) // Date, Date_R
        QCOMPARE(grid->model()->index(0, column).data().toString(), QString());
    closeEditor();
    QVERIFY(storedFiles(AppDir) == before);
}

// Every byte from 0 to 31 stored in a member's texts: the window shows them without harm, and a
// single-line field holds no TAB, CR or LF that would break the separated exports.
void TestDamagedFilesWindows::controlBytesInTexts() {
    std::string member(211, ' ');
    for (int i = 0; i < 32; ++i)
        member[static_cast<std::size_t>(i)] = static_cast<char>(i);
    auto* raw = reinterpret_cast<std::uint8_t*>(member.data());
    field::putInt32(raw + 185, 1);
    field::putInt32(raw + 189, 0);
    field::putInt16(raw + 197, 1);
    field::putDouble(raw + 203, 37211);
    writePlain(dir_->file("data/affiliates.kvr"), member);
    writePlain(dir_->file("data/apsettings.kvr"), std::string(60, ' '));
    writePlain(dir_->file("addinfo/1.txt"), std::string("\x01\x02\t\x1b\r\n\0end", 10));
    const auto before = storedFiles(AppDir);

    open(EditorKind::Members);
    for (const char* name : {"txtName", "txtSurname"}) {
        const QString shown = text(QString::fromLatin1(name));
        QVERIFY2(
            !shown.contains(QLatin1Char('\t')) && !shown.contains(QLatin1Char('\r')) &&
                !shown.contains(QLatin1Char('\n')),
            qPrintable(QString::fromLatin1(name) + QStringLiteral(": ") + shown.toUtf8().toHex()));
    }
    closeEditor();
    QVERIFY(storedFiles(AppDir) == before);
}

void TestDamagedFilesWindows::cleanupTestCase() {
    qInfo("damaged files in the windows: %d windows opened, %d damaged records shown", windows_,
          records_);
}

ZELT_TEST(TestDamagedFilesWindows)
#include "test_damaged_files_windows.moc"
