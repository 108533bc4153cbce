#include "search/generic_compare.h"
#include "search/result_table.h"
#include "storage/date_text.h"
#include "support/test_registry.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

using namespace zelt;

namespace {

// A table with one column of each kind, rows given by the test.
class SampleTable : public ResultTable {
public:
    enum Column { Record, Whole, Single, Date, Text };

    explicit SampleTable(LocaleRules rules) : ResultTable(std::move(rules)) {}

    void add(std::int32_t whole, float single, double date, std::string_view text) {
        rows_.push_back(
            {static_cast<std::int32_t>(rows_.size() + 1), whole, single, date, std::string(text)});
        rowStored();
    }

    int columnCount() const override { return 5; }
    std::string heading(int column) const override { return "H" + std::to_string(column); }
    ColumnKind columnKind(int column) const override {
        static const ColumnKind kinds[] = {ColumnKind::Integer, ColumnKind::Integer,
                                           ColumnKind::Single, ColumnKind::Date, ColumnKind::Text};
        return kinds[column];
    }

    // Record numbers of the rows, top to bottom.
    std::vector<int> records() const {
        std::vector<int> out;
        for (int row = 0; row < rowCount(); ++row)
            out.push_back(recordNumber(row));
        return out;
    }

protected:
    std::string storedCell(std::size_t stored, int column) const override {
        const Row& row = rows_[stored];
        switch (column) {
        case Record:
            return std::to_string(row.record);
        case Whole:
            return std::to_string(row.whole);
        case Single:
            return std::isfinite(row.single) ? std::to_string(row.single) : std::string();
        case Date:
            return formatDate(row.date, rules());
        default:
            return row.text;
        }
    }
    std::int32_t storedRecordNumber(std::size_t stored) const override {
        return rows_[stored].record;
    }
    double storedValue(std::size_t stored, int column) const override {
        const Row& row = rows_[stored];
        return column == Record   ? row.record
               : column == Whole  ? row.whole
               : column == Single ? row.single
                                  : row.date;
    }
    std::string_view storedText(std::size_t stored, int) const override {
        return rows_[stored].text;
    }

private:
    struct Row {
        std::int32_t record, whole;
        float single;
        double date;
        std::string text;
    };
    std::vector<Row> rows_;
};

using Records = std::vector<int>;

} // namespace

class TestResultTable : public QObject {
    Q_OBJECT

private slots:
    void wholeNumbersByValueAndStable();
    void singlesWithUnshownLast();
    void datesInCalendarOrder();
    void textColumnByGenericComparison();
    void textColumnAgreesWithCellComparison();
    void sortsAreStableOnTheShownOrder();
    void manyDistinctValues();
    void outOfRangeColumnIsIgnored();
};

void TestResultTable::wholeNumbersByValueAndStable() {
    SampleTable table(LocaleRules::c());
    table.add(10, 0, 0, "");
    table.add(2, 0, 0, "");
    table.add(-5, 0, 0, "");
    table.add(2, 0, 0, "");
    table.add(std::numeric_limits<std::int32_t>::max(), 0, 0, "");
    QCOMPARE(table.sortColumn(), -1);
    table.sortByColumn(SampleTable::Whole);
    QCOMPARE(table.records(), (Records{3, 2, 4, 1, 5}));
    QCOMPARE(table.cell(0, SampleTable::Whole), std::string("-5"));
    QCOMPARE(table.sortColumn(), int(SampleTable::Whole));
}

void TestResultTable::singlesWithUnshownLast() {
    SampleTable table(LocaleRules::c());
    table.add(0, std::numeric_limits<float>::quiet_NaN(), 0, "");
    table.add(0, 10.5f, 0, "");
    table.add(0, std::numeric_limits<float>::infinity(), 0, "");
    table.add(0, -0.01f, 0, "");
    table.add(0, 2.0f, 0, "");
    table.add(0, -std::numeric_limits<float>::infinity(), 0, "");
    table.sortByColumn(SampleTable::Single);
    // Infinite and NaN sums show as empty cells: they come last, in their earlier order.
    QCOMPARE(table.records(), (Records{4, 5, 2, 1, 3, 6}));
}

