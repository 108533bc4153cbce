// The searches of the editors' grids (members, sales and payments, communications), the sorting
// of their result tables, the comparison of grid cells, and the referral tree with its levels.
#include "core_fixture.h"
#include "search/communication_search.h"
#include "search/distinct_texts.h"
#include "search/generic_compare.h"
#include "search/level_table.h"
#include "search/member_search.h"
#include "search/member_search_referrer.h"
#include "search/referral_tree.h"
#include "search/sale_search.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/sale_record.h"
#include "support/fault_hook.h"

#include <cmath>
#include <filesystem>
#include <limits>

using namespace zelt;

namespace {

const double kNov16 = 37211, kNov20 = 37215, kDec01 = 37226, kJan10 = 37266;

// Names stored as the editor stores them (Windows-1252: "Ŝ" becomes "?").
// Record 2 is damaged: it says it is member 9.
const std::vector<RecordBytes> kMembers = {
    test::memberBytes(1, "Ann", "Lee", 0, 10, kNov16 + 0.5, "ann@x.org"),
    test::memberBytes(9, "Anne", "Lee", 1, 2, kNov16 + 0.5, "anne@x.org", 12),
    test::memberBytes(3, "  ANN", "Smith", 2, 3, kNov16 + 0.5, "ANN@X.ORG"),
    test::memberBytes(4, "ann", "LEE", 2, 2, kNov16 + 0.5, "", 12),
    test::memberBytes(5, "\xC3\x89mile", "\xC5\x9C", 0, 1, kNov16 + 0.5, "", -5),
    test::memberBytes(6, "Anna", "Lee", 2, 3, kNov16 + 0.5, "ann@x.org")};

const std::vector<RecordBytes> kSales = {
    SaleRecord{7, 10.5f, kJan10}.encode(),  SaleRecord{3, 1.0f, kNov16}.encode(),
    SaleRecord{7, 2.0f, kNov16}.encode(),   SaleRecord{10, 0.0f, kDec01}.encode(),
    SaleRecord{7, 99.99f, kDec01}.encode(), SaleRecord{7, 5.0f, kNov16 + 0.5}.encode(),
    SaleRecord{2, 3.0f, kNov16}.encode(),   SaleRecord{70, 4.0f, kNov16}.encode(),
    SaleRecord{10, 1e8f, kJan10}.encode()};

// Payments of member 7 whose sums and dates cannot all be shown.
const float kInf = std::numeric_limits<float>::infinity(), kNan = NAN;
const std::vector<RecordBytes> kPayments = {
    SaleRecord{7, 10.5f, kJan10}.encode(),   SaleRecord{7, kNan, 1e9}.encode(),
    SaleRecord{7, 5, kNov16 + 0.5}.encode(), SaleRecord{7, kInf, kNov16}.encode(),
    SaleRecord{7, -0.01f, NAN}.encode(),     SaleRecord{7, 2, -1.75}.encode(),
    SaleRecord{7, -kInf, -1.25}.encode(),    SaleRecord{7, 1e8f, -657435}.encode(),
    SaleRecord{3, 1, kNov16}.encode()};

const std::vector<RecordBytes> kCommunications = {
    CommunicationRecord{12, "Invoice", kNov16, kNov20}.encode(),
    CommunicationRecord{120, "Invoice March", kNov16, kNov20}.encode(),
    CommunicationRecord{112, "Unpaid invoice", kNov16, kDec01}.encode(),
    CommunicationRecord{12, "INVOICE", kDec01, kDec01}.encode(),
    CommunicationRecord{-3, "Offer", kNov16 + 0.5, kNov20}.encode(),
    CommunicationRecord{12, "Hello", kDec01, kNov20}.encode(),
    CommunicationRecord{0, "\xC3\x89lan", kNov20, kNov20}.encode(),
    CommunicationRecord{2, "10", kNov20, kNov16}.encode()};

// The outcome of a search that lists nothing.
template <typename Outcome> QString noTable(const Outcome& found) {
    using Kind = typename Outcome::Kind;
    const std::string file = std::filesystem::path(found.error.path).filename().string();
    return found.kind == Kind::NothingToDo ? "nothing to do"
           : found.kind == Kind::FileError
               ? QString("file error %1 %2").arg(found.error.code).arg(file.c_str())
               : "incorrect";
}

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

class SearchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ProgramFolder> folder_;

