// The rules of a member's save: the level from the referrer, the referrer checks, the schemes
// offered and the texts as stored.
#include "storage/member_rules.h"
#include "support/test_registry.h"

#include <QtTest>

#include <limits>

using namespace zelt;

Q_DECLARE_METATYPE(zelt::LevelState)
Q_DECLARE_METATYPE(zelt::ReferrerVerdict)

namespace {

constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

} // namespace

class TestMemberRules : public QObject {
    Q_OBJECT

private slots:
    void levelFromReferrer_data() {
        QTest::addColumn<int>("referrer");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<int>("referrerLevel");
        QTest::addColumn<LevelState>("state");
        QTest::addColumn<int>("level");
        QTest::newRow("no referrer: first level") << 0 << false << 0 << LevelState::Known << 1;
        QTest::newRow("no referrer, a record 0 aside") << 0 << true << 7 << LevelState::Known << 1;
        QTest::newRow("referrer on level 1") << 5 << true << 1 << LevelState::Known << 2;
        QTest::newRow("referrer on level 0 (as stored)")
            << 5 << true << 0 << LevelState::Known << 1;
        QTest::newRow("referrer on a negative level") << 5 << true << -3 << LevelState::Known << -2;
        QTest::newRow("referrer one below the top")
            << 5 << true << kMax32 - 1 << LevelState::Known << kMax32;
        QTest::newRow("referrer at the top: overflow")
            << 5 << true << kMax32 << LevelState::Overflow << 0;
        QTest::newRow("referrer not stored") << 9 << false << 0 << LevelState::Unset << 0;
        QTest::newRow("negative referrer") << -1 << true << 4 << LevelState::Unset << 0;
    }
    void levelFromReferrer() {
        QFETCH(int, referrer);
        QFETCH(bool, stored);
        QFETCH(int, referrerLevel);
        const MemberLevel level = zelt::levelFromReferrer(
            referrer, stored ? std::optional<std::int32_t>(referrerLevel) : std::nullopt);
        QTEST(level.state, "state");
        QTEST(int(level.level), "level");
    }

    void levelNeedsReferrer_data() {
        QTest::addColumn<int>("referrer");
        QTest::addColumn<bool>("needed");
        QTest::newRow("none") << 0 << false;
        QTest::newRow("negative") << -5 << false;
        QTest::newRow("first record") << 1 << true;
        QTest::newRow("largest") << kMax32 << true;
    }
    void levelNeedsReferrer() {
        QFETCH(int, referrer);
        QTEST(zelt::levelNeedsReferrer(referrer), "needed");
    }

    void referrerChecks_data() {
        QTest::addColumn<int>("referrer");
        QTest::addColumn<int>("member");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("found");
        QTest::addColumn<LevelState>("level");
        QTest::addColumn<bool>("searched");
        QTest::addColumn<ReferrerVerdict>("verdict");
        QTest::newRow("no referrer")
            << 0 << 3 << 3 << true << LevelState::Known << false << ReferrerVerdict::Accepted;
        QTest::newRow("no referrer, first member")
            << 0 << 1 << 1 << true << LevelState::Known << false << ReferrerVerdict::Accepted;
        QTest::newRow("negative referrer") << -1 << 3 << 3 << true << LevelState::Unset << false
                                           << ReferrerVerdict::IncorrectValue;
        QTest::newRow("the member itself")
            << 3 << 3 << 3 << true << LevelState::Known << false << ReferrerVerdict::IncorrectValue;
        QTest::newRow("stored referrer")
            << 2 << 3 << 3 << true << LevelState::Known << true << ReferrerVerdict::Accepted;
        QTest::newRow("referrer not among the identifiers")
            << 2 << 3 << 3 << false << LevelState::Known << true << ReferrerVerdict::NotStored;
        QTest::newRow("not found, level unknown: not stored first")
            << 2 << 3 << 3 << false << LevelState::Unset << true << ReferrerVerdict::NotStored;
        QTest::newRow("referrer past the last record")
            << 4 << 3 << 3 << true << LevelState::Known << true << ReferrerVerdict::IncorrectValue;
        QTest::newRow("referrer's level unset")
            << 2 << 3 << 3 << true << LevelState::Unset << true << ReferrerVerdict::IncorrectValue;
        QTest::newRow("referrer's level overflows") << 2 << 3 << 3 << true << LevelState::Overflow
                                                    << true << ReferrerVerdict::IncorrectValue;
        QTest::newRow("one record: no search, past the end")
            << 2 << 1 << 1 << true << LevelState::Unset << false << ReferrerVerdict::IncorrectValue;
        QTest::newRow("new member on an empty file")
            << 1 << 1 << 1 << true << LevelState::Known << false << ReferrerVerdict::IncorrectValue;
        QTest::newRow("two records, the other one")
            << 1 << 2 << 2 << true << LevelState::Known << true << ReferrerVerdict::Accepted;
    }
    void referrerChecks() {
        QFETCH(int, referrer);
        QFETCH(int, member);
        QFETCH(int, count);
        QFETCH(bool, found);
        QFETCH(LevelState, level);
        QTEST(referrerIsSearched(referrer, member, count), "searched");
        QTEST(referrerVerdict(referrer, member, count, found, level), "verdict");
    }

