// The member search: its filters, the cells and sorting of its grid, and the referrer search of
// a member's save.
#include "search/member_search.h"
#include "search/member_search_referrer.h"
#include "storage/member_record.h"
#include "support/fault_hook.h"
#include "support/temp_app_dir.h"
#include "support/test_registry.h"

#include <QtTest>

#include <cerrno>
#include <vector>

using namespace zelt;

namespace {

using Records = std::vector<int>;
using Kind = MemberSearchOutcome::Kind;

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
    m.Date = 37211.5; // 16.11.2001 12:00
    return m;
}

// Names and e-mails stored as the editor stores them (UTF-8 here, Windows-1252 in the file).
const std::vector<MemberRecord> kMembers = {
    member(1, "Ann", "Lee", "ann@x.org", 0, 0, 10),    // 1
    member(2, "Anne", "Lee", "anne@x.org", 1, 12, 2),  // 2
    member(3, "  ANN", "Smith", "ANN@X.ORG", 2, 0, 3), // 3: leading blanks stored
    member(4, "ann", "LEE", "", 2, 12, 2),             // 4
    member(5, "Émile", "Ŝ", "", 0, -5, 1),             // 5: Ŝ is stored as ?
    member(6, "Anna", "Lee", "ann@x.org", 2, 0, 3),    // 6
};

Records recordsOf(const ResultTable& table) {
    Records out;
    for (int row = 0; row < table.rowCount(); ++row)
        out.push_back(table.recordNumber(row));
    return out;
}

} // namespace

Q_DECLARE_METATYPE(zelt::MemberSearchOutcome::Kind)

