#include "storage/code_page.h"
#include "storage/date_text.h"
#include "storage/file_rules.h"
#include "storage/number_text.h"
#include "support/test_registry.h"
#include "ui/system_locale.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProcess>
#include <QTest>

#include <cstdio>

using zelt::LocaleRules;

class TestSystemLocale : public QObject {
    Q_OBJECT

private slots:
    void forms_data();
    void forms();
    void germanRules();
    void categoriesGovernTheRules();
    void printSystemForms();
    void everyLocaleReadsBackWhatItShows();
};

void TestSystemLocale::forms_data() {
    // A date with a time of day and a sum as the windows show them and as the single-byte files
    // hold them (the file forms as Windows-1252 bytes, written here as Latin-1 text).
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("shownDate");
    QTest::addColumn<QString>("shownSum");
    QTest::addColumn<QByteArray>("fileDate");
    QTest::addColumn<QByteArray>("fileSum");

    // Qt's short German date has a two-digit year; ours never does.
    QTest::newRow("German") << "de_DE"
                            << "16.11.2001 18:00:00"
                            << "10,5" << QByteArray("16.11.2001 18:00:00") << QByteArray("10,5");
    QTest::newRow("United States")
        << "en_US"
        << "11/16/2001 6:00:00 PM"
        << "10.5" << QByteArray("11/16/2001 6:00:00 PM") << QByteArray("10.5");
    QTest::newRow("C") << "C"
                       << "2001-11-16 18:00:00"
                       << "10.5" << QByteArray("2001-11-16 18:00:00") << QByteArray("10.5");
    QTest::newRow("Finnish") << "fi_FI"
                             << "16.11.2001 18.00.00"
                             << "10,5" << QByteArray("16.11.2001 18.00.00") << QByteArray("10,5");
    QTest::newRow("Danish") << "da_DK"
                            << "16.11.2001 18.00.00"
                            << "10,5" << QByteArray("16.11.2001 18.00.00") << QByteArray("10,5");
    QTest::newRow("Hungarian") << "hu_HU"
                               << "2001. 11. 16. 18:00:00"
                               << "10,5" << QByteArray("2001. 11. 16. 18:00:00")
                               << QByteArray("10,5");
    QTest::newRow("Korean") << "ko_KR"
                            << "2001. 11. 16. \uC624\uD6C4 6:00:00"
                            << "10.5" << QByteArray("2001. 11. 16. PM 6:00:00")
                            << QByteArray("10.5");
    QTest::newRow("Greek") << "el_GR"
                           << "16/11/2001 6:00:00 \u03BC.\u03BC."
                           << "10,5" << QByteArray("16/11/2001 6:00:00 PM") << QByteArray("10,5");
    QTest::newRow("Arabic") << "ar_SA"
                            << "16\u200F/11\u200F/2001 6:00:00 \u0645"
                            << "10\u066B5" << QByteArray("16/11/2001 6:00:00 PM")
                            << QByteArray("10.5");
    QTest::newRow("Persian") << "fa_IR"
                             << "2001/11/16 18:00:00"
                             << "10\u066B5" << QByteArray("2001/11/16 18:00:00")
                             << QByteArray("10.5");
    // A no-break space in AM/PM is stored as the one byte A0, not as UTF-8.
    QTest::newRow("Spanish (United States)")
        << "es_US"
        << "16/11/2001 6:00:00 p.\u00A0m."
        << "10.5" << QByteArray("16/11/2001 6:00:00 p.\xA0m.") << QByteArray("10.5");
}

