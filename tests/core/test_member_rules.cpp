// The rules of a member's save: the level from the referrer, the referrer checks, the schemes
// offered and the texts as stored.
#include "core_fixture.h"
#include "storage/member_rules.h"

using namespace zelt;

namespace {

// The position of a state or verdict named in a row, as its enum counts.
int named(const QByteArray& name, const char* names) {
    return int(QByteArray(names).split(' ').indexOf(name));
}

} // namespace

class MemberRulesTest : public QObject {
    Q_OBJECT

private slots:
    // Referrer | its stored level (- none) | level state and level | a referrer is needed.
    void levelFromReferrer_data() {
        test::textRows(R"(
no referrer: first level | 0 | - | known 1 | 0
no referrer, a record 0 aside | 0 | 7 | known 1 | 0
negative referrer | -1 | 4 | unset 0 | 0
referrer one below the top | 1 | 2147483646 | known 2147483647 | 1
referrer at the top: overflow | 2147483647 | 2147483647 | overflow 0 | 1
referrer not stored | 9 | - | unset 0 | 1
)");
    }
    void levelFromReferrer() {
        const QByteArrayList f = test::fields();
        const int referrer = f[0].toInt();
        const MemberLevel level = zelt::levelFromReferrer(
            referrer, f[1] == "-" ? std::nullopt : std::optional<std::int32_t>(f[1].toInt()));
        QCOMPARE(named(f[2].split(' ')[0], "known unset overflow"), int(level.state));
        QCOMPARE(int(level.level), f[2].split(' ')[1].toInt());
        QCOMPARE(zelt::levelNeedsReferrer(referrer), f[3] == "1");
    }

    // Referrer | member | records | found | referrer's level | searched | verdict.
    void referrerChecks_data() {
        test::textRows(R"(
no referrer | 0 | 3 | 3 | 1 | known | 0 | accepted
negative referrer | -1 | 3 | 3 | 1 | unset | 0 | incorrect
the member itself | 3 | 3 | 3 | 1 | known | 0 | incorrect
stored referrer | 2 | 3 | 3 | 1 | known | 1 | accepted
not found, level unknown: not stored first | 2 | 3 | 3 | 0 | unset | 1 | missing
referrer past the last record | 4 | 3 | 3 | 1 | known | 1 | incorrect
referrer's level unset | 2 | 3 | 3 | 1 | unset | 1 | incorrect
referrer's level overflows | 2 | 3 | 3 | 1 | overflow | 1 | incorrect
one record: no search, past the end | 2 | 1 | 1 | 1 | unset | 0 | incorrect
)");
    }
    void referrerChecks() {
        const QByteArrayList f = test::fields();
        const int referrer = f[0].toInt(), member = f[1].toInt(), count = f[2].toInt();
        const auto level = LevelState(named(f[4], "known unset overflow"));
        QCOMPARE(referrerIsSearched(referrer, member, count), f[5] == "1");
        QCOMPARE(int(referrerVerdict(referrer, member, count, f[3] == "1", level)),
                 named(f[6], "accepted incorrect missing"));
    }

    // Schemes stored | schemes offered: none, up to the last 16-bit number.
    void offeredSchemes() {
        for (const auto& [stored, offered] : {std::pair{0, 0}, {32767, 32767}, {32768, 32767}})
            QCOMPARE(int(zelt::offeredSchemes(stored)), offered);
    }

    // Typed | width | stored | cut | characters replaced.
    void storedText_data() {
        test::textRows(R"(
blanks around go | \s\sAnna Lee\s\s | 20 | Anna Lee | 0 | 0
a tab is no blank | \tA\s | 20 | \tA | 0 | 0
exactly the width | 0123456789 | 10 | 0123456789 | 0 | 0
one past the width | 01234567890 | 10 | 0123456789 | 1 | 0
cut after trimming, not before | \s\s\s0123456789\s\s\s | 10 | 0123456789 | 0 | 0
cut between characters | \u00E9t\u00E9s | 3 | \u00E9t\u00E9 | 1 | 0
unstorable becomes ? | A\u2192B | 20 | A?B | 0 | 1
unstorable past the cut is no replacement | 123\u2192 | 3 | 123 | 1 | 0
)");
    }
    void storedText() {
        const QByteArrayList f = test::fields();
        const StoredText stored = zelt::storedText(f[0].toStdString(), f[1].toInt());
        QCOMPARE(QByteArray::fromStdString(stored.text), f[2]);
        QCOMPARE(stored.cut, f[3] == "1");
        QCOMPARE(stored.replaced, f[4] == "1");
    }
};

ZELT_TEST(MemberRulesTest)
#include "test_member_rules.moc"