    ReferralTree storedTree() const {
        return *ReferralTree::read(folder_->file(Folder::Data, "affiliates.kvr"));
    }
    RecordFile data(const char* name, int length) {
        return std::move(*RecordFile::open(folder_->file(Folder::Data, name), length));
    }
    // The search of a row ("subject count [sort columns] [@row shown]", the listed outcome, the
    // filters), its table sorted by the columns in turn: the record numbers listed, or the cells
    // of the row shown (@-1: the headings).
    QString search(const QByteArrayList& f) {
        QByteArrayList how = f[0].split(' ');
        const int shownRow = how.last().startsWith('@') ? how.takeLast().mid(1).toInt() : -2;
        const int count = how[1].toInt();
        const LocaleRules rules = LocaleRules::dayMonthYearComma();
        std::vector<std::string> t;
        for (const QByteArray& filter : f.mid(2))
            t.push_back(filter.toStdString());
        std::unique_ptr<ResultTable> table;
        if (how[0] == "member") {
            RecordFile file = data("affiliates.kvr", MemberRecord::kLength);
            auto found = searchMembers(file, count, {t[0], t[1], t[2], t[3], t[4]}, rules);
            if (!(table = std::move(found.table)))
                return noTable(found);
        } else if (how[0] == "referrer") {
            RecordFile file = data("affiliates.kvr", MemberRecord::kLength);
            const Result<bool> found = memberIdStored(file, count, std::stoi(t[0]));
            return found ? (*found ? "stored" : "not stored") : "file error";
        } else if (how[0] == "communication") {
            RecordFile file = data("communications.kvr", CommunicationRecord::kLength);
            auto found = searchCommunications(file, count, {t[0], t[1], t[2], t[3]}, rules);
            if (!(table = std::move(found.table)))
                return noTable(found);
        } else {
            RecordFile file = data(how[0] == "sale" ? "sales.kvr" : "payments.kvr", 16);
            const auto grid = how[0] == "sale" ? SaleGridKind::Sales : SaleGridKind::Payments;
            auto found = searchSales(file, count, t[0], t[1], grid, rules);
            if (found.kind == SaleSearchOutcome::Kind::IncorrectDate)
                return "incorrect date";
            if (!(table = std::move(found.table)) || table->sortColumn() != SaleResultTable::Date)
                return noTable(found);
        }
        for (const QByteArray& column : how.mid(2))
            table->sortByColumn(column.toInt());
        QStringList out; // the record numbers, or the cells of the row shown
        for (int i = 0; i < (shownRow < -1 ? table->rowCount() : table->columnCount()); ++i)
            out << (shownRow < -1  ? QString::number(table->recordNumber(i))
                    : shownRow < 0 ? QString::fromStdString(table->heading(i))
                                   : QString::fromStdString(table->cell(shownRow, i)));
        if (shownRow == -1 && !(table->heading(-1) + table->heading(table->columnCount())).empty())
            return "a heading outside the columns";
        return out.join(shownRow < -1 ? ' ' : ';');
    }

private slots:
    // The numbering of a column's distinct texts holds through the growing of its table.
    void distinctTexts() {
        DistinctTexts texts(0);
        for (int round = 0; round < 2; ++round)
            for (std::uint32_t i = 0; i < 1000; ++i)
                QCOMPARE(texts.idOf("t" + std::to_string(i)), i);
        QCOMPARE(texts.texts().size(), std::size_t{1000});
        QCOMPARE(texts.texts()[999], std::string_view("t999"));
    }

