#include "export/calculation_lines.h"
#include "export/export_lines.h"
#include "export/parallel_lines.h"
#include "export/single_text.h"
#include "export/value_text.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"
#include "storage/member_record.h"
#include "storage/scheme_record.h"
#include "support/byte_text.h"
#include "support/test_locales.h"
#include "support/test_registry.h"

#include <QTest>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

using namespace zelt;

namespace {

using Record = std::vector<std::uint8_t>;
using LinePrinter = std::function<void(std::string&, const std::uint8_t*, ValueText&)>;

// Where a kind of record holds its single-precision numbers and its dates.
struct Layout {
    int length = 0;
    std::vector<int> singles;
    std::vector<int> dates;
    LinePrinter print;
};

// Numbers as stored: whole cents, plain values of every size, halves that round to even at the
// seventh digit, whole numbers, and any bit pattern at all (NaN, infinities, tiny values).
float randomSingle(std::mt19937_64& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double sign = random() % 4 == 0 ? -1.0 : 1.0;
    switch (random() % 6) {
    case 0:
        return float(sign * double(random() % 1'000'000'000) / 100.0);
    case 1:
        return float(sign * std::pow(10.0, -6.0 + 15.0 * unit(random)));
    case 2:
        return float(sign * (double(500'000 + random() % 8'000'000) + 0.5));
    case 3:
        return float(sign * double(random() % 20'000'000));
    case 4: {
        const auto bits = static_cast<std::uint32_t>(random());
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    default:
        return random() % 2 ? 0.0f : -0.0f;
    }
}

// Dates as stored: most of them among a few hundred days and times (so that they repeat), the
// rest anywhere, valid or not.
double randomDate(std::mt19937_64& random, const std::vector<double>& common) {
    if (random() % 5 < 3)
        return common[random() % common.size()];
    const std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    switch (random() % 4) {
    case 0:
        return value;
    case 1:
        return double(std::int64_t(random() % 4'000'000) - 700'000) / 7.0;
    case 2:
        return std::numeric_limits<double>::quiet_NaN();
    default:
        return serialFromDateTime(1999 + int(random() % 25), 1 + int(random() % 12),
                                  1 + int(random() % 28), int(random() % 86400));
    }
}

std::vector<double> commonDates(std::mt19937_64& random) {
    std::vector<double> dates;
    for (int i = 0; i < 300; ++i) {
        const double day = serialFromDate(1999 + int(random() % 25), 1 + int(random() % 12),
                                          1 + int(random() % 28));
        dates.push_back(i % 10 == 0 ? day + double(random() % 86400) / 86400.0 : day);
    }
    return dates;
}

Layout layoutOf(const QString& kind) {
    using M = MemberRecord;
    namespace txt = export_lines;
    namespace clc = calculation_lines;
    const std::vector<int> schemeSingles = {10, 28, 32, 36, 40, 44, 48, 52, 56};
    if (kind == "Sales.txt")
        return {16, {4}, {8}, &txt::appendSaleLine};
    if (kind == "sales.clc")
        return {16, {4}, {8}, &clc::appendSaleLine};
    if (kind == "members.clc")
        return {M::kLength, {}, {M::kDate}, &clc::appendMemberLine};
    if (kind == "settings.clc")
        return {SchemeRecord::kLength, schemeSingles, {}, &clc::appendSchemeLine};
    if (kind == "affiliates.txt")
        return {M::kLength,
                {},
                {M::kDate},
                [](std::string& out, const std::uint8_t* record, ValueText& values) {
                    txt::appendMemberLine(out, record, "info", values);
                }};
    if (kind == "communications.txt")
        return {
            50, {}, {34, 42}, [](std::string& out, const std::uint8_t* record, ValueText& values) {
                txt::appendCommunicationLine(out, record, {"m", "r", "c"}, values);
            }};
    return {SchemeRecord::kLength,
            schemeSingles,
            {},
            [](std::string& out, const std::uint8_t* record, ValueText& values) {
                txt::appendSchemeLine(out, record, "day", values);
            }};
}

} // namespace

class TestExportFastPath : public QObject {
    Q_OBJECT

private slots:
    void fastAndPlainLinesAreTheSame_data();
    void fastAndPlainLinesAreTheSame();
};

void TestExportFastPath::fastAndPlainLinesAreTheSame_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("locale");
    for (const char* kind : {"Sales.txt", "affiliates.txt", "communications.txt", "APsettings.txt",
                             "sales.clc", "members.clc", "settings.clc"})
        for (const char* locale : {"c", "dmy", "mdy"})
            QTest::addRow("%s %s", kind, locale) << QString(kind) << QString(locale);
}

// Random records of one kind, each line written once by the general formatters and once by the
// export's own short ways (one ValueText for all lines, as an export uses it); then all of them
// in blocks of growing size on both cores.
void TestExportFastPath::fastAndPlainLinesAreTheSame() {
    QFETCH(QString, kind);
    QFETCH(QString, locale);
    const LocaleRules rules = test::testRules(locale);
    const Layout layout = layoutOf(kind);
    std::mt19937_64 random(qHash(kind + locale));
    const std::vector<double> common = commonDates(random);

    ValueText plain(rules, FormatPath::Plain);
    ValueText fast(rules, FormatPath::Fast);
    int singles = 0, shortSingles = 0;
    const int count = 20000;
    std::vector<std::uint8_t> records;
    std::string allLines;
    for (int n = 0; n < count; ++n) {
        Record record(static_cast<std::size_t>(layout.length));
        for (std::uint8_t& byte : record)
            byte = static_cast<std::uint8_t>(random());
        for (int offset : layout.singles) {
            const float value = randomSingle(random);
            field::putSingle(record.data() + offset, value);
            char text[32];
            ++singles;
            shortSingles += fastSingleText(value, rules.decimalSeparator, text) != 0 ? 1 : 0;
        }
        for (int offset : layout.dates)
            field::putDouble(record.data() + offset, randomDate(random, common));
        std::string plainLine, fastLine;
        layout.print(plainLine, record.data(), plain);
        layout.print(fastLine, record.data(), fast);
        if (fastLine != plainLine)
            QCOMPARE(test::bytes(fastLine), test::bytes(plainLine)); // prints both lines
        records.insert(records.end(), record.begin(), record.end());
        allLines += fastLine;
    }
    // Both cores, each half of a block on one of them, joined in order: the same bytes again.
    ParallelLines parallel(layout.print, rules, layout.length);
    std::string parallelLines;
    const std::size_t length = static_cast<std::size_t>(layout.length);
    for (std::size_t first = 0, block = 1; first < std::size_t{count}; block = block * 3 + 7) {
        const std::size_t inBlock = std::min(block, std::size_t{count} - first);
        parallel.append(parallelLines, records.data() + first * length, inBlock);
        first += inBlock;
    }
    QVERIFY(parallelLines == allLines);
    // Most numbers take the short way; the rest are left to the general formatter.
    QVERIFY(singles == 0 || shortSingles > singles / 3);
}

ZELT_TEST(TestExportFastPath)
#include "test_export_fast_path.moc"
