#include "search/communication_search.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "support/fault_hook.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"

#include <QtTest>

#include <cerrno>
#include <vector>

using namespace zelt;

namespace {

using Records = std::vector<int>;
using Kind = CommunicationSearchOutcome::Kind;

const double kNov16 = serialFromDate(2001, 11, 16);
const double kNov20 = serialFromDate(2001, 11, 20);
const double kDec01 = serialFromDate(2001, 12, 1);

CommunicationRecord communication(std::int32_t member, const char* subject, double date,
                                  double dateR) {
    CommunicationRecord record;
    record.MemberID = member;
    record.Subject = subject;
    record.Date = date;
    record.Date_R = dateR;
    return record;
}

// Records 1..8 of the test file.
const std::vector<CommunicationRecord> kCommunications = {
    communication(12, "Invoice", kNov16, kNov20),         // 1
    communication(120, "Invoice March", kNov16, kNov20),  // 2
    communication(112, "Unpaid invoice", kNov16, kDec01), // 3
    communication(12, "INVOICE", kDec01, kDec01),         // 4
    communication(-3, "Offer", kNov16 + 0.5, kNov20),     // 5: 16.11.2001 12:00
    communication(12, "Hello", kDec01, kNov20),           // 6
    communication(0, "\xc3\x89lan", kNov20, kNov20),      // 7: Élan
    communication(2, "10", kNov20, kNov16),               // 8
};

Records recordsOf(const ResultTable& table) {
    Records out;
    for (int row = 0; row < table.rowCount(); ++row)
        out.push_back(table.recordNumber(row));
    return out;
}

} // namespace

class TestCommunicationSearch : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void filters_data();
    void filters();
    void emptyFiltersDoNothing_data();
    void emptyFiltersDoNothing();
    void headingsAndCells();
    void columnsSort();
    void recordCountBoundsTheSearch();
    void readFailureIsReported();

private:
    CommunicationSearchOutcome search(const QString& id, const QString& subject,
                                      const QString& date, const QString& dateR,
                                      std::int32_t count = 8) {
        const QByteArray a = id.toUtf8(), b = subject.toUtf8(), c = date.toUtf8(),
                         d = dateR.toUtf8();
        return searchCommunications(
            *file_, count, {a.constData(), b.constData(), c.constData(), d.constData()}, rules_);
    }

    std::unique_ptr<test::TempAppDir> dir_;
    std::unique_ptr<RecordFile> file_;
    LocaleRules rules_ = LocaleRules::dayMonthYearComma();
};

void TestCommunicationSearch::init() {
    dir_ = std::make_unique<test::TempAppDir>();
    Result<RecordFile> opened =
        RecordFile::open(dir_->file(CommunicationRecord::kFileName), CommunicationRecord::kLength);
    QVERIFY(opened.ok());
    file_ = std::make_unique<RecordFile>(std::move(opened.value()));
    for (std::size_t i = 0; i < kCommunications.size(); ++i)
        QVERIFY(file_->write(static_cast<std::int32_t>(i + 1), kCommunications[i].encode()).ok());
}

void TestCommunicationSearch::cleanup() {
    file_.reset();
    dir_.reset();
}

void TestCommunicationSearch::filters_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("dateR");
    QTest::addColumn<Records>("expected");

    QTest::newRow("12, not 120 or 112") << "12"
                                        << ""
                                        << ""
                                        << "" << Records{1, 4, 6};
    QTest::newRow("12 with blanks around") << "  12 "
                                           << ""
                                           << ""
                                           << "" << Records{1, 4, 6};
    QTest::newRow("012 is another text") << "012"
                                         << ""
                                         << ""
                                         << "" << Records{};
    QTest::newRow("12,0 is another text") << "12,0"
                                          << ""
                                          << ""
                                          << "" << Records{};
    QTest::newRow("negative member") << "-3"
                                     << ""
                                     << ""
                                     << "" << Records{5};
    QTest::newRow("member 0") << "0"
                              << ""
                              << ""
                              << "" << Records{7};
    QTest::newRow("invoice in any case, whole") << ""
                                                << "invoice"
                                                << ""
                                                << "" << Records{1, 4};
    QTest::newRow("subject with blanks around") << ""
                                                << "  InVoIcE "
                                                << ""
                                                << "" << Records{1, 4};
    QTest::newRow("two-word subject") << ""
                                      << "invoice march"
                                      << ""
                                      << "" << Records{2};
    QTest::newRow("no prefix match") << ""
                                     << "inv"
                                     << ""
                                     << "" << Records{};
    QTest::newRow("accented capital") << ""
                                      << "\xc3\xa9LAN"
                                      << ""
                                      << "" << Records{7};
    QTest::newRow("character no record can hold") << ""
                                                  << "\xd0\x96"
                                                  << ""
                                                  << "" << Records{};
    QTest::newRow("date as shown") << ""
                                   << ""
                                   << "16.11.2001"
                                   << "" << Records{1, 2, 3};
    QTest::newRow("two-digit year is another text") << ""
                                                    << ""
                                                    << "16.11.01"
                                                    << "" << Records{};
    QTest::newRow("stored time only with its time") << ""
                                                    << ""
                                                    << "16.11.2001 12:00:00"
                                                    << "" << Records{5};
    QTest::newRow("date of responce") << ""
                                      << ""
                                      << ""
                                      << "01.12.2001" << Records{3, 4};
    QTest::newRow("member and date") << "12"
                                     << ""
                                     << "16.11.2001"
                                     << "" << Records{1};
    QTest::newRow("member and date of responce") << "12"
                                                 << ""
                                                 << ""
                                                 << "20.11.2001" << Records{1, 6};
    QTest::newRow("all four") << "12"
                              << "invoice"
                              << "01.12.2001"
                              << "01.12.2001" << Records{4};
    QTest::newRow("no match leaves no row") << "12"
                                            << "offer"
                                            << ""
                                            << "" << Records{};
}

