// File-system faults in the main window's actions: start-up and the files for calculations.
// Each action is run once for every file operation it performs, with that one operation failing.
#include "shell/frm_start.h"
#include "shell/message_table.h"
#include "support/fault_sweep.h"
#include "support/message_capture.h"
#include "support/sample_data.h"
#include "support/test_app.h"
#include "support/test_locales.h"
#include "support/test_registry.h"
#include "support/window_driver.h"

#include <QPointer>
#include <QtTest>

#include <memory>

using namespace zelt;
using namespace zelt::test;

class FaultInjectionShellTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScopedRules> rules_;
    QPointer<frmStart> start_;
    bool started_ = false;

    void closeWindows() {
        delete start_;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    SweepAction startUp(const QString& name, bool folderInUse) {
        SweepAction action;
        action.name = name;
        action.prepare = [this, folderInUse] {
            started_ = false;
            start_ = new frmStart(testApp());
            if (!folderInUse)
                return;
            writeSampleData();
            // Leftovers of writes that a crash interrupted, which start-up clears away.
            writeUnderAppDir("data/.zelt-tmp-interrupted", "half a record");
            writeUnderAppDir("output/.zelt-tmp-interrupted", "half an export");
        };
        action.run = [this] { started_ = start_->load(QString::fromStdString(testApp().dir)); };
        action.done = [this] {
            return started_ ? QString() : QStringLiteral("the main window did not start");
        };
        action.finish = [this] { closeWindows(); };
        // Leftovers may be gone before a later operation failed; they hold nothing of value.
        action.mayBeNew = {"data/.zelt-tmp-interrupted", "output/.zelt-tmp-interrupted"};
        return action;
    }

    SweepAction filesForCalculations() {
        SweepAction action;
        action.name = QStringLiteral("files for calculations");
        action.prepare = [this] {
            writeSampleData();
            start_ = new frmStart(testApp());
            start_->load(QString::fromStdString(testApp().dir));
        };
        action.run = [this] { clickOn(start_, QStringLiteral("cmdCreateFiles")); };
        action.finish = [this] { closeWindows(); };
        // The four files are written one after the other, each replaced whole: those before
        // the failing one are complete, the failing one and those after it are the earlier
        // ones.
        action.mayBeNew = {"output/members.clc", "output/sales.clc", "output/payments.clc"};
        return action;
    }

    static void report(const SweepOutcome& outcome, const QString& name) {
        qInfo("%s: %d file operations, %d faults injected", qPrintable(name), outcome.operations,
              outcome.faults);
        QVERIFY2(outcome.problems.isEmpty(), qPrintable(outcome.problems.join(QLatin1Char('\n'))));
        QVERIFY(outcome.faults > 0);
    }

private slots:
    void init() { rules_ = std::make_unique<ScopedRules>(LocaleRules::dayMonthYearComma()); }
    void cleanup() {
        MessageCapture closing;
        closeWindows();
        rules_.reset();
    }

    void firstStart() {
        const SweepAction action = startUp(QStringLiteral("first start-up"), false);
        report(sweepFaults(action), action.name);
    }

    void startInAFolderInUse() {
        const SweepAction action = startUp(QStringLiteral("start-up in a folder in use"), true);
        report(sweepFaults(action), action.name);
    }

    void createFilesForCalculations() {
        const SweepAction action = filesForCalculations();
        report(sweepFaults(action), action.name);
    }

    void entryInTheWay_data() {
        QTest::addColumn<bool>("calculations");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("plainFile");
        QTest::newRow("start-up, file data") << false << QStringLiteral("data") << true;
        QTest::newRow("calculations, file data") << true << QStringLiteral("data") << true;
        QTest::newRow("calculations, file output") << true << QStringLiteral("output") << true;
        for (const char* file :
             {"data/affiliates.kvr", "data/sales.kvr", "data/payments.kvr", "data/apsettings.kvr"})
            QTest::addRow("calculations, folder %s", file)
                << true << QString::fromLatin1(file) << false;
    }
    void entryInTheWay() {
        QFETCH(bool, calculations);
        QFETCH(QString, entry);
        QFETCH(bool, plainFile);
        const SweepAction action =
            calculations ? filesForCalculations() : startUp(QStringLiteral("start-up"), true);
        const SweepOutcome outcome = blockedEntry(action, entry.toStdString(),
                                                  plainFile ? Blocker::PlainFile : Blocker::Folder);
        QVERIFY2(outcome.problems.isEmpty(), qPrintable(outcome.problems.join(QLatin1Char('\n'))));
    }
};

ZELT_TEST(FaultInjectionShellTest)
#include "test_fault_injection_shell.moc"