    // A listed record cut off the file before the grid first shows it has empty cells.
    void recordCutOffAfterListing() {
        RecordFile file = data("affiliates.kvr", MemberRecord::kLength);
        const auto found = searchMembers(file, 6, {" ANN ", "", "", "", ""}, LocaleRules::c());
        folder_->writeRecords("affiliates.kvr", {kMembers.begin(), kMembers.begin() + 3});
        QStringList levels;
        for (int row = 0; row < found.table->rowCount(); ++row)
            levels << QString::fromStdString(found.table->cell(row, MemberResultTable::Level));
        QCOMPARE(levels, QStringList({"10", "3", ""}));
    }

    void init() {
        folder_ = std::make_unique<test::ProgramFolder>();
        folder_->writeRecords("affiliates.kvr", kMembers);
        folder_->writeRecords("sales.kvr", kSales);
        folder_->writeRecords("payments.kvr", kPayments);
        folder_->writeRecords("communications.kvr", kCommunications);
    }
    void cleanup() { folder_.reset(); }

    // Filters: members (name, surname, e-mail, referrer, Egold), sales and payments (date,
    // member), communications (member, subject, date, date of responce). The cells of a row
    // listed, or the headings (@-1). Sales come in calendar
    // order of their dates, the others in record order. Columns to sort by: members 10 (level)
    // and 1 (name), sales 2 (member) 3 (sum) 1 (date), communications 1 (member) 2 (subject)
    // 3 (date).
    void searches_data() {
        test::textRows(R"(
name, blanks and case | member 6 | 1 3 4 | \sANN\s | | | |
e-mail | member 6 | 1 3 6 | | | Ann@x.org | |
referred by 2 | member 6 | 3 4 6 | | | | 2 |
created record unlisted | member 7 | 1 5 | | | | 0 |
egold and referrer | member 6 | 4 | | | | 2 | 12
accented capital | member 6 | 5 | \u00E9MILE | | | |
a character never stored | member 6 | | | \u015D | | |
the ? it became | member 6 | 5 | | ? | | |
members by level | member 6 10 | 2 4 6 1 | | lee | | |
then by name | member 6 10 1 | 1 4 6 2 | | lee | | |
then by the ID column (record numbers) | member 6 10 0 | 1 2 4 6 | | lee | | |
members, nothing to do | member 6 | nothing to do | \s\s | | | |
egold 12x | member 6 | incorrect | | | | | 12x
referrer past 32 bits | member 6 | incorrect | | | | 3000000000 | 1
referrer past the records | referrer 5 | not stored | 6
referrer in another record | referrer 6 | stored | 9
record 2 holds another | referrer 6 | not stored | 2
member by the locale | sale 9 | 3 6 5 1 | | 7,0
payments by date, unshown last | payment 9 | 7 6 4 3 1 2 5 8 | | 7
then by sum, unshown last, columns out of range ignored | payment 9 3 4 -1 | 5 6 3 1 8 7 4 2 | | 7
stored time | sale 9 | 6 | 16.11.2001 12:00 |
date and member | sale 9 | 3 | 16.11.2001 | 7
blanks list all | sale 9 | 2 3 7 8 6 4 5 1 9 | \s\s\s | \s\t\s
past the file | sale 10 | 4 9 | | 10
count 0 | sale 0 | | | 10
sales by member, a date sort again stable | sale 9 2 1 | 7 2 3 8 | 16.11.2001 |
sales, nothing to do | sale 9 | nothing to do | |
member 7a | sale 9 | incorrect | | 7a
date checked first | payment 9 | incorrect date | 32.13.2001 | 7a
12, not 120 or 112 | communication 8 | 1 4 6 | \s 12\s | | |
012 is another text | communication 8 | | 012 | | |
subject, any case | communication 8 | 1 4 | | \s InVoIcE\s | |
no prefix match | communication 8 | | | inv | |
time | communication 8 | 5 | | | 16.11.2001 12:00:00 |
all four | communication 8 | 4 | 12 | invoice | 01.12.2001 | 01.12.2001
created unlisted | communication 9 | 1 2 5 6 7 | | | | 20.11.2001
by member | communication 8 1 | 5 7 1 6 2 | | | | 20.11.2001
then by date | communication 8 1 2 3 | 1 2 5 7 6 | | | | 20.11.2001
blanks | communication 8 | nothing to do | \s | \s\s | \s | \s
member headings | member 6 @-1 | Zelt member's ID;Name;Surname;Street;City;Post_Cod;Country;Phone;E_mail;URL;Level;Reference's ID;Egold's ID;Date;Payment Scheme | | | | | -5
leading blanks | member 6 @0 | 3;\s\sANN;Smith;;;;;;ANN@X.ORG;;3;2;0;16.11.2001 12:00:00;1 | ann | smith | | |
sale headings | sale 9 @-1 | N of Record;Date;Member's ID;Sum\s | | 10
payment headings | payment 9 @-1 | N of Record;Date;Member's ID;Sum of a payment | | 7
communication headings | communication 8 @-1 | N of record;Member's ID;Subject;Date;Date of responce | -3 | | |
)");
    }
    void searches() {
        const QByteArrayList f = test::fields();
        QCOMPARE(search(f), QString(f[1]));
    }

