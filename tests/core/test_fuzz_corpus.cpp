// Replays the fuzzers' checked-in corpus through the same checks the fuzzers run, so that the
// normal build exercises them on every input the fuzzers were seeded with or have found.
#include "checks_compare.h"
#include "checks_date.h"
#include "checks_number.h"
#include "checks_record.h"
#include "checks_side_text.h"
#include "support/test_registry.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace zelt;

namespace {

using Check = fuzz::Findings (*)(const std::uint8_t*, std::size_t);

Check checkOf(const QString& target) {
    if (target == QLatin1String("number"))
        return fuzz::checkNumberText;
    if (target == QLatin1String("date"))
        return fuzz::checkDateText;
    if (target == QLatin1String("record"))
        return fuzz::checkRecords;
    if (target == QLatin1String("side_text"))
        return fuzz::checkSideText;
    if (target == QLatin1String("compare"))
        return fuzz::checkGenericCompare;
    return nullptr;
}

const QStringList kTargets = {QStringLiteral("number"), QStringLiteral("date"),
                              QStringLiteral("record"), QStringLiteral("side_text"),
                              QStringLiteral("compare")};

} // namespace

class TestFuzzCorpus : public QObject {
    Q_OBJECT

private slots:
    void corpusInput_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        const QDir root(QStringLiteral(ZELT_FUZZ_CORPUS_DIR));
        for (const QString& target : kTargets) {
            const QDir dir(root.filePath(target));
            const QStringList files = dir.entryList(QDir::Files, QDir::Name);
            // A missing or emptied corpus would otherwise pass without checking anything.
            if (files.size() < 10)
                qFatal("corpus of %s has %lld files", qPrintable(target),
                       static_cast<long long>(files.size()));
            for (const QString& file : files)
                QTest::newRow(qPrintable(target + QLatin1Char('/') + file))
                    << target << dir.filePath(file);
        }
    }

    void corpusInput() {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray input = file.readAll();
        const Check check = checkOf(target);
        QVERIFY(check != nullptr);
        const fuzz::Findings findings =
            check(reinterpret_cast<const std::uint8_t*>(input.constData()),
                  static_cast<std::size_t>(input.size()));
        if (findings.failed())
            QFAIL(findings.first().c_str());
    }

    // The checks themselves must catch what they look for, or a clean corpus proves nothing.
    void checksReportFailures() {
        fuzz::Findings findings;
        findings.at("locale c");
        QVERIFY(findings.expect(true, "never"));
        QVERIFY(!findings.failed());
        QVERIFY(!findings.expect(false, "first", "a\r\n"));
        findings.expect(false, "second");
        QCOMPARE(QString::fromStdString(findings.first()),
                 QStringLiteral("first [a\\x0D\\x0A] (locale c)"));
    }
};

ZELT_TEST(TestFuzzCorpus)
#include "test_fuzz_corpus.moc"