void TestResultTable::datesInCalendarOrder() {
    SampleTable table(LocaleRules::dayMonthYearComma());
    table.add(0, 0, serialFromDate(2002, 1, 10), "");        // 10.01.2002
    table.add(0, 0, serialFromDate(2001, 11, 16), "");       // 16.11.2001
    table.add(0, 0, 1e9, "");                                // beyond 9999: empty cell
    table.add(0, 0, serialFromDate(2001, 11, 16) + 0.5, ""); // same day, noon
    table.add(0, 0, -1.75, "");                              // 29.12.1899 18:00
    table.add(0, 0, -1.25, "");                              // 29.12.1899 06:00
    table.add(0, 0, std::numeric_limits<double>::quiet_NaN(), "");
    table.add(0, 0, serialFromDate(99, 12, 31), ""); // before the year 100: empty cell
    table.sortByColumn(SampleTable::Date);
    QCOMPARE(table.records(), (Records{6, 5, 2, 4, 1, 3, 7, 8}));
    QCOMPARE(table.cell(5, SampleTable::Date), std::string());
}

void TestResultTable::textColumnByGenericComparison() {
    SampleTable table(LocaleRules::dayMonthYearComma());
    for (const char* text : {"banana", "10", "Apple", "10,5", "2", "apple", "", "1a"})
        table.add(0, 0, 0, text);
    table.sortByColumn(SampleTable::Text);
    // Numbers by value (10,5 is a number here), then texts ignoring case, ties by exact text.
    QCOMPARE(table.records(), (Records{5, 2, 4, 7, 8, 3, 6, 1}));
}

void TestResultTable::textColumnAgreesWithCellComparison() {
    // Long texts with equal beginnings exercise the comparison past the first eight bytes.
    const LocaleRules rules = LocaleRules::dayMonthYearComma();
    SampleTable table(rules);
    for (const char* text : {"Zelt member's ID",
                             "zelt member",
                             "Zelt members",
                             "ZELT MEMBER'S ID",
                             "1.000",
                             "999",
                             "-2,5",
                             "Ärger",
                             "ärger",
                             "Äpfel und Birnen",
                             "äpfel und birnen!",
                             "z",
                             "Z",
                             "1e3",
                             "Müller-Lüdenscheidt",
                             "müller-lüdenscheid",
                             "",
                             " ",
                             "007",
                             "7"})
        table.add(0, 0, 0, text);
    table.sortByColumn(SampleTable::Text);
    for (int row = 1; row < table.rowCount(); ++row)
        QVERIFY2(compareCells(table.cell(row - 1, SampleTable::Text),
                              table.cell(row, SampleTable::Text), rules) <= 0,
                 table.cell(row, SampleTable::Text).c_str());
}

void TestResultTable::sortsAreStableOnTheShownOrder() {
    SampleTable table(LocaleRules::c());
    table.add(2, 0, 0, "b");
    table.add(1, 0, 0, "a");
    table.add(2, 0, 0, "a");
    table.add(1, 0, 0, "b");
    table.sortByColumn(SampleTable::Text);
    QCOMPARE(table.records(), (Records{2, 3, 1, 4}));
    // Rows with equal whole numbers keep the order of the text sort.
    table.sortByColumn(SampleTable::Whole);
    QCOMPARE(table.records(), (Records{2, 4, 3, 1}));
    QCOMPARE(table.cell(1, SampleTable::Text), std::string("b"));
}

void TestResultTable::manyDistinctValues() {
    // More distinct values than a column of few: every row's key goes through the full sort.
    SampleTable table(LocaleRules::c());
    for (int i = 0; i < 20000; ++i) {
        const std::int32_t whole = (i * 7919) % 10007 - 5003 + (i % 3 == 0 ? 1 << 30 : 0);
        table.add(whole, 0, 0, "");
    }
    table.sortByColumn(SampleTable::Whole);
    for (int row = 1; row < table.rowCount(); ++row) {
        const int a = std::stoi(table.cell(row - 1, SampleTable::Whole));
        const int b = std::stoi(table.cell(row, SampleTable::Whole));
        QVERIFY(a < b || (a == b && table.recordNumber(row - 1) < table.recordNumber(row)));
    }
}

void TestResultTable::outOfRangeColumnIsIgnored() {
    SampleTable table(LocaleRules::c());
    table.add(2, 0, 0, "");
    table.add(1, 0, 0, "");
    table.sortByColumn(5);
    table.sortByColumn(-1);
    QCOMPARE(table.records(), (Records{1, 2}));
    QCOMPARE(table.sortColumn(), -1);
}

ZELT_TEST(TestResultTable)
#include "test_result_table.moc"
