#include "search/generic_compare.h"
#include "support/test_registry.h"

#include <QtTest>

#include <algorithm>
#include <string>
#include <vector>

using namespace zelt;

Q_DECLARE_METATYPE(zelt::LocaleRules)

namespace {

int sign(int value) {
    return (value > 0) - (value < 0);
}

// Cells as they turn up in grids: whole numbers, decimals of either locale, negative numbers,
// numbers with blanks and exponents, texts in several cases, texts that begin with digits,
// accented letters and the empty cell.
const std::vector<std::string> kVariedCells = {
    "10",    "2",      "-3",          "0",         "-0",    " 7 ",   "10,5",       "10.5",
    "1.234", "1,5E3",  "1e2",         "1a",        "9",     "abc",   "ABC",        "Abc",
    "apple", "Banana", "banana",      "zebra",     "Ärger", "ärger", "Œuvre",      "œuvre",
    "",      "  ",     "N of Record", "1.000.000", "12x",   "-",     "2001-11-16", "16.11.2001"};

} // namespace

class TestGenericCompare : public QObject {
    Q_OBJECT

private slots:
    void pairs_data();
    void pairs();
    void foldsWindowsLetters();
    void isStrictWeakOrdering_data();
    void isStrictWeakOrdering();
    void ranksFollowTheComparison();
};

void TestGenericCompare::pairs_data() {
    QTest::addColumn<LocaleRules>("rules");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("expected");

    const LocaleRules comma = LocaleRules::dayMonthYearComma();
    const LocaleRules point = LocaleRules::c();
    QTest::newRow("2 before 10") << point << "2"
                                 << "10" << -1;
    QTest::newRow("negative first") << point << "-3"
                                    << "2" << -1;
    QTest::newRow("equal values, other texts") << point << "7"
                                               << " 7 " << 0;
    QTest::newRow("zero and minus zero") << point << "0"
                                         << "-0" << 0;
    QTest::newRow("decimal comma read as number") << comma << "10,5"
                                                  << "10" << 1;
    QTest::newRow("decimal comma below 11") << comma << "10,5"
                                            << "11" << -1;
    QTest::newRow("decimal point in comma locale is text") << comma << "10.5"
                                                           << "99" << 1;
    QTest::newRow("decimal point in point locale") << point << "10.5"
                                                   << "11" << -1;
    QTest::newRow("groups in comma locale") << comma << "1.234"
                                            << "999" << 1;
    QTest::newRow("numbers before texts") << point << "99"
                                          << "1a" << -1;
    QTest::newRow("texts ignore case") << point << "apple"
                                       << "Banana" << -1;
    QTest::newRow("texts ignore case, other way") << point << "Zebra"
                                                  << "apple" << 1;
    QTest::newRow("case tie broken by exact text") << point << "ABC"
                                                   << "abc" << -1;
    QTest::newRow("same text") << point << "abc"
                               << "abc" << 0;
    QTest::newRow("accented letters ignore case") << point << "ärger"
                                                  << "Ärgern" << -1;
    QTest::newRow("empty text first among texts") << point << ""
                                                  << "a" << -1;
    QTest::newRow("empty text after numbers") << point << ""
                                              << "5" << 1;
    QTest::newRow("prefix first") << point << "Ann"
                                  << "anna" << -1;
}

void TestGenericCompare::pairs() {
    QFETCH(LocaleRules, rules);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, expected);
    QCOMPARE(sign(compareCells(a.toStdString(), b.toStdString(), rules)), expected);
    QCOMPARE(sign(compareCells(b.toStdString(), a.toStdString(), rules)), -expected);
}

void TestGenericCompare::foldsWindowsLetters() {
    QCOMPARE(foldedCase("ÀÉÎÕÜÞ ŠŒŽŸ ×"), std::string("àéîõüþ šœžÿ ×"));
    QCOMPARE(foldedCase("Straße 12"), std::string("straße 12"));
}

void TestGenericCompare::isStrictWeakOrdering_data() {
    QTest::addColumn<LocaleRules>("rules");
    QTest::newRow("day.month.year, comma") << LocaleRules::dayMonthYearComma();
    QTest::newRow("C") << LocaleRules::c();
}

void TestGenericCompare::isStrictWeakOrdering() {
    QFETCH(LocaleRules, rules);
    const std::size_t n = kVariedCells.size();
    std::vector<std::vector<int>> cmp(n, std::vector<int>(n));
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            cmp[i][j] = sign(compareCells(kVariedCells[i], kVariedCells[j], rules));

    for (std::size_t i = 0; i < n; ++i) {
        QCOMPARE(cmp[i][i], 0);
        for (std::size_t j = 0; j < n; ++j) {
            QVERIFY2(cmp[i][j] == -cmp[j][i],
                     qPrintable(QStringLiteral("antisymmetry: '%1' '%2'")
                                    .arg(QString::fromStdString(kVariedCells[i]),
                                         QString::fromStdString(kVariedCells[j]))));
            for (std::size_t k = 0; k < n; ++k) {
                // Both "before" and "equivalent" carry over: a <= b <= c gives a <= c, and
                // strictly when either step is strict.
                if (cmp[i][j] <= 0 && cmp[j][k] <= 0) {
                    const int expected = (cmp[i][j] < 0 || cmp[j][k] < 0) ? -1 : 0;
                    QVERIFY2(cmp[i][k] == expected,
                             qPrintable(QStringLiteral("transitivity: '%1' '%2' '%3'")
                                            .arg(QString::fromStdString(kVariedCells[i]),
                                                 QString::fromStdString(kVariedCells[j]),
                                                 QString::fromStdString(kVariedCells[k]))));
                }
            }
        }
    }
}

void TestGenericCompare::ranksFollowTheComparison() {
    const LocaleRules rules = LocaleRules::dayMonthYearComma();
    const std::vector<std::string_view> cells(kVariedCells.begin(), kVariedCells.end());
    const std::vector<std::uint32_t> ranks = genericRanks(cells, rules);
    QCOMPARE(ranks.size(), cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i)
        for (std::size_t j = 0; j < cells.size(); ++j)
            QCOMPARE(sign(int(ranks[i]) - int(ranks[j])),
                     sign(compareCells(cells[i], cells[j], rules)));
    QCOMPARE(*std::min_element(ranks.begin(), ranks.end()), 0u);
}

ZELT_TEST(TestGenericCompare)
#include "test_generic_compare.moc"