void TestSystemLocale::forms() {
    QFETCH(QString, locale);
    QFETCH(QString, shownDate);
    QFETCH(QString, shownSum);
    QFETCH(QByteArray, fileDate);
    QFETCH(QByteArray, fileSum);
    const LocaleRules rules = zelt::rulesFromLocale(QLocale(locale));
    const LocaleRules files = zelt::fileRules(rules);
    QCOMPARE(QString::fromStdString(zelt::formatDate(37211.75, rules)), shownDate);
    QCOMPARE(QString::fromStdString(zelt::formatSingle(10.5f, rules)), shownSum);
    QCOMPARE(QByteArray::fromStdString(zelt::formatDate(37211.75, files)), fileDate);
    QCOMPARE(QByteArray::fromStdString(zelt::formatSingle(10.5f, files)), fileSum);
}

void TestSystemLocale::germanRules() {
    const LocaleRules rules = zelt::rulesFromLocale(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(int(rules.dateOrder), int(LocaleRules::DateOrder::DayMonthYear));
    QCOMPARE(rules.groupSeparator, std::string("."));
    QCOMPARE(zelt::rulesFromLocale(QLocale(QLocale::English, QLocale::UnitedStates)),
             LocaleRules::monthDayYearAmPm());
    QCOMPARE(zelt::rulesFromLocale(QLocale::c()), LocaleRules::c());
}

void TestSystemLocale::categoriesGovernTheRules() {
    // With LANG=C, dates follow LC_TIME and numbers LC_NUMERIC. Qt reads the categories once per
    // process, so a child process of this test program shows what its system locale gives.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LANGUAGE", "LC_MESSAGES"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    environment.insert(QStringLiteral("LC_TIME"), QStringLiteral("en_US.UTF-8"));
    environment.insert(QStringLiteral("LC_NUMERIC"), QStringLiteral("de_DE.UTF-8"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("TestSystemLocale"), QStringLiteral("printSystemForms")});
    QVERIFY(child.waitForFinished(60000));
    const QByteArray output = child.readAllStandardOutput();
    QVERIFY2(output.contains("system forms: 11/16/2001 6:00:00 PM|10,5\n"), output.constData());
}

void TestSystemLocale::printSystemForms() {
    // The system locale's forms, for categoriesGovernTheRules.
    const LocaleRules rules = zelt::rulesFromLocale(QLocale::system());
    std::printf("system forms: %s|%s\n", zelt::formatDate(37211.75, rules).c_str(),
                zelt::formatSingle(10.5f, rules).c_str());
    std::fflush(stdout);
}

void TestSystemLocale::everyLocaleReadsBackWhatItShows() {
    // Whatever locale the operator's desktop has, a date or sum shown in a window or written to
    // a file is read back unchanged by that locale's rules.
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    QVERIFY(locales.size() > 100);
    const double serials[] = {37211.0, 37211.75, zelt::serialFromDateTime(1999, 1, 2, 3723), -1.25,
                              2958465.0};
    const float sums[] = {10.5f, 1234567.0f, -0.25f, 12345678.0f};
    for (const QLocale& locale : locales) {
        const LocaleRules rules = zelt::rulesFromLocale(locale);
        const LocaleRules files = zelt::fileRules(rules);
        const std::string name = locale.name().toStdString();
        for (const LocaleRules* form : {&rules, &files}) {
            const auto typed = [&](const std::string& shown) {
                return form == &files ? zelt::decodeCp1252(shown) : shown;
            };
            for (const double serial : serials) {
                const std::string shown = typed(zelt::formatDate(serial, *form));
                QVERIFY2(!shown.empty(), name.c_str());
                const std::optional<double> back = zelt::parseDate(shown, rules);
                QVERIFY2(back.has_value() && *back == serial, (name + ": " + shown).c_str());
            }
            for (const float sum : sums) {
                const std::string shown = typed(zelt::formatSingle(sum, *form));
                const std::optional<float> back = zelt::parseSingle(shown, rules);
                QVERIFY2(back.has_value() &&
                             zelt::formatSingle(*back, *form) == zelt::formatSingle(sum, *form),
                         (name + ": " + shown).c_str());
            }
        }
    }
}

ZELT_TEST(TestSystemLocale)
#include "test_system_locale.moc"