    // The file error of a search whose data file fails to read (every read, or the second one,
    // after records of the first block matched); a search that finds nothing opens nothing more
    // (the opening after the data file's fails). Columns: the failure, copies of the data
    // written, the search, its outcome and its filters.
    void fileFailures_data() {
        test::textRows(R"(
members finding nothing | open 2 | 1 | member 6 | | nobody | | | |
sales | read 0 | 1 | sale 9 | file error 5 sales.kvr | | 7
referrer | read 0 | 1 | referrer 6 | file error | 2
members past the first block | read 2 | 830 | member 4980 | file error 5 affiliates.kvr | ann | | | |
communications past the first block | read 2 | 2622 | communication 20976 | file error 5 communications.kvr | 12 | | |
)");
    }
    void fileFailures() {
        QByteArrayList f = test::fields();
        const QByteArrayList failing = f.takeFirst().split(' ');
        const int copies = f.takeFirst().toInt(), nth = failing[1].toInt();
        std::vector<RecordBytes> members, communications;
        for (int copy = 0; copy < copies; ++copy) {
            members.insert(members.end(), kMembers.begin(), kMembers.end());
            communications.insert(communications.end(), kCommunications.begin(),
                                  kCommunications.end());
        }
        folder_->writeRecords("affiliates.kvr", members);
        folder_->writeRecords("communications.kvr", communications);
        int reads = 0;
        const fs::Op op = failing[0] == "read" ? fs::Op::Read : fs::Op::Open;
        const test::ScopedFaultHook fault([&](fs::Op asked, const std::string&) {
            return asked == op && (nth == 0 || ++reads == nth) ? EIO : 0;
        });
        QCOMPARE(search(f), QString(f[1]));
    }

