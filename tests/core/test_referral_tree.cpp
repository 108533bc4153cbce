// The referral tree, its level table and downline.txt, on small hand-made member files.
#include "export/downline_export.h"
#include "search/level_table.h"
#include "search/referral_tree.h"

#include "storage/app_paths.h"
#include "storage/file_system.h"
#include "storage/member_record.h"
#include "storage/record_file.h"
#include "storage/sale_record.h"
#include "support/byte_text.h"
#include "support/temp_app_dir.h"
#include "support/test_app.h"
#include "support/test_registry.h"

#include <QtTest>

using namespace zelt;
using zelt::test::bytes;

namespace {

const double kDay = 37211; // 16 November 2001

// Members 1..n with the referrers given, named M1, M2, ...
void writeMembers(const QList<int>& refs, const QStringList& names = {}) {
    QVERIFY(ensureFolder(testApp().dir, Folder::Data).ok());
    auto file = RecordFile::open(filePath(testApp().dir, Folder::Data, "affiliates.kvr"), 211);
    QVERIFY(file.ok());
    for (int i = 0; i < refs.size(); ++i) {
        MemberRecord m;
        const QStringList parts =
            i < names.size() ? names[i].split(QLatin1Char(' ')) : QStringList{};
        m.Name = parts.isEmpty() ? "M" + std::to_string(i + 1) : parts[0].toStdString();
        m.Surname = parts.size() > 1 ? parts[1].toStdString() : "";
        m.AffiliateID = i + 1;
        m.Ref_ID = refs[i];
        QVERIFY(file->write(i + 1, m.encode()).ok());
    }
}

void writeSales(const char* name, const std::vector<SaleRecord>& records) {
    auto file = RecordFile::open(filePath(testApp().dir, Folder::Data, name), 16);
    QVERIFY(file.ok());
    for (std::size_t i = 0; i < records.size(); ++i)
        QVERIFY(file->write(static_cast<std::int32_t>(i + 1), records[i].encode()).ok());
}

ReferralTree readTree() {
    auto tree = ReferralTree::read(filePath(testApp().dir, Folder::Data, "affiliates.kvr"));
    if (!tree)
        qFatal("members file not read");
    return std::move(*tree);
}

QString joined(const QList<int>& values) {
    QStringList texts;
    for (int v : values)
        texts << QString::number(v);
    return texts.join(QLatin1Char(' '));
}

} // namespace

class ReferralTreeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempAppDir> dir_;

