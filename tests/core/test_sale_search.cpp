#include "search/sale_search.h"
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
using Kind = SaleSearchOutcome::Kind;

struct Sale {
    std::int32_t member;
    float sum;
    double date;
};

const double kNov16 = serialFromDate(2001, 11, 16);
const double kJan10 = serialFromDate(2002, 1, 10);
const double kDec01 = serialFromDate(2001, 12, 1);

// Records 1..9 of the test file. Member 7 has sales on three days, the 10.01.2002 one stored
// first; record 6 carries a time of day.
const std::vector<Sale> kSales = {
    {7, 10.5f, kJan10},      // 1
    {3, 1.0f, kNov16},       // 2
    {7, 2.0f, kNov16},       // 3
    {10, 0.0f, kDec01},      // 4
    {7, 99.99f, kDec01},     // 5
    {7, 5.0f, kNov16 + 0.5}, // 6: 16.11.2001 12:00
    {2, 3.0f, kNov16},       // 7
    {70, 4.0f, kNov16},      // 8
    {10, 1e8f, kJan10},      // 9
};

Records recordsOf(const ResultTable& table) {
    Records out;
    for (int row = 0; row < table.rowCount(); ++row)
        out.push_back(table.recordNumber(row));
    return out;
}

} // namespace

Q_DECLARE_METATYPE(zelt::SaleSearchOutcome::Kind)

class TestSaleSearch : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void filters_data();
    void filters();
    void incorrectFilters_data();
    void incorrectFilters();
    void headingsAndCells();
    void numberColumnsSortByValue();
    void recordCountBoundsTheSearch();
    void readFailureIsReported();

private:
    SaleSearchOutcome search(const char* date, const char* member, std::int32_t count = 9,
                             SaleGridKind kind = SaleGridKind::Sales) {
        return searchSales(*file_, count, date, member, kind, rules_);
    }

    std::unique_ptr<test::TempAppDir> dir_;
    std::unique_ptr<RecordFile> file_;
    LocaleRules rules_ = LocaleRules::dayMonthYearComma();
};

void TestSaleSearch::init() {
    dir_ = std::make_unique<test::TempAppDir>();
    Result<RecordFile> opened = RecordFile::open(dir_->file("sales.kvr"), SaleRecord::kLength);
    QVERIFY(opened.ok());
    file_ = std::make_unique<RecordFile>(std::move(opened.value()));
    for (std::size_t i = 0; i < kSales.size(); ++i) {
        SaleRecord record;
        record.MemberID = kSales[i].member;
        record.Sum = kSales[i].sum;
        record.Date = kSales[i].date;
        QVERIFY(file_->write(static_cast<std::int32_t>(i + 1), record.encode()).ok());
    }
}

void TestSaleSearch::cleanup() {
    file_.reset();
    dir_.reset();
}

void TestSaleSearch::filters_data() {
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("member");
    QTest::addColumn<Records>("expected");

    // Rows come in calendar order of the date (16.11.2001, 01.12.2001, 10.01.2002), records of
    // one date in record order.
    QTest::newRow("member with blanks around") << ""
                                               << "  7 " << Records{3, 6, 5, 1};
    QTest::newRow("member 7 is not 70") << ""
                                        << "7" << Records{3, 6, 5, 1};
    QTest::newRow("member read by the locale's rules") << ""
                                                       << "7,0" << Records{3, 6, 5, 1};
    QTest::newRow("four-digit year") << "16.11.2001"
                                     << "" << Records{2, 3, 7, 8};
    QTest::newRow("two-digit year, same records") << " 16.11.01 "
                                                  << "" << Records{2, 3, 7, 8};
    QTest::newRow("year-month-day, same records") << "2001-11-16"
                                                  << "" << Records{2, 3, 7, 8};
    QTest::newRow("stored time matched only with it") << "16.11.2001 12:00"
                                                      << "" << Records{6};
    QTest::newRow("date and member together") << "16.11.2001"
                                              << "7" << Records{3};
    QTest::newRow("no match leaves no row") << "17.11.2001"
                                            << "7" << Records{};
    QTest::newRow("member 0 matches nothing here") << ""
                                                   << "0" << Records{};
    QTest::newRow("blanks alone list every record") << "   "
                                                    << " \t " << Records{2, 3, 7, 8, 6, 4, 5, 1, 9};
}