    // Sorted grids agree with the comparison of their cells: long texts with equal beginnings
    // (compared past their first eight bytes), and many distinct numbers.
    void sortingAgreesWithComparison_data() {
        QTest::addColumn<QByteArrayList>("cells");
        QByteArrayList many; // some twice: the rank of a number kept as the table grows
        for (int i = 0; i < 20000; ++i)
            many << QByteArray::number((i * 7919) % 10007 - 5003 + (i % 3 == 0 ? 1 << 30 : 0));
        QTest::newRow("many distinct numbers") << many;
        QByteArrayList ties; // each of 1499 numbers about twice: its number kept as the table grows
        for (int i = 0; i < 3000; ++i)
            ties << QByteArray::number((i * 7919) % 1499 * 3 - 2000);
        QTest::newRow("numbers with ties") << ties;
        QTest::newRow("texts")
            << test::unescaped("Zelt member's ID|zelt member|Zelt members|ZELT MEMBER'S ID|"
                               "1.000|999|-2,5|\\u00C4rger|\\u00E4rger|\\u00C4pfel und|"
                               "\\u00E4pfel und!|z|Z|1e3|M\\u00FCller-L\\u00FC|m\\u00FCller-"
                               "l\\u00FC|| |007|7|banana|10|Apple|10,5|2|apple|1a|-3|0|-0| 7 |"
                               "10.5|1.234|1,5E3|1e2|9|abc|ABC|Abc|Banana|zebra|\\u0152uvre|"
                               "\\u0153uvre|  |N of Record|1.000.000|12x|-|2001-11-16|16.11.2001")
                   .split('|');
    }
    void sortingAgreesWithComparison() {
        QFETCH(QByteArrayList, cells);
        const bool numbers = cells.size() > 100;
        std::vector<RecordBytes> records;
        for (const QByteArray& cell : cells)
            records.push_back(CommunicationRecord{numbers ? cell.toInt() : 1,
                                                  numbers ? "s" : cell.toStdString(), kNov16, 0}
                                  .encode());
        folder_->writeRecords("communications.kvr", records);
        RecordFile file = data("communications.kvr", CommunicationRecord::kLength);
        const LocaleRules rules = LocaleRules::dayMonthYearComma();
        const auto table =
            searchCommunications(file, 20000, {"", "", "16.11.2001", ""}, rules).table;
        const int column = numbers ? 1 : 2; // member, subject
        table->sortByColumn(column);
        QCOMPARE(table->rowCount(), cells.size());
        for (int row = 1; row < table->rowCount(); ++row) {
            const int order =
                compareCells(table->cell(row - 1, column), table->cell(row, column), rules);
            QVERIFY(order < 0 ||
                    (order == 0 && table->recordNumber(row - 1) < table->recordNumber(row)));
        }
    }

    // Two cells compared in a locale ("," or "." decimals): before (-1), equal (0) or after (1).
    void compare_data() {
        test::textRows(R"(
2 before 10 | . | 2 | 10 | -1
equal values, other texts | . | 7 | \s7\s | 0
decimal comma | , | 10,5 | 10 | 1
decimal point is text | , | 10.5 | 99 | 1
numbers before texts | . | 99 | 1a | -1
texts ignore case | . | apple | Banana | -1
case tie broken by exact text | . | ABC | abc | -1
empty text first among texts | . | | a | -1
)");
    }
    void compare() {
        const QByteArrayList f = test::fields();
        const LocaleRules rules = f[0] == "," ? LocaleRules::dayMonthYearComma() : LocaleRules::c();
        const std::string a = f[1].toStdString(), b = f[2].toStdString();
        QCOMPARE(sign(compareCells(a, b, rules)), f[3].toInt());
        QCOMPARE(sign(compareCells(b, a, rules)), -f[3].toInt());
        QCOMPARE(
            foldedCase(
                "\xC3\x80\xC3\x89\xC3\x9E \xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8 \xC3\x97 Stra\xC3\x9F"),
            std::string(
                "\xC3\xA0\xC3\xA9\xC3\xBE \xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF \xC3\x97 stra\xC3\x9F"));
    }

    // The stored referrers of members 1, 2, ... and a root: its children, the downline sizes of
    // all members, its upline ("!" a member met again, "?" a referrer that is no stored member)
    // and the members per level below it (1..8, deeper).
    void referralTree_data() {
        test::textRows(R"(
chain | 0 1 2 3 | 2 | 3 | 3 2 1 0 | 1 | 1 1 0 0 0 0 0 0 0
cycle of three | 3 1 2 2 4 | 2 | 3 4 | 4 4 4 1 0 | 1 3 2! | 2 2 0 0 0 0 0 0 0
referrer past the end | 0 9 2 | 2 | 3 | 0 1 0 | 9? | 1 0 0 0 0 0 0 0 0
negative referrer | 0 1 -4 | 3 | | 1 0 0 | -4? | 0 0 0 0 0 0 0 0 0
levels beyond 8 | 0 1 2 3 4 5 6 7 8 9 10 10 | 1 | 2 | 11 10 9 8 7 6 5 4 3 2 0 0 | | 1 1 1 1 1 1 1 1 3
)");
    }
    void referralTree() {
        const QByteArrayList f = test::fields();
        const int root = f[1].toInt();
        std::vector<RecordBytes> members;
        for (const QByteArray& ref : f[0].split(' '))
            members.push_back(test::memberBytes(int(members.size()) + 1, "M", "", ref.toInt()));
        folder_->writeRecords("affiliates.kvr", members);
        const ReferralTree tree = storedTree();
        QCOMPARE(std::size_t(tree.memberCount()), members.size());
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
        const auto table = levelTable(tree, root, "", "", {});
        for (const LevelRow& level : *table)
            levels.push_back(int(level.members));
        QCOMPARE(
            QStringList({joined(children), joined(downlines), upline.join(' '), joined(levels)}),
            QStringList({f[2], f[3], f[4], f[5]}));
    }

