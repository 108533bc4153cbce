// The searches of the editors' grids (members, sales and payments, communications), the sorting
// of their result tables, the comparison of grid cells, and the referral tree with its levels.
#include "core_fixture.h"
#include "export/downline_export.h"
#include "search/communication_search.h"
#include "search/generic_compare.h"
#include "search/level_table.h"
#include "search/member_search.h"
#include "search/member_search_referrer.h"
#include "search/referral_tree.h"
#include "search/sale_search.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/member_record.h"
#include "storage/sale_record.h"
#include "support/fault_hook.h"

#include <cmath>

using namespace zelt;
using test::row;
using L = QStringList;
using Sorts = QList<int>;

namespace {

const double kNov16 = 37211, kNov20 = 37215, kDec01 = 37226, kJan10 = 37266;

MemberRecord member(std::int32_t id, const char* name, const char* surname, const char* email,
                    std::int32_t referrer, std::int32_t egold, std::int32_t level) {
    MemberRecord m;
    m.AffiliateID = id;
    m.Name = name;
    m.Surname = surname;
    m.E_mail = email;
    m.Ref_ID = referrer;
    m.Egold_ID = egold;
    m.Level = level;
    m.AP_ID = 2;
    m.Date = kNov16 + 0.5;
    return m;
}

// Names stored as the editor stores them (Windows-1252: "Ŝ" becomes "?").
// Record 2 is damaged: it says it is member 9.
const std::vector<RecordBytes> kMembers = {
    member(1, "Ann", "Lee", "ann@x.org", 0, 0, 10).encode(),
    member(9, "Anne", "Lee", "anne@x.org", 1, 12, 2).encode(),
    member(3, "  ANN", "Smith", "ANN@X.ORG", 2, 0, 3).encode(),
    member(4, "ann", "LEE", "", 2, 12, 2).encode(),
    member(5, "\xC3\x89mile", "\xC5\x9C", "", 0, -5, 1).encode(),
    member(6, "Anna", "Lee", "ann@x.org", 2, 0, 3).encode()};

const std::vector<RecordBytes> kSales = {
    SaleRecord{7, 10.5f, kJan10}.encode(),  SaleRecord{3, 1.0f, kNov16}.encode(),
    SaleRecord{7, 2.0f, kNov16}.encode(),   SaleRecord{10, 0.0f, kDec01}.encode(),
    SaleRecord{7, 99.99f, kDec01}.encode(), SaleRecord{7, 5.0f, kNov16 + 0.5}.encode(),
    SaleRecord{2, 3.0f, kNov16}.encode(),   SaleRecord{70, 4.0f, kNov16}.encode(),
    SaleRecord{10, 1e8f, kJan10}.encode()};

const std::vector<RecordBytes> kCommunications = {
    CommunicationRecord{12, "Invoice", kNov16, kNov20}.encode(),
    CommunicationRecord{120, "Invoice March", kNov16, kNov20}.encode(),
    CommunicationRecord{112, "Unpaid invoice", kNov16, kDec01}.encode(),
    CommunicationRecord{12, "INVOICE", kDec01, kDec01}.encode(),
    CommunicationRecord{-3, "Offer", kNov16 + 0.5, kNov20}.encode(),
    CommunicationRecord{12, "Hello", kDec01, kNov20}.encode(),
    CommunicationRecord{0, "\xC3\x89lan", kNov20, kNov20}.encode(),
    CommunicationRecord{2, "10", kNov20, kNov16}.encode()};

template <typename Kind> QString noTable(Kind kind) {
    return QStringLiteral("no table: %1").arg(int(kind));
}

// A table of one value column of the given kind (1) and a text column (2), from cells
// "value|text"; the record numbers count the cells.
class SampleTable : public ResultTable {
public:
    SampleTable(const LocaleRules& rules, ColumnKind kind, const QStringList& cells)
        : ResultTable(rules), kind_(kind) {
        for (const QString& cell : cells) {
            const QStringList parts = cell.split('|');
            values_.push_back(parts[0].toStdString());
            texts_.push_back(parts.value(1).toStdString());
            rowStored();
        }
    }
    int columnCount() const override { return 3; }
    std::string heading(int column) const override { return std::to_string(column); }
    ColumnKind columnKind(int column) const override {
        return column == 0 ? ColumnKind::Integer : column == 1 ? kind_ : ColumnKind::Text;
    }

protected:
    std::string storedCell(std::size_t stored, int column) const override {
        if (column == 0)
            return std::to_string(stored + 1);
        if (column == 2 || kind_ == ColumnKind::Text || kind_ == ColumnKind::Integer)
            return column == 2 ? texts_[stored] : values_[stored];
        const double value = storedValue(stored, 1);
        return kind_ == ColumnKind::Date ? formatDate(value, rules())
                                         : (std::isfinite(value) ? values_[stored] : "");
    }
    std::int32_t storedRecordNumber(std::size_t stored) const override {
        return static_cast<std::int32_t>(stored + 1);
    }
    double storedValue(std::size_t stored, int column) const override {
        return column == 0 ? double(stored + 1) : std::stod(values_[stored]);
    }
    std::string_view storedText(std::size_t stored, int column) const override {
        return column == 2 ? texts_[stored] : values_[stored];
    }

private:
    ColumnKind kind_;
    std::vector<std::string> values_, texts_;
};

QString joined(const std::vector<int>& numbers) {
    QStringList texts;
    for (int n : numbers)
        texts << QString::number(n);
    return texts.join(' ');
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

Q_DECLARE_METATYPE(zelt::ResultTable::ColumnKind)
Q_DECLARE_METATYPE(zelt::LocaleRules)

class TestSearch : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ProgramFolder> folder_;

    RecordFile data(const char* name, int length) {
        return std::move(*RecordFile::open(folder_->file(Folder::Data, name), length));
    }
    // The search of the subject with the filters, its table sorted by the columns in turn:
    // the record numbers listed, or the outcome without a table.
    QString search(const QString& subject, const QStringList& f, int count, const Sorts& sorts,
                   int shownRow = -2) {
        const LocaleRules rules = LocaleRules::dayMonthYearComma();
        std::vector<std::string> t;
        for (const QString& filter : f)
            t.push_back(filter.toStdString());
        std::unique_ptr<ResultTable> table;
        if (subject == "member") {
            RecordFile file = data("affiliates.kvr", MemberRecord::kLength);
            auto found = searchMembers(file, count, {t[0], t[1], t[2], t[3], t[4]}, rules);
            if (!found.table)
                return noTable(found.kind);
            table = std::move(found.table);
        } else if (subject == "referrer") {
            RecordFile file = data("affiliates.kvr", MemberRecord::kLength);
            const Result<bool> found = memberIdStored(file, count, std::stoi(t[0]));
            return found ? (*found ? "stored" : "not stored") : "failed";
        } else if (subject == "communication") {
            RecordFile file = data("communications.kvr", CommunicationRecord::kLength);
            auto found = searchCommunications(file, count, {t[0], t[1], t[2], t[3]}, rules);
            if (!found.table)
                return noTable(found.kind);
            table = std::move(found.table);
        } else {
            RecordFile file = data("sales.kvr", SaleRecord::kLength);
            const auto grid = subject == "sale" ? SaleGridKind::Sales : SaleGridKind::Payments;
            auto found = searchSales(file, count, t[0], t[1], grid, rules);
            if (!found.table)
                return noTable(found.kind);
            if (found.table->sortColumn() != SaleResultTable::Date)
                return "not sorted by date";
            table = std::move(found.table);
        }
        for (int column : sorts)
            table->sortByColumn(column);
        if (shownRow >= -1) { // the cells of one row, or the headings
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells << QString::fromStdString(shownRow < 0 ? table->heading(column)
                                                             : table->cell(shownRow, column));
            return cells.join('|');
        }
        return joined(test::recordsOf(*table));
    }

private slots:
    void init() {
        folder_ = std::make_unique<test::ProgramFolder>();
        folder_->writeRecords("affiliates.kvr", MemberRecord::kLength, kMembers);
        folder_->writeRecords("sales.kvr", SaleRecord::kLength, kSales);
        folder_->writeRecords("communications.kvr", CommunicationRecord::kLength, kCommunications);
    }
    void cleanup() { folder_.reset(); }

    // Filters: members (name, surname, e-mail, referrer, Egold), sales and payments (date,
    // member), communications (member, subject, date, date of responce). Sales come in calendar
    // order of their dates, the others in record order.
    void searches_data() {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<int>("count");
        QTest::addColumn<Sorts>("sorts");
        QTest::addColumn<QString>("listed");
        using M = MemberSearchOutcome::Kind;
        using S = SaleSearchOutcome::Kind;
        using C = CommunicationSearchOutcome::Kind;
        row("name, blanks and case", "member", L{" ANN ", "", "", "", ""}, 6, Sorts{}, "1 3 4");
        row("name and surname", "member", L{"ann", "lee", "", "", ""}, 6, Sorts{}, "1 4");
        row("e-mail", "member", L{"", "", "Ann@x.org", "", ""}, 6, Sorts{}, "1 3 6");
        row("referred by 2", "member", L{"", "", "", "2", ""}, 6, Sorts{}, "3 4 6");
        row("no referrer", "member", L{"", "", "", " 0 ", ""}, 6, Sorts{}, "1 5");
        row("created record unlisted", "member", L{"", "", "", "0", ""}, 7, Sorts{}, "1 5");
        row("egold 0", "member", L{"", "", "", "", "0"}, 6, Sorts{}, "1 3 6");
        row("egold negative", "member", L{"", "", "", "", "-5"}, 6, Sorts{}, "5");
        row("egold and referrer", "member", L{"", "", "", "2", "12"}, 6, Sorts{}, "4");
        row("accented capital", "member", L{"\xC3\x89MILE", "", "", "", ""}, 6, Sorts{}, "5");
        row("a character never stored", "member", L{"", "\xC5\x9D", "", "", ""}, 6, Sorts{}, "");
        row("the ? it became", "member", L{"", "?", "", "", ""}, 6, Sorts{}, "5");
        row("no member", "member", L{"Bob", "", "", "", ""}, 6, Sorts{}, "");
        row("members by level", "member", L{"", "lee", "", "", ""}, 6,
            Sorts{MemberResultTable::Level}, "2 4 6 1");
        row("members by name", "member", L{"", "lee", "", "", ""}, 6,
            Sorts{MemberResultTable::Level, MemberResultTable::Name}, "1 4 6 2");
        row("members, nothing to do", "member", L{"  ", "", "", "", ""}, 6, Sorts{},
            noTable(M::NothingToDo));
        row("egold 12x", "member", L{"", "", "", "", "12x"}, 6, Sorts{},
            noTable(M::IncorrectNumber));
        row("referrer of letters", "member", L{"", "", "", "two", ""}, 6, Sorts{},
            noTable(M::IncorrectNumber));
        row("referrer past 32 bits", "member", L{"", "", "", "3000000000", "1"}, 6, Sorts{},
            noTable(M::IncorrectNumber));
        row("referrer in its record", "referrer", L{"4"}, 6, Sorts{}, "stored");
        row("referrer last", "referrer", L{"6"}, 6, Sorts{}, "stored");
        row("referrer past the count", "referrer", L{"7"}, 6, Sorts{}, "not stored");
        row("referrer past the records", "referrer", L{"6"}, 5, Sorts{}, "not stored");
        row("referrer in another record", "referrer", L{"9"}, 6, Sorts{}, "stored");
        row("record 2 holds another", "referrer", L{"2"}, 6, Sorts{}, "not stored");
        row("referrer 0", "referrer", L{"0"}, 6, Sorts{}, "not stored");

        row("member with blanks", "sale", L{"", "  7 "}, 9, Sorts{}, "3 6 5 1");
        row("member 7 is not 70", "sale", L{"", "7"}, 9, Sorts{}, "3 6 5 1");
        row("member by the locale", "sale", L{"", "7,0"}, 9, Sorts{}, "3 6 5 1");
        row("four-digit year", "sale", L{"16.11.2001", ""}, 9, Sorts{}, "2 3 7 8");
        row("two-digit year", "sale", L{" 16.11.01 ", ""}, 9, Sorts{}, "2 3 7 8");
        row("year first", "payment", L{"2001-11-16", ""}, 9, Sorts{}, "2 3 7 8");
        row("stored time", "sale", L{"16.11.2001 12:00", ""}, 9, Sorts{}, "6");
        row("date and member", "sale", L{"16.11.2001", "7"}, 9, Sorts{}, "3");
        row("no sale", "sale", L{"17.11.2001", "7"}, 9, Sorts{}, "");
        row("member 0", "sale", L{"", "0"}, 9, Sorts{}, "");
        row("blanks list all", "sale", L{"   ", " \t "}, 9, Sorts{}, "2 3 7 8 6 4 5 1 9");
        row("past the file", "sale", L{"", "10"}, 10, Sorts{}, "4 9");
        row("short count", "sale", L{"", "10"}, 8, Sorts{}, "4");
        row("count 0", "sale", L{"", "10"}, 0, Sorts{}, "");
        row("sales by member", "sale", L{"16.11.2001", ""}, 9, Sorts{SaleResultTable::MemberID},
            "7 2 3 8");
        row("sales by sum", "sale", L{"", " 10 "}, 9, Sorts{SaleResultTable::Sum}, "4 9");
        row("date sort again is stable", "sale", L{"16.11.2001", ""}, 9,
            Sorts{SaleResultTable::MemberID, SaleResultTable::Date}, "7 2 3 8");
        row("sales, nothing to do", "sale", L{"", ""}, 9, Sorts{}, noTable(S::NothingToDo));
        row("member 7a", "sale", L{"", "7a"}, 9, Sorts{}, noTable(S::IncorrectMember));
        row("member past 32 bits", "sale", L{"", "3000000000"}, 9, Sorts{},
            noTable(S::IncorrectMember));
        row("31 February", "sale", L{"31.02.2001", ""}, 9, Sorts{}, noTable(S::IncorrectDate));
        row("date of letters", "sale", L{"yesterday", "7"}, 9, Sorts{}, noTable(S::IncorrectDate));
        row("date checked first", "payment", L{"32.13.2001", "7a"}, 9, Sorts{},
            noTable(S::IncorrectDate));

        row("12, not 120 or 112", "communication", L{"  12 ", "", "", ""}, 8, Sorts{}, "1 4 6");
        row("012 is another text", "communication", L{"012", "", "", ""}, 8, Sorts{}, "");
        row("12,0 is another text", "communication", L{"12,0", "", "", ""}, 8, Sorts{}, "");
        row("negative member", "communication", L{"-3", "", "", ""}, 8, Sorts{}, "5");
        row("member 0 ", "communication", L{"0", "", "", ""}, 8, Sorts{}, "7");
        row("subject, any case", "communication", L{"", "  InVoIcE ", "", ""}, 8, Sorts{}, "1 4");
        row("two-word subject", "communication", L{"", "invoice march", "", ""}, 8, Sorts{}, "2");
        row("no prefix match", "communication", L{"", "inv", "", ""}, 8, Sorts{}, "");
        row("accented", "communication", L{"", "\xC3\xA9LAN", "", ""}, 8, Sorts{}, "7");
        row("never stored", "communication", L{"", "\xD0\x96", "", ""}, 8, Sorts{}, "");
        row("date as shown", "communication", L{"", "", "16.11.2001", ""}, 8, Sorts{}, "1 2 3");
        row("two-digit year text", "communication", L{"", "", "16.11.01", ""}, 8, Sorts{}, "");
        row("time", "communication", L{"", "", "16.11.2001 12:00:00", ""}, 8, Sorts{}, "5");
        row("date of responce", "communication", L{"", "", "", "01.12.2001"}, 8, Sorts{}, "3 4");
        row("member and date", "communication", L{"12", "", "16.11.2001", ""}, 8, Sorts{}, "1");
        row("member, responce", "communication", L{"12", "", "", "20.11.2001"}, 8, Sorts{}, "1 6");
        row("all four", "communication", L{"12", "invoice", "01.12.2001", "01.12.2001"}, 8, Sorts{},
            "4");
        row("no communication", "communication", L{"12", "offer", "", ""}, 8, Sorts{}, "");
        row("created unlisted", "communication", L{"", "", "", "20.11.2001"}, 9, Sorts{},
            "1 2 5 6 7");
        row("count 4", "communication", L{"12", "", "", ""}, 4, Sorts{}, "1 4");
        row("none counted", "communication", L{"12", "", "", ""}, 0, Sorts{}, "");
        row("by member", "communication", L{"", "", "", "20.11.2001"}, 8, Sorts{1}, "5 7 1 6 2");
        row("then by subject", "communication", L{"", "", "", "20.11.2001"}, 8, Sorts{1, 2},
            "6 1 2 5 7");
        row("then by date", "communication", L{"", "", "", "20.11.2001"}, 8, Sorts{1, 2, 3},
            "1 2 5 7 6");
        row("empty", "communication", L{"", "", "", ""}, 8, Sorts{}, noTable(C::NothingToDo));
        row("blanks", "communication", L{" ", "  ", " ", " "}, 8, Sorts{}, noTable(C::NothingToDo));
    }
    void searches() {
        QFETCH(QString, subject);
        QFETCH(QStringList, filters);
        QFETCH(int, count);
        QFETCH(Sorts, sorts);
        QTEST(search(subject, filters, count, sorts), "listed");
    }

    // The headings (row -1) and cells of the rows listed.
    void cells_data() {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("cells");
        row("member", "member", L{"", "", "", "", "-5"}, 0,
            "5|\xC3\x89mile|?||||||||1|0|-5|16.11.2001 12:00:00|2");
        row("leading blanks", "member", L{"ann", "smith", "", "", ""}, 0,
            "3|  ANN|Smith||||||ANN@X.ORG||3|2|0|16.11.2001 12:00:00|2");
        row("sale headings", "sale", L{"", "10"}, -1, "N of Record|Date|Member's ID|Sum ");
        row("sale", "sale", L{"", "10"}, 0, "4|01.12.2001|10|0");
        row("large sum", "sale", L{"", "10"}, 1, "9|10.01.2002|10|1E+08");
        row("payment headings", "payment", L{"", "7"}, -1,
            "N of Record|Date|Member's ID|Sum of a payment");
        row("payment with a time", "payment", L{"", "7"}, 1, "6|16.11.2001 12:00:00|7|5");
        row("payment", "payment", L{"", "7"}, 3, "1|10.01.2002|7|10,5");
        row("communication headings", "communication", L{"-3", "", "", ""}, -1,
            "N of record|Member's ID|Subject|Date|Date of responce");
        row("communication", "communication", L{"-3", "", "", ""}, 0,
            "5|-3|Offer|16.11.2001 12:00:00|20.11.2001");
        row("accented subject", "communication", L{"0", "", "", ""}, 0,
            "7|0|\xC3\x89lan|20.11.2001|20.11.2001");
    }
    void cells() {
        QFETCH(QString, subject);
        QFETCH(QStringList, filters);
        QFETCH(int, row);
        QTEST(search(subject, filters, 9, {}, row), "cells");
    }

    void memberHeadingsAndReadFailures() {
        const QStringList headings =
            search("member", L{"", "", "", "", "-5"}, 6, {}, -1).split('|');
        QCOMPARE(headings.size(), 15);
        QCOMPARE(headings[0] + headings[11] + headings[14],
                 QString("Zelt member's IDReference's IDPayment Scheme"));
        const test::ScopedFaultHook fault(test::failEvery(fs::Op::Read, EIO));
        QCOMPARE(search("member", L{"ann", "", "", "", ""}, 6, {}),
                 noTable(MemberSearchOutcome::Kind::FileError));
        QCOMPARE(search("sale", L{"", "7"}, 9, {}), noTable(SaleSearchOutcome::Kind::FileError));
        QCOMPARE(search("communication", L{"12", "", "", ""}, 8, {}),
                 noTable(CommunicationSearchOutcome::Kind::FileError));
        QCOMPARE(search("referrer", L{"2"}, 6, {}), QString("failed"));
        RecordFile file = data("sales.kvr", SaleRecord::kLength);
        const auto found = searchSales(file, 9, "", "7", SaleGridKind::Sales, {});
        QCOMPARE(found.error.code, EIO);
        QCOMPARE(found.error.path, file.path());
    }

    // Sorting a column of a kind: stable, unshown values (empty cells) last.
    void sorting_data() {
        QTest::addColumn<ResultTable::ColumnKind>("kind");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<Sorts>("sorts");
        QTest::addColumn<QString>("order");
        using K = ResultTable::ColumnKind;
        row("whole numbers", K::Integer, L{"10", "2", "-5", "2", "2147483647"}, Sorts{1},
            "3 2 4 1 5");
        row("singles", K::Single, L{"nan", "10.5", "inf", "-0.01", "2", "-inf"}, Sorts{1},
            "4 5 2 1 3 6");
        row("dates", K::Date,
            L{"37266", "37211", "1e9", "37211.5", "-1.75", "-1.25", "nan", "-657435"}, Sorts{1},
            "6 5 2 4 1 3 7 8");
        row("texts", K::Text, L{"banana", "10", "Apple", "10,5", "2", "apple", "", "1a"}, Sorts{1},
            "5 2 4 7 8 3 6 1");
        row("stable on the shown order", K::Integer, L{"2|b", "1|a", "2|a", "1|b"}, Sorts{2, 1},
            "2 4 3 1");
        row("columns out of range", K::Integer, L{"2", "1"}, Sorts{3, -1}, "1 2");
    }
    void sorting() {
        QFETCH(ResultTable::ColumnKind, kind);
        QFETCH(QStringList, cells);
        QFETCH(Sorts, sorts);
        SampleTable table(LocaleRules::dayMonthYearComma(), kind, cells);
        for (int column : sorts)
            table.sortByColumn(column);
        QTEST(joined(test::recordsOf(table)), "order");
        QCOMPARE(table.sortColumn(), sorts.first() < 3 ? sorts.last() : -1);
        if (kind == ResultTable::ColumnKind::Date)
            QCOMPARE(table.cell(5, 1), std::string());
    }

    void sortingAgreesWithComparison_data() {
        QTest::addColumn<QStringList>("cells");
        QStringList many;
        for (int i = 0; i < 20000; ++i)
            many << QString::number((i * 7919) % 10007 - 5003 + (i % 3 == 0 ? 1 << 30 : 0));
        row("many distinct numbers", many);
        // Long texts with equal beginnings: compared past their first eight bytes.
        row("texts", L{"Zelt member's ID",
                       "zelt member",
                       "Zelt members",
                       "ZELT MEMBER'S ID",
                       "1.000",
                       "999",
                       "-2,5",
                       "\xC3\x84rger",
                       "\xC3\xA4rger",
                       "\xC3\x84pfel und",
                       "\xC3\xA4pfel und!",
                       "z",
                       "Z",
                       "1e3",
                       "M\xC3\xBCller-L\xC3\xBC",
                       "m\xC3\xBCller-l\xC3\xBC",
                       "",
                       " ",
                       "007",
                       "7"});
    }
    void sortingAgreesWithComparison() {
        QFETCH(QStringList, cells);
        const LocaleRules rules = LocaleRules::dayMonthYearComma();
        SampleTable table(rules, ResultTable::ColumnKind::Text, cells);
        table.sortByColumn(1);
        for (int row = 1; row < table.rowCount(); ++row) {
            const int order = compareCells(table.cell(row - 1, 1), table.cell(row, 1), rules);
            QVERIFY(order < 0 ||
                    (order == 0 && table.recordNumber(row - 1) < table.recordNumber(row)));
        }
    }

    void compare_data() {
        QTest::addColumn<LocaleRules>("rules");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");
        const LocaleRules comma = LocaleRules::dayMonthYearComma(), point = LocaleRules::c();
        row("2 before 10", point, "2", "10", -1);
        row("negative first", point, "-3", "2", -1);
        row("equal values, other texts", point, "7", " 7 ", 0);
        row("zero and minus zero", point, "0", "-0", 0);
        row("decimal comma", comma, "10,5", "10", 1);
        row("decimal comma below 11", comma, "10,5", "11", -1);
        row("decimal point is text", comma, "10.5", "99", 1);
        row("decimal point", point, "10.5", "11", -1);
        row("groups", comma, "1.234", "999", 1);
        row("numbers before texts", point, "99", "1a", -1);
        row("texts ignore case", point, "apple", "Banana", -1);
        row("texts ignore case, other way", point, "Zebra", "apple", 1);
        row("case tie broken by exact text", point, "ABC", "abc", -1);
        row("same text", point, "abc", "abc", 0);
        row("accents ignore case", point, "\xC3\xA4rger", "\xC3\x84rgern", -1);
        row("empty text first among texts", point, "", "a", -1);
        row("empty text after numbers", point, "", "5", 1);
        row("prefix first", point, "Ann", "anna", -1);
    }
    void compare() {
        QFETCH(LocaleRules, rules);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        QCOMPARE(sign(compareCells(a.toStdString(), b.toStdString(), rules)), order);
        QCOMPARE(sign(compareCells(b.toStdString(), a.toStdString(), rules)), -order);
        QCOMPARE(foldedCase("\xC3\x80\xC3\x89\xC3\x9E \xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8 \xC3\x97 "
                            "Stra\xC3\x9F"
                            "e"),
                 std::string("\xC3\xA0\xC3\xA9\xC3\xBE \xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF \xC3\x97 "
                             "stra\xC3\x9F"
                             "e"));
    }

    // The comparison orders any cells (a strict weak ordering), and the ranks follow it.
    void compareIsAnOrdering_data() {
        QTest::addColumn<LocaleRules>("rules");
        row("day.month.year, comma", LocaleRules::dayMonthYearComma());
        row("C", LocaleRules::c());
    }
    void compareIsAnOrdering() {
        QFETCH(LocaleRules, rules);
        const std::vector<std::string> cells = {"10",
                                                "2",
                                                "-3",
                                                "0",
                                                "-0",
                                                " 7 ",
                                                "10,5",
                                                "10.5",
                                                "1.234",
                                                "1,5E3",
                                                "1e2",
                                                "1a",
                                                "9",
                                                "abc",
                                                "ABC",
                                                "Abc",
                                                "apple",
                                                "Banana",
                                                "banana",
                                                "zebra",
                                                "\xC3\x84rger",
                                                "\xC3\xA4rger",
                                                "\xC5\x92uvre",
                                                "\xC5\x93uvre",
                                                "",
                                                "  ",
                                                "N of Record",
                                                "1.000.000",
                                                "12x",
                                                "-",
                                                "2001-11-16",
                                                "16.11.2001"};
        const std::size_t n = cells.size();
        const std::vector<std::uint32_t> ranks =
            genericRanks(std::vector<std::string_view>(cells.begin(), cells.end()), rules);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j) {
                const int ij = sign(compareCells(cells[i], cells[j], rules));
                QCOMPARE(sign(int(ranks[i]) - int(ranks[j])), ij);
                for (std::size_t k = 0; k < n; ++k) {
                    const int jk = sign(compareCells(cells[j], cells[k], rules));
                    if (ij <= 0 && jk <= 0) // a <= b <= c: a <= c, strictly when a step is
                        QCOMPARE(sign(compareCells(cells[i], cells[k], rules)),
                                 ij < 0 || jk < 0 ? -1 : 0);
                }
            }
        QCOMPARE(*std::min_element(ranks.begin(), ranks.end()), 0u);
    }

