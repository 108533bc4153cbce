#include "storage/date_text.h"
#include "storage/number_text.h"
#include "support/test_registry.h"
#include "ui/system_locale.h"

#include <QLocale>
#include <QTest>

using zelt::LocaleRules;

class TestSystemLocale : public QObject {
    Q_OBJECT

private slots:
    void germany();
    void unitedStates();
    void cLocale();
    void hungarianSeparator();
    void everyLocaleReadsBackWhatItShows();
};

void TestSystemLocale::germany() {
    const LocaleRules rules = zelt::rulesFromLocale(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(int(rules.dateOrder), int(LocaleRules::DateOrder::DayMonthYear));
    QCOMPARE(rules.dateSeparator, std::string("."));
    QVERIFY(rules.dayLeadingZero);
    QVERIFY(rules.monthLeadingZero);
    QVERIFY(!rules.twelveHour);
    QVERIFY(rules.hourLeadingZero);
    QCOMPARE(rules.decimalSeparator, std::string(","));
    QCOMPARE(rules.groupSeparator, std::string("."));
    // Qt's short German date has a two-digit year; ours never does.
    QCOMPARE(zelt::formatDate(37211.75, rules), std::string("16.11.2001 18:00:00"));
    QCOMPARE(zelt::formatSingle(10.5f, rules), std::string("10,5"));
}

void TestSystemLocale::unitedStates() {
    const LocaleRules rules =
        zelt::rulesFromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(rules, LocaleRules::monthDayYearAmPm());
    QCOMPARE(zelt::formatDate(37211.75, rules), std::string("11/16/2001 6:00:00 PM"));
}

void TestSystemLocale::cLocale() {
    QCOMPARE(zelt::rulesFromLocale(QLocale::c()), LocaleRules::c());
    QCOMPARE(zelt::formatDate(37211.0, zelt::rulesFromLocale(QLocale::c())),
             std::string("2001-11-16"));
}

void TestSystemLocale::hungarianSeparator() {
    // "yyyy. MM. dd.": year first, a separator of a dot and a blank.
    const LocaleRules rules = zelt::rulesFromLocale(QLocale(QLocale::Hungarian, QLocale::Hungary));
    QCOMPARE(int(rules.dateOrder), int(LocaleRules::DateOrder::YearMonthDay));
    QCOMPARE(rules.dateSeparator, std::string(". "));
    QCOMPARE(zelt::formatDate(37211.0, rules), std::string("2001. 11. 16"));
}

void TestSystemLocale::everyLocaleReadsBackWhatItShows() {
    // Whatever locale the operator's desktop has, a date or sum shown is read back unchanged.
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    QVERIFY(locales.size() > 100);
    const double serials[] = {37211.0, 37211.75, zelt::serialFromDateTime(1999, 1, 2, 3723), -1.25,
                              2958465.0};
    const float sums[] = {10.5f, 1234567.0f, -0.25f, 12345678.0f};
    for (const QLocale& locale : locales) {
        const LocaleRules rules = zelt::rulesFromLocale(locale);
        const std::string name = locale.name().toStdString();
        for (const double serial : serials) {
            const std::string shown = zelt::formatDate(serial, rules);
            QVERIFY2(!shown.empty(), name.c_str());
            const std::optional<double> back = zelt::parseDate(shown, rules);
            QVERIFY2(back.has_value() && *back == serial, (name + ": " + shown).c_str());
        }
        for (const float sum : sums) {
            const std::string shown = zelt::formatSingle(sum, rules);
            const std::optional<float> back = zelt::parseSingle(shown, rules);
            QVERIFY2(back.has_value() && zelt::formatSingle(*back, rules) == shown,
                     (name + ": " + shown).c_str());
        }
    }
}

ZELT_TEST(TestSystemLocale)
#include "test_system_locale.moc"