void TestCommunicationSearch::filters() {
    QFETCH(QString, id);
    QFETCH(QString, subject);
    QFETCH(QString, date);
    QFETCH(QString, dateR);
    QFETCH(Records, expected);
    const CommunicationSearchOutcome found = search(id, subject, date, dateR);
    QCOMPARE(found.kind, Kind::Listed);
    QVERIFY(found.table);
    QCOMPARE(recordsOf(*found.table), expected);
}

void TestCommunicationSearch::emptyFiltersDoNothing_data() {
    QTest::addColumn<QString>("blank");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
}

void TestCommunicationSearch::emptyFiltersDoNothing() {
    QFETCH(QString, blank);
    const CommunicationSearchOutcome found = search(blank, blank, blank, blank);
    QCOMPARE(found.kind, Kind::NothingToDo);
    QVERIFY(!found.table);
}

void TestCommunicationSearch::headingsAndCells() {
    const CommunicationSearchOutcome found = search("-3", "", "", "");
    QVERIFY(found.table);
    const ResultTable& table = *found.table;
    QCOMPARE(table.columnCount(), 5);
    const char* headings[] = {"N of record", "Member's ID", "Subject", "Date", "Date of responce"};
    for (int c = 0; c < 5; ++c)
        QCOMPARE(table.heading(c), std::string(headings[c]));
    QCOMPARE(table.rowCount(), 1);
    QCOMPARE(table.cell(0, 0), std::string("5"));
    QCOMPARE(table.cell(0, 1), std::string("-3"));
    QCOMPARE(table.cell(0, 2), std::string("Offer")); // without its 25 trailing blanks
    QCOMPARE(table.cell(0, 3), std::string("16.11.2001 12:00:00"));
    QCOMPARE(table.cell(0, 4), std::string("20.11.2001"));

    const CommunicationSearchOutcome accented = search("0", "", "", "");
    QCOMPARE(accented.table->cell(0, 2), std::string("\xc3\x89lan"));
}

void TestCommunicationSearch::columnsSort() {
    const CommunicationSearchOutcome found = search("", "", "", "20.11.2001");
    QVERIFY(found.table);
    ResultTable& table = *found.table;
    QCOMPARE(recordsOf(table), (Records{1, 2, 5, 6, 7}));
    table.sortByColumn(CommunicationResultTable::MemberID); // by value: -3, 0, 12, 12, 120
    QCOMPARE(recordsOf(table), (Records{5, 7, 1, 6, 2}));
    table.sortByColumn(CommunicationResultTable::Subject); // texts ignoring case, Élan last
    QCOMPARE(recordsOf(table), (Records{6, 1, 2, 5, 7}));
    table.sortByColumn(CommunicationResultTable::Date); // calendar order, 16.11 12:00 after 16.11
    QCOMPARE(recordsOf(table), (Records{1, 2, 5, 7, 6}));
}

void TestCommunicationSearch::recordCountBoundsTheSearch() {
    // A count one past the file (a record being created) lists only the stored records.
    QCOMPARE(recordsOf(*search("", "", "", "20.11.2001", 9).table), (Records{1, 2, 5, 6, 7}));
    QCOMPARE(recordsOf(*search("12", "", "", "", 4).table), (Records{1, 4}));
    QCOMPARE(recordsOf(*search("12", "", "", "", 0).table), Records{});
}

void TestCommunicationSearch::readFailureIsReported() {
    const test::ScopedFaultHook hook(test::failOn(fs::Op::Read, file_->path(), EIO));
    const CommunicationSearchOutcome found = search("12", "", "", "");
    QCOMPARE(found.kind, Kind::FileError);
    QCOMPARE(found.error.code, EIO);
    QCOMPARE(found.error.path, file_->path());
}

ZELT_TEST(TestCommunicationSearch)
#include "test_communication_search.moc"