    // refs: the stored referrers of members 1, 2, ...; upline: "!" marks a member met again,
    // "?" a referrer that is no stored member; members per level below root: 1..8, deeper.
    void referralTree_data() {
        QTest::addColumn<QList<int>>("refs");
        QTest::addColumn<int>("root");
        QTest::addColumn<QString>("shape"); // children / downlines / upline / members per level
        row("chain", QList<int>{0, 1, 2, 3}, 2, "3/3 2 1 0/1/1 1 0 0 0 0 0 0 0");
        row("wide level", QList<int>{0, 1, 1, 2, 1}, 1, "2 3 5/4 1 0 0 0//3 1 0 0 0 0 0 0 0");
        row("cycle of two", QList<int>{2, 1, 1}, 1, "2 3/2 2 0/2 1!/2 0 0 0 0 0 0 0 0");
        row("cycle of three", QList<int>{3, 1, 2, 2, 4}, 2,
            "3 4/4 4 4 1 0/1 3 2!/2 2 0 0 0 0 0 0 0");
        row("refers to itself", QList<int>{0, 2, 1, 2}, 2, "2 4/1 1 0 0/2!/1 0 0 0 0 0 0 0 0");
        row("referrer past the end", QList<int>{0, 9, 2}, 2, "3/0 1 0/9?/1 0 0 0 0 0 0 0 0");
        row("negative referrer", QList<int>{0, 1, -4}, 3, "/1 0 0/-4?/0 0 0 0 0 0 0 0 0");
        row("levels beyond 8", QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10}, 1,
            "2/11 10 9 8 7 6 5 4 3 2 0 0//1 1 1 1 1 1 1 1 3");
    }
    void referralTree() {
        QFETCH(QList<int>, refs);
        QFETCH(int, root);
        std::vector<RecordBytes> members;
        for (int i = 0; i < refs.size(); ++i)
            members.push_back(member(i + 1, "M", "", "", refs[i], 0, 0).encode());
        folder_->writeRecords("affiliates.kvr", MemberRecord::kLength, members);
        const ReferralTree tree =
            *ReferralTree::read(folder_->file(Folder::Data, "affiliates.kvr"));
        QCOMPARE(tree.memberCount(), refs.size());
        std::vector<int> children, downlines, levels;
        for (std::int32_t c = tree.firstChild(root); c != 0; c = tree.nextSibling(c))
            children.push_back(c);
        for (int n = 1; n <= tree.memberCount(); ++n)
            downlines.push_back(tree.downlineSize(n));
        QStringList upline;
        using Step = ReferralTree::UplineStep::Kind;
        for (const auto& step : tree.upline(root))
            upline << QString::number(step.member) + (step.kind == Step::Again       ? "!"
                                                      : step.kind == Step::NotStored ? "?"
                                                                                     : "");
        for (const LevelRow& level : *levelTable(tree, root, "", "", {}))
            levels.push_back(int(level.members));
        QTEST(L({joined(children), joined(downlines), upline.join(' '), joined(levels)}).join('/'),
              "shape");
    }

    // Sales of member 2 (level 1 below member 1) around 16 and 17 November 2001; payments of
    // member 3 (level 2).
    void levelSums_data() {
        QTest::addColumn<double>("from"); // NaN: no limit
        QTest::addColumn<double>("to");
        QTest::addColumn<QString>("sums"); // sales, their sum, payments at level 2
        const double none = NAN;
        row("no limits", none, none, "4 1234,50 2");
        row("both ends of the days", kNov16, kNov16 + 1, "2 1200,00 1");
        row("times typed with the limits", kNov16 + 0.5, kNov16 + 1, "2 1200,00 1");
        row("from only", kNov16, none, "3 1230,00 2");
        row("to only", none, kNov16, "2 1004,50 1");
        row("one day", kNov16 + 1, kNov16 + 1, "1 200,00 0");
        row("nothing between", kNov16 + 1, kNov16, "0 0,00 0");
    }
    void levelSums() {
        QFETCH(double, from);
        QFETCH(double, to);
        folder_->writeRecords("affiliates.kvr", MemberRecord::kLength,
                              {kMembers[0], member(2, "", "", "", 1, 0, 0).encode(),
                               member(3, "", "", "", 2, 0, 0).encode()});
        folder_->writeRecords("sales.kvr", SaleRecord::kLength,
                              {SaleRecord{2, 4.5f, kNov16 - 1 + 0.9999}.encode(),
                               SaleRecord{2, 1000, kNov16}.encode(),
                               SaleRecord{2, 200, kNov16 + 1 + 0.99998}.encode(),
                               SaleRecord{2, 30, kNov16 + 2}.encode(),
                               SaleRecord{1, 7, kNov16}.encode(),
                               SaleRecord{9, 7, kNov16}.encode()});
        folder_->writeRecords(
            "payments.kvr", SaleRecord::kLength,
            {SaleRecord{3, 0.25f, kNov16}.encode(), SaleRecord{3, 0.5f, kNov16 + 5}.encode()});
        DateLimits limits;
        if (!std::isnan(from))
            limits.from = from;
        if (!std::isnan(to))
            limits.to = to;
        const auto table =
            levelTable(*ReferralTree::read(folder_->file(Folder::Data, "affiliates.kvr")), 1,
                       folder_->file(Folder::Data, "sales.kvr"),
                       folder_->file(Folder::Data, "payments.kvr"), limits);
        QCOMPARE((*table)[1].sales, 0);
        QTEST(QString("%1 %2 %3")
                  .arg((*table)[0].sales)
                  .arg(QString::fromStdString(
                      formatSum((*table)[0].salesSum, LocaleRules::dayMonthYearComma())))
                  .arg((*table)[1].payments),
              "sums");
    }

    void downlineFile() {
        // 1 <- 2 <- 4 <- 1 closes a cycle through the root; 3 is a second child of 1.
        folder_->writeRecords("affiliates.kvr", MemberRecord::kLength,
                              {member(1, "Ann", "Ames", "", 4, 0, 0).encode(),
                               member(2, "Bob", "Smith", "", 1, 0, 0).encode(),
                               member(3, "Cy", "", "", 1, 0, 0).encode(),
                               member(4, "Dan", "M\xC3\xBCller", "", 2, 0, 0).encode()});
        const ReferralTree tree =
            *ReferralTree::read(folder_->file(Folder::Data, "affiliates.kvr"));
        QVERIFY(saveDownline(tree, 1).ok());
        QCOMPARE(test::bytes(folder_->output("downline.txt")),
                 QByteArray("Level below;Zelt member's ID;Name;Surname;Reference's ID\r\n"
                            "1;2;Bob;Smith;1\r\n2;4;Dan;M\xFCller;2\r\n1;3;Cy;;1\r\n"));
    }
};

ZELT_TEST(TestSearch)
#include "test_search.moc"