class TestMemberSearch : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempAppDir> dir_;
    RecordFile file_;

    void writeMembers(const std::vector<MemberRecord>& members) {
        std::int32_t n = 0;
        for (const MemberRecord& m : members)
            QVERIFY(file_.write(++n, m.encode()).ok());
    }
    MemberSearchOutcome search(const MemberFilters& filters, std::int32_t count = 6) {
        return searchMembers(file_, count, filters, LocaleRules::dayMonthYearComma());
    }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempAppDir>();
        auto opened = RecordFile::open(dir_->file("affiliates.kvr"), MemberRecord::kLength);
        QVERIFY(opened.ok());
        file_ = std::move(*opened);
        writeMembers(kMembers);
    }
    void cleanup() {
        file_.close();
        dir_.reset();
    }

    void filters_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("egold");
        QTest::addColumn<Records>("listed");
        QTest::newRow("name, blanks and case") << " ANN "
                                               << ""
                                               << ""
                                               << ""
                                               << "" << Records{1, 3, 4};
        QTest::newRow("name and surname") << "ann"
                                          << "lee"
                                          << ""
                                          << ""
                                          << "" << Records{1, 4};
        QTest::newRow("e-mail") << ""
                                << ""
                                << "Ann@x.org"
                                << ""
                                << "" << Records{1, 3, 6};
        QTest::newRow("referred by 2") << ""
                                       << ""
                                       << ""
                                       << "2"
                                       << "" << Records{3, 4, 6};
        QTest::newRow("no referrer") << ""
                                     << ""
                                     << ""
                                     << " 0 "
                                     << "" << Records{1, 5};
        QTest::newRow("egold 0") << ""
                                 << ""
                                 << ""
                                 << ""
                                 << "0" << Records{1, 3, 6};
        QTest::newRow("egold negative") << ""
                                        << ""
                                        << ""
                                        << ""
                                        << "-5" << Records{5};
        QTest::newRow("egold and reference") << ""
                                             << ""
                                             << ""
                                             << "2"
                                             << "12" << Records{4};
        QTest::newRow("accented capital") << "ÉMILE"
                                          << ""
                                          << ""
                                          << ""
                                          << "" << Records{5};
        QTest::newRow("a character never stored") << ""
                                                  << "ŝ"
                                                  << ""
                                                  << ""
                                                  << "" << Records{};
        QTest::newRow("the ? it became") << ""
                                         << "?"
                                         << ""
                                         << ""
                                         << "" << Records{5};
        QTest::newRow("no match") << "Bob"
                                  << ""
                                  << ""
                                  << ""
                                  << "" << Records{};
    }
    void filters() {
        QFETCH(QString, name);
        QFETCH(QString, surname);
        QFETCH(QString, email);
        QFETCH(QString, reference);
        QFETCH(QString, egold);
        const std::string texts[] = {name.toStdString(), surname.toStdString(), email.toStdString(),
                                     reference.toStdString(), egold.toStdString()};
        const MemberSearchOutcome found =
            search(MemberFilters{texts[0], texts[1], texts[2], texts[3], texts[4]});
        QCOMPARE(found.kind, Kind::Listed);
        QTEST(recordsOf(*found.table), "listed");
    }

    void nothingToDoOrNoNumber_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("egold");
        QTest::addColumn<Kind>("kind");
        QTest::newRow("all empty") << "  "
                                   << "" << Kind::NothingToDo;
        QTest::newRow("egold 12x") << ""
                                   << "12x" << Kind::IncorrectNumber;
        QTest::newRow("reference letters") << "two"
                                           << "" << Kind::IncorrectNumber;
        QTest::newRow("reference beyond 32 bits") << "3000000000"
                                                  << "1" << Kind::IncorrectNumber;
    }
    void nothingToDoOrNoNumber() {
        QFETCH(QString, reference);
        QFETCH(QString, egold);
        const std::string r = reference.toStdString();
        const std::string e = egold.toStdString();
        const MemberSearchOutcome found = search(MemberFilters{"", "", "", r, e});
        QTEST(found.kind, "kind");
        QVERIFY(!found.table);
    }

    void cellsOfARow() {
        const MemberSearchOutcome found = search(MemberFilters{"", "", "", "", "-5"});
        const MemberResultTable& table = *found.table;
        QCOMPARE(table.columnCount(), 15);
        QCOMPARE(table.heading(0), std::string("Zelt member's ID"));
        QCOMPARE(table.heading(11), std::string("Reference's ID"));
        QCOMPARE(table.heading(14), std::string("Payment Scheme"));
        std::vector<std::string> row;
        for (int c = 0; c < 15; ++c)
            row.push_back(table.cell(0, c));
        const std::vector<std::string> expected = {
            "5", "Émile", "?", "", "", "", "", "", "", "", "1", "0", "-5", "16.11.2001 12:00:00",
            "2"};
        QCOMPARE(row, expected);
        const MemberSearchOutcome blanks = search(MemberFilters{"ann", "smith", "", "", ""});
        QCOMPARE(blanks.table->cell(0, MemberResultTable::Name), std::string("  ANN"));
    }

    void recordBeingCreatedIsNotListed() {
        const MemberSearchOutcome found = search(MemberFilters{"", "", "", "0", ""}, 7);
        QCOMPARE(recordsOf(*found.table), (Records{1, 5}));
    }

    void levelsSortAsNumbers() {
        MemberSearchOutcome found = search(MemberFilters{"", "lee", "", "", ""});
        QCOMPARE(recordsOf(*found.table), (Records{1, 2, 4, 6}));
        found.table->sortByColumn(MemberResultTable::Level);
        QCOMPARE(recordsOf(*found.table), (Records{2, 4, 6, 1})); // 2, 2, 3, 10
        found.table->sortByColumn(MemberResultTable::Name);       // Ann, ann, Anna, Anne
        QCOMPARE(recordsOf(*found.table), (Records{1, 4, 6, 2}));
    }

    void readFailureIsReported() {
        const test::ScopedFaultHook fault(test::failEvery(fs::Op::Read, EIO));
        const MemberSearchOutcome found = search(MemberFilters{"ann", "", "", "", ""});
        QCOMPARE(found.kind, Kind::FileError);
        QCOMPARE(found.error.code, EIO);
    }

    void referrerSearch_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("found");
        QTest::newRow("in its own record") << 4 << 6 << true;
        QTest::newRow("the last") << 6 << 6 << true;
        QTest::newRow("beyond the count") << 7 << 6 << false;
        QTest::newRow("beyond the records searched") << 6 << 5 << false;
        QTest::newRow("in another record") << 9 << 6 << true;
        QTest::newRow("0") << 0 << 6 << false;
    }
    void referrerSearch() {
        QFETCH(int, id);
        QFETCH(int, count);
        MemberRecord moved = kMembers[2];
        moved.AffiliateID = 9; // a damaged record 3 says it is member 9
        QVERIFY(file_.write(3, moved.encode()).ok());
        const Result<bool> found = memberIdStored(file_, count, id);
        QVERIFY(found.ok());
        QTEST(*found, "found");
    }

    void referrerSearchFailure() {
        const test::ScopedFaultHook fault(test::failEvery(fs::Op::Read, EIO));
        QCOMPARE(memberIdStored(file_, 6, 2).error().code, EIO);
    }
};

ZELT_TEST(TestMemberSearch)
#include "test_member_search.moc"