    void offeredSchemes_data() {
        QTest::addColumn<int>("schemes");
        QTest::addColumn<int>("offered");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("the last 16-bit number") << 32767 << 32767;
        QTest::newRow("one more") << 32768 << 32767;
        QTest::newRow("far more") << kMax32 << 32767;
    }
    void offeredSchemes() {
        QFETCH(int, schemes);
        QTEST(int(zelt::offeredSchemes(schemes)), "offered");
    }

    void storedText_data() {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("as typed") << QByteArray("Anna") << 20 << QByteArray("Anna") << false
                                  << false;
        QTest::newRow("blanks around go")
            << QByteArray("  Anna Lee  ") << 20 << QByteArray("Anna Lee") << false << false;
        QTest::newRow("only blanks") << QByteArray("   ") << 20 << QByteArray() << false << false;
        QTest::newRow("empty") << QByteArray() << 20 << QByteArray() << false << false;
        QTest::newRow("a tab is no blank")
            << QByteArray("\tA ") << 20 << QByteArray("\tA") << false << false;
        QTest::newRow("exactly the width")
            << QByteArray("0123456789") << 10 << QByteArray("0123456789") << false << false;
        QTest::newRow("one past the width")
            << QByteArray("01234567890") << 10 << QByteArray("0123456789") << true << false;
        QTest::newRow("cut after trimming, not before")
            << QByteArray("   0123456789   ") << 10 << QByteArray("0123456789") << false << false;
        QTest::newRow("width counts characters, not bytes")
            << QByteArray("\xc3\xa9t\xc3\xa9") << 3 << QByteArray("\xc3\xa9t\xc3\xa9") << false
            << false;
        QTest::newRow("cut between characters") << QByteArray("\xc3\xa9t\xc3\xa9s") << 3
                                                << QByteArray("\xc3\xa9t\xc3\xa9") << true << false;
        QTest::newRow("unstorable becomes ?") << QByteArray("A\xe2\x86\x92"
                                                            "B")
                                              << 20 << QByteArray("A?B") << false << true;
        QTest::newRow("euro sign is stored")
            << QByteArray("5 \xe2\x82\xac") << 20 << QByteArray("5 \xe2\x82\xac") << false << false;
        QTest::newRow("cut and replaced") << QByteArray("\xe2\x86\x92"
                                                        "12345")
                                          << 3 << QByteArray("?12") << true << true;
        QTest::newRow("unstorable past the cut is no replacement")
            << QByteArray("123\xe2\x86\x92") << 3 << QByteArray("123") << true << false;
    }
    void storedText() {
        QFETCH(QByteArray, typed);
        QFETCH(int, width);
        const StoredText stored =
            zelt::storedText(std::string(typed.constData(), typed.size()), width);
        QTEST(QByteArray::fromStdString(stored.text), "text");
        QTEST(stored.cut, "cut");
        QTEST(stored.replaced, "replaced");
    }
};

ZELT_TEST(TestMemberRules)
#include "test_member_rules.moc"