void TestSaleSearch::filters() {
    QFETCH(QString, date);
    QFETCH(QString, member);
    QFETCH(Records, expected);
    const SaleSearchOutcome found = search(date.toUtf8().constData(), member.toUtf8().constData());
    QCOMPARE(found.kind, Kind::Listed);
    QVERIFY(found.table);
    QCOMPARE(recordsOf(*found.table), expected);
    QCOMPARE(found.table->sortColumn(), int(SaleResultTable::Date));
}

void TestSaleSearch::incorrectFilters_data() {
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("member");
    QTest::addColumn<Kind>("expected");

    QTest::newRow("both empty") << ""
                                << "" << Kind::NothingToDo;
    QTest::newRow("member with a letter") << ""
                                          << "7a" << Kind::IncorrectMember;
    QTest::newRow("member past 32 bits") << ""
                                         << "3000000000" << Kind::IncorrectMember;
    QTest::newRow("impossible date") << "31.02.2001"
                                     << "" << Kind::IncorrectDate;
    QTest::newRow("date of letters") << "yesterday"
                                     << "7" << Kind::IncorrectDate;
    QTest::newRow("date is checked first") << "32.13.2001"
                                           << "7a" << Kind::IncorrectDate;
}

void TestSaleSearch::incorrectFilters() {
    QFETCH(QString, date);
    QFETCH(QString, member);
    QFETCH(Kind, expected);
    const SaleSearchOutcome found = search(date.toUtf8().constData(), member.toUtf8().constData());
    QCOMPARE(found.kind, expected);
    QVERIFY(!found.table);
}

void TestSaleSearch::headingsAndCells() {
    const SaleSearchOutcome sales = search("", "10");
    QVERIFY(sales.table);
    const SaleResultTable& table = *sales.table;
    QCOMPARE(table.columnCount(), 4);
    QCOMPARE(table.heading(0), std::string("N of Record"));
    QCOMPARE(table.heading(1), std::string("Date"));
    QCOMPARE(table.heading(2), std::string("Member's ID"));
    QCOMPARE(table.heading(3), std::string("Sum "));
    QCOMPARE(table.rowCount(), 2);
    QCOMPARE(table.cell(0, 0), std::string("4"));
    QCOMPARE(table.cell(0, 1), std::string("01.12.2001"));
    QCOMPARE(table.cell(0, 2), std::string("10"));
    QCOMPARE(table.cell(0, 3), std::string("0"));
    QCOMPARE(table.cell(1, 3), std::string("1E+08"));

    const SaleSearchOutcome payments = search("", "7", 9, SaleGridKind::Payments);
    QVERIFY(payments.table);
    QCOMPARE(payments.table->heading(3), std::string("Sum of a payment"));
    QCOMPARE(payments.table->cell(1, 1), std::string("16.11.2001 12:00:00"));
    QCOMPARE(payments.table->cell(3, 3), std::string("10,5"));
}

void TestSaleSearch::numberColumnsSortByValue() {
    SaleSearchOutcome found = search("16.11.2001", "");
    QVERIFY(found.table);
    SaleResultTable& table = *found.table;
    table.sortByColumn(SaleResultTable::MemberID);
    QCOMPARE(recordsOf(table), (Records{7, 2, 3, 8}));

    found = search("", " 10 ");
    QVERIFY(found.table);
    found.table->sortByColumn(SaleResultTable::Sum);
    QCOMPARE(recordsOf(*found.table), (Records{4, 9}));

    // Records 2, 3, 7 and 8 share a date: sorting by date again keeps the member order.
    found = search("16.11.2001", "");
    found.table->sortByColumn(SaleResultTable::MemberID);
    found.table->sortByColumn(SaleResultTable::Date);
    QCOMPARE(recordsOf(*found.table), (Records{7, 2, 3, 8}));
}

void TestSaleSearch::recordCountBoundsTheSearch() {
    // A record being created lies past the end of the file and is not listed.
    SaleSearchOutcome found = search("", "10", 10);
    QVERIFY(found.table);
    QCOMPARE(recordsOf(*found.table), (Records{4, 9}));
    found = search("", "10", 8);
    QCOMPARE(recordsOf(*found.table), (Records{4}));
    found = search("", "10", 0);
    QCOMPARE(found.kind, Kind::Listed);
    QCOMPARE(found.table->rowCount(), 0);
}

void TestSaleSearch::readFailureIsReported() {
    test::ScopedFaultHook faults(test::failEvery(fs::Op::Read, EIO));
    const SaleSearchOutcome found = search("", "7");
    QCOMPARE(found.kind, Kind::FileError);
    QVERIFY(!found.table);
    QVERIFY(!found.error.message().empty());
}

ZELT_TEST(TestSaleSearch)
#include "test_sale_search.moc"