private slots:
    void init() {
        dir_ = std::make_unique<test::TempAppDir>();
        testApp().dir = dir_->path();
    }
    void cleanup() { dir_.reset(); }

    // refs: the stored referrer of members 1, 2, ...; upline: "!" marks a member met again, "?"
    // a referrer that is no stored member.
    void shapes_data() {
        QTest::addColumn<QList<int>>("refs");
        QTest::addColumn<int>("root");
        QTest::addColumn<QString>("children");
        QTest::addColumn<QString>("downlines");
        QTest::addColumn<QString>("upline");
        QTest::addColumn<QString>("members"); // per level below root: 1..8, deeper
        QTest::newRow("chain") << QList<int>{0, 1, 2, 3} << 2 << "3"
                               << "3 2 1 0"
                               << "1"
                               << "1 1 0 0 0 0 0 0 0";
        QTest::newRow("wide level") << QList<int>{0, 1, 1, 2, 1} << 1 << "2 3 5"
                                    << "4 1 0 0 0"
                                    << ""
                                    << "3 1 0 0 0 0 0 0 0";
        QTest::newRow("cycle of two") << QList<int>{2, 1, 1} << 1 << "2 3"
                                      << "2 2 0"
                                      << "2 1!"
                                      << "2 0 0 0 0 0 0 0 0";
        QTest::newRow("cycle of three") << QList<int>{3, 1, 2, 2, 4} << 2 << "3 4"
                                        << "4 4 4 1 0"
                                        << "1 3 2!"
                                        << "2 2 0 0 0 0 0 0 0";
        QTest::newRow("refers to itself") << QList<int>{0, 2, 1, 2} << 2 << "2 4"
                                          << "1 1 0 0"
                                          << "2!"
                                          << "1 0 0 0 0 0 0 0 0";
        QTest::newRow("referrer past the end") << QList<int>{0, 9, 2} << 2 << "3"
                                               << "0 1 0"
                                               << "9?"
                                               << "1 0 0 0 0 0 0 0 0";
        QTest::newRow("negative referrer") << QList<int>{0, 1, -4} << 3 << ""
                                           << "1 0 0"
                                           << "-4?"
                                           << "0 0 0 0 0 0 0 0 0";
        QTest::newRow("levels beyond 8")
            << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10} << 1 << "2"
            << "11 10 9 8 7 6 5 4 3 2 0 0"
            << ""
            << "1 1 1 1 1 1 1 1 3";
    }
    void shapes() {
        QFETCH(QList<int>, refs);
        QFETCH(int, root);
        writeMembers(refs);
        const ReferralTree tree = readTree();
        QCOMPARE(tree.memberCount(), refs.size());

        QList<int> children;
        for (std::int32_t c = tree.firstChild(root); c != 0; c = tree.nextSibling(c))
            children << c;
        QList<int> downlines;
        for (int n = 1; n <= tree.memberCount(); ++n)
            downlines << tree.downlineSize(n);
        QStringList upline;
        for (const auto& step : tree.upline(root))
            upline << QString::number(step.member) +
                          (step.kind == ReferralTree::UplineStep::Kind::Again       ? "!"
                           : step.kind == ReferralTree::UplineStep::Kind::NotStored ? "?"
                                                                                    : "");
        const auto table = levelTable(tree, root, "", "", {});
        QVERIFY(table.ok());
        QList<int> members;
        for (const LevelRow& row : *table)
            members << int(row.members);

        QTEST(joined(children), "children");
        QTEST(joined(downlines), "downlines");
        QTEST(upline.join(QLatin1Char(' ')), "upline");
        QTEST(joined(members), "members");
    }

    // Sales of member 2 (level 1 below member 1) around the days 16 and 17 November 2001.
    void dateLimits_data() {
        QTest::addColumn<double>("from"); // NAN: no limit
        QTest::addColumn<double>("to");
        QTest::addColumn<int>("sales");
        QTest::addColumn<QString>("sum");
        QTest::addColumn<int>("payments"); // of member 3, level 2
        QTest::newRow("no limits") << double(NAN) << double(NAN) << 4 << "1234,50" << 2;
        QTest::newRow("both ends of the days") << kDay << kDay + 1 << 2 << "1200,00" << 1;
        QTest::newRow("times typed with the limits")
            << kDay + 0.5 << kDay + 1 << 2 << "1200,00" << 1;
        QTest::newRow("from only") << kDay << double(NAN) << 3 << "1230,00" << 2;
        QTest::newRow("to only") << double(NAN) << kDay << 2 << "1004,50" << 1;
        QTest::newRow("one day") << kDay + 1 << kDay + 1 << 1 << "200,00" << 0;
        QTest::newRow("nothing between") << kDay + 1 << kDay << 0 << "0,00" << 0;
    }
    void dateLimits() {
        QFETCH(double, from);
        QFETCH(double, to);
        writeMembers({0, 1, 2});
        writeSales("sales.kvr", {{2, 4.5f, kDay - 1 + 0.9999},
                                 {2, 1000, kDay},
                                 {2, 200, kDay + 1 + 0.99998},
                                 {2, 30, kDay + 2},
                                 {1, 7, kDay},
                                 {9, 7, kDay}});
        writeSales("payments.kvr", {{3, 0.25f, kDay}, {3, 0.5f, kDay + 5}});
        DateLimits limits;
        if (!std::isnan(from))
            limits.from = from;
        if (!std::isnan(to))
            limits.to = to;
        const auto table =
            levelTable(readTree(), 1, filePath(testApp().dir, Folder::Data, "sales.kvr"),
                       filePath(testApp().dir, Folder::Data, "payments.kvr"), limits);
        QVERIFY(table.ok());
        QTEST(int((*table)[0].sales), "sales");
        QTEST(QString::fromStdString(
                  formatSum((*table)[0].salesSum, LocaleRules::dayMonthYearComma())),
              "sum");
        QCOMPARE((*table)[1].sales, 0);
        QTEST(int((*table)[1].payments), "payments");
    }

    void downlineFileBytes() {
        // 1 <- 2 <- 4 <- 1 closes a cycle through the root; 3 is a second child of 1.
        writeMembers({4, 1, 1, 2},
                     {"Ann Ames", "Bob Smith", "Cy", QString::fromUtf8("Dan M\u00fcller")});
        QVERIFY(saveDownline(testApp().dir, readTree(), 1).ok());
        const auto written = fs::readWhole(filePath(testApp().dir, Folder::Output, "downline.txt"));
        QVERIFY(written.ok());
        QCOMPARE(bytes(*written),
                 QByteArray("Level below;Zelt member's ID;Name;Surname;Reference's "
                            "ID\r\n1;2;Bob;Smith;1\r\n2;4;Dan;M\xfcller;2\r\n"
                            "1;3;Cy;;1\r\n"));
    }
};

ZELT_TEST(ReferralTreeTest)
#include "test_referral_tree.moc"