    // Sales of member 2 (level 1 below member 1) around 16 and 17 November 2001, payments of
    // member 3 (level 2), between the limits (nan: none): the sales, their sum, the payments.
    void levelSums_data() {
        test::textRows(R"(
no limits | nan | nan | 4 1234,50 2
both ends of the days | 37211 | 37212 | 2 1200,00 1
nothing between | 37212 | 37211 | 0 0,00 0
)");
    }
    void levelSums() {
        const QByteArrayList f = test::fields();
        folder_->writeRecords("affiliates.kvr", {kMembers[0], test::memberBytes(2, "", "", 1),
                                                 test::memberBytes(3, "", "", 2)});
        folder_->writeRecords("sales.kvr", {SaleRecord{2, 4.5f, kNov16 - 1 + 0.9999}.encode(),
                                            SaleRecord{2, 1000, kNov16}.encode(),
                                            SaleRecord{2, 200, kNov16 + 1 + 0.99998}.encode(),
                                            SaleRecord{2, 30, kNov16 + 2}.encode(),
                                            SaleRecord{1, 7, kNov16}.encode(),
                                            SaleRecord{9, 7, kNov16}.encode()});
        folder_->writeRecords("payments.kvr", {SaleRecord{3, 0.25f, kNov16}.encode(),
                                               SaleRecord{3, 0.5f, kNov16 + 5}.encode()});
        DateLimits limits;
        if (f[0] != "nan")
            limits.from = f[0].toDouble();
        if (f[1] != "nan")
            limits.to = f[1].toDouble();
        const auto table = levelTable(storedTree(), 1, folder_->file(Folder::Data, "sales.kvr"),
                                      folder_->file(Folder::Data, "payments.kvr"), limits);
        QCOMPARE(QString("%1 %2 %3")
                     .arg((*table)[0].sales)
                     .arg(formatSum((*table)[0].salesSum, LocaleRules::dayMonthYearComma()).c_str())
                     .arg((*table)[1].payments),
                 QString(f[2]));
    }

    void downlineFile() {
        // 1 <- 2 <- 4 <- 1 closes a cycle through the root; 3 is a second child of 1.
        folder_->writeRecords("affiliates.kvr", {test::memberBytes(1, "Ann", "Ames", 4),
                                                 test::memberBytes(2, "Bob", "Smith", 1),
                                                 test::memberBytes(3, "Cy", "", 1),
                                                 test::memberBytes(4, "Dan", "M\xC3\xBCller", 2)});
        const ReferralTree tree = storedTree();
        const QByteArray header("Level below;Zelt member's ID;Name;Surname;Reference's ID\r\n");
        QVERIFY(saveDownline(testApp().dir, tree, 1).ok());
        QCOMPARE(test::bytes(folder_->output("downline.txt")),
                 header + "1;2;Bob;Smith;1\r\n2;4;Dan;M\xFCller;2\r\n1;3;Cy;;1\r\n");
        // Members gone from the file since the tree was read are listed without their texts.
        folder_->writeRecords("affiliates.kvr", {test::memberBytes(1, "Ann", "Ames", 4),
                                                 test::memberBytes(2, "Bob", "Smith", 1)});
        QVERIFY(saveDownline(testApp().dir, tree, 1).ok());
        QCOMPARE(test::bytes(folder_->output("downline.txt")),
                 header + "1;2;Bob;Smith;1\r\n2;4;;;0\r\n1;3;;;0\r\n");
    }
};

ZELT_TEST(SearchTest)
#include "test_search.moc"
