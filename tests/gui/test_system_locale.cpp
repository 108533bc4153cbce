// The rules the program takes from the desktop's locale, read from the locale's own date, time and
// number formats, against the rules the core tests write out by hand for the same locales.
#include "support/test_locales.h"
#include "support/test_registry.h"
#include "ui/system_locale.h"

#include <QLocale>
#include <QtTest>

using namespace zelt;

class SystemLocaleTest : public QObject {
    Q_OBJECT

private slots:
    // A locale, the hand-written rules of its forms (Finnish: H.mm and no leading zeros; Korean:
    // AM/PM first and a trailing dot; Arabic: right-to-left marks), and the AM/PM texts of a
    // locale whose clock has 24 hours (kept from the locale, never shown).
    void rules_data() {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QString>("amPm");
        const char* const rows[][3] = {{"C", "c", ""},       {"de_DE", "dmy", ""},
                                       {"en_US", "mdy", ""}, {"fi_FI", "fi", "ap. ip."},
                                       {"ko_KR", "ko", ""},  {"ar_EG", "ar", ""}};
        for (const auto& [locale, rules, amPm] : rows)
            QTest::newRow(locale) << QString(rules) << QString(amPm);
    }
    void rules() {
        QFETCH(QString, rules);
        QFETCH(QString, amPm);
        LocaleRules expected = test::testRules(rules);
        if (!amPm.isEmpty()) {
            expected.amText = amPm.section(QLatin1Char(' '), 0, 0).toStdString();
            expected.pmText = amPm.section(QLatin1Char(' '), 1).toStdString();
        }
        QVERIFY(rulesFromLocale(QLocale(QString::fromLatin1(QTest::currentDataTag()))) == expected);
    }
};

ZELT_TEST(SystemLocaleTest)
#include "test_system_locale.moc"
