// File-system faults and damaged files in the windows. Every action of the editors (the payments
// window is the sales window's code on its own files) and of the main window that touches files is
// run once for every file operation it performs, with that one operation failing
// (support/fault_sweep.h says what is checked); files no editor wrote are shown.
#include "shell/frm_start.h"
#include "support/fault_sweep.h"
#include "support/sample_data.h"
#include "support/test_app.h"
#include "support/test_registry.h"
#include "support/window_driver.h"

#include <QtTest>

using namespace zelt;
using namespace zelt::test;

namespace {

// What the sweeps need to know of one editor, "name ^ button in the main window ^ data file ^
// side files of a new record 3 ^ of the edited record 2 ^ how to fill a new record ^ how to
// change the shown one".
QList<QStringList> editorCases() {
    QList<QStringList> cases;
    for (const QString& line : tableLines(R"(
sales ^ cmdSales ^ data/sales.kvr ^ addinfo/s3.txt ^ addinfo/s2.txt ^
    valid|txtSum=7,25|txtDetails=new details ^ txtSum=12,5|txtDetails=changed details
members ^ cmdAffiliates ^ data/affiliates.kvr ^ addinfo/3.txt ^ addinfo/2.txt ^
    valid|txtAdditional_Info=new info ^ txtName=Bruna|txtAdditional_Info=changed info
communications ^ cmdCommunications ^ data/communications.kvr ^ comm/3.txt comm/r3.txt comm/c3.txt ^
    comm/2.txt ^ valid|txtMessage=new message|txtResponce=new response|txtComments=new comments ^
    txtSubject=Changed|txtMessage=changed message
schemes ^ cmdAPSettings ^ data/apsettings.kvr ^  ^  ^ cmbType=Fixed|txtLevel(1)=4|txtMinPayment=15 ^
    txtMinPayment=12
)"))
        cases << line.split(QStringLiteral(" ^ "));
    return cases;
}

// The actions, "whose ^ name ^ what is done first ^ the action ^ how it is repeated after the fault
// (the action where empty) ^ what shows it done". A closed window is gone whatever its backup did:
// the retry opens the editor again and closes it, the earlier backup must have survived the failed
// one whole. The exports replace their file whole at the last step. Those of the main window
// (after the editors') load the folder, or click in the loaded window.
const char* const kActions = R"(
editors ^ load ^  ^ open ^  ^ record=2|count=2|+cmdCreate|-cmdSave
editors ^ close ^  ^ close ^ reopen|close
editors ^ create ^  ^ cmdCreate ^ ?cmdCreate ^ record=3|+cmdSave|-cmdCreate
editors ^ save new ^ cmdCreate ^ cmdSave ^ ?cmdSave ^ -cmdSave|count=3
editors ^ save edited ^ cmdEdit ^ cmdSave ^ ?cmdSave ^ -cmdSave|count=2
editors ^ export this ^  ^ cmdSaveThisRecord
editors ^ export all ^  ^ cmdSaveAllRecords
main window ^ first start ^  ^ load ^  ^ started
main window ^ start in a folder in use ^  ^ load ^  ^ started
main window ^ files for calculations ^  ^ cmdCreateFiles
)";

} // namespace

class EditorFaultsTest : public QObject, private EditorWindows {
    Q_OBJECT

    QPointer<frmStart> start_;
    bool started_ = false;

    void closeWindows() {
        closeEditor();
        if (start_)
            for (const QStringList& c : editorCases())
                if (QWidget* window = start_->editorWindow(editorKind(c[0])))
                    window->close();
        delete start_;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The action by the short names of the test rows (kActions).
    SweepAction actionFor(const QString& editor, const QString& name) {
        QStringList which{editor}, how;
        for (const QStringList& c : editorCases())
            which = editor == c[0] ? c : which;
        for (const QString& line : tableLines(kActions))
            if (line.section(QStringLiteral(" ^ "), 1, 1) == name)
                how = line.split(QStringLiteral(" ^ ")).mid(1);
        kind_ = editor;
        SweepAction action;
        action.name = editor + QLatin1Char(' ') + name;
        action.finish = [this] { closeWindows(); };
        const QString first = how.value(1), steps = how.value(2), retry = how.value(3),
                      done = how.value(4);
        // From the main window, which has loaded the folder unless loading is the action.
        const bool fromStart = which.size() == 1 || name == QLatin1String("load");
        const QString prelude =
            first.isEmpty()
                ? first
                : first + QLatin1Char('|') + which[first == QLatin1String("cmdEdit") ? 6 : 5];
        action.prepare = [this, name, editor, prelude, fromStart, steps] {
            if (!fromStart) {
                writeSampleData();
                open(editorKind(editor));
                return run(prelude);
            }
            start_ = new frmStart(testApp());
            if (name == QLatin1String("first start"))
                return;
            writeSampleData();
            // Leftovers of writes that a crash interrupted, which start-up clears away.
            writeUnderAppDir("data/.zelt-tmp-interrupted", "half a record");
            writeUnderAppDir("output/.zelt-tmp-interrupted", "half an export");
            if (steps != QLatin1String("load"))
                start_->load(QString::fromStdString(testApp().dir));
        };
        action.run = [this, fromStart, steps, which] {
            if (!fromStart)
                return run(steps);
            if (steps == QLatin1String("load"))
                started_ = start_->load(QString::fromStdString(testApp().dir));
            else
                clickOn(start_, steps == QLatin1String("open") ? which[1] : steps);
            if (which.size() > 1)
                editor_ = qobject_cast<RecordEditor*>(start_->editorWindow(editorKind(which[0])));
        };
        if (!retry.isEmpty())
            action.retry = [this, retry] { run(retry); };
        if (!done.isEmpty())
            action.done = [this, done] {
                return done == QLatin1String("started") ? started_ ? QString() : done
                                                        : unmet(done, {}).join(QLatin1Char(';'));
            };
        // Leftovers may go before a later operation failed; the calculation files are replaced
        // whole one after the other, those before the failing one complete. The record goes
        // first, then its side texts: a save whose side text failed has stored the record (the
        // screen stays as typed so that the save can be repeated), and a side text written
        // before a later one failed stays written.
        if (fromStart)
            action.mayBeNew = {"data/.zelt-tmp-interrupted", "output/.zelt-tmp-interrupted",
                               "output/members.clc", "output/sales.clc", "output/payments.clc"};
        else if (!first.isEmpty())
            for (const QString& file :
                 (which[first == QLatin1String("cmdEdit") ? 4 : 3] + QLatin1Char(' ') + which[2])
                     .split(QLatin1Char(' '), Qt::SkipEmptyParts))
                action.mayBeNew.insert(file.toStdString());
        return action;
    }

private slots:
    void init() { setUp(); }
    void cleanup() {
        MessageCapture closing; // a window closed after a failed check may still report
        closeWindows();
        tearDown();
    }

    void everyOperationFails_data() {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("action");
        const QList<QStringList> whose = editorCases()
                                         << QStringList{QStringLiteral("main window")};
        for (const QString& line : tableLines(kActions)) {
            const QStringList action = line.split(QStringLiteral(" ^ "));
            for (const QStringList& c : whose)
                if (action[0] == (c.size() == 1 ? c[0] : QStringLiteral("editors")))
                    QTest::addRow("%s %s", qPrintable(c[0]), qPrintable(action[1]))
                        << c[0] << action[1];
        }
    }
    void everyOperationFails() {
        QFETCH(QString, editor);
        QFETCH(QString, action);
        const SweepOutcome outcome = sweepFaults(actionFor(editor, action));
        QVERIFY2(outcome.problems.isEmpty(), qPrintable(outcome.problems.join(QLatin1Char('\n'))));
        QVERIFY(outcome.faults > 0);
    }

    // Faults whose effect on the window the sweeps do not see, and damaged files. A value no
    // editor writes (no number) is shown as an empty field and an empty grid cell, nothing
    // changed (in the sales window, and in the scheme window's single numbers); the other values
    // no date or number shows, and the other windows' cells, are the core's.
    void faultsInTheWindow_data() {
        addScenarioColumns();
        addScenarioRows(R"(
data file that cannot be opened ^ sales ^ sample|fail:Open@sales.kvr ^  ^ ~sales.kvr ^ -cmdCreate|
    -cmdEdit|-cmdSave|-cmdFirst|-cmdGoTo|-cmdSaveThisRecord|-cmdSaveAllRecords|-cmdDisplay
no backup of a file never opened ^ sales ^ sample|fail:Open@sales.kvr ^ fail:|close ^ ~sales.kvr ^
    closed|backcopies/sales.kvr=earlier backup
failed backup keeps the earlier copy ^ payments ^ sample ^ fail:Rename@backcopies|close ^
    ~backcopies ^ closed|backcopies/payments.kvr=earlier backup
unreadable details are never overwritten ^ sales ^ sample|fail:Read@s2.txt ^ cmdEdit|txtDetails=new|
    txtSum=9|cmdSave ^ ~s2.txt|~s2.txt ^ same|+cmdSave|addinfo/s2.txt=sale details 2\r\n
unreadable member info is left alone ^ members ^ sample|fail:Read@addinfo/2.txt ^ fail:|cmdEdit|
    txtName=Zed|cmdSave ^ ~2.txt ^ -cmdSave|+nav|data/affiliates.kvr@211#5a656420|
    addinfo/2.txt=info of member 2\r\n
unreadable message file blocks the save ^ communications ^ sample ^ cmdEdit|txtMessage=new|txtID=99|
    fail:Read@comm/2.txt|cmdSave ^ ~2.txt ^ same|+cmdSave
unwritten message file: the record is stored ^ communications ^ sample ^ cmdEdit|txtID=5|
    txtMessage=new|fail:Rename@comm/2.txt|cmdSave ^ ~2.txt ^ data/communications.kvr@50#05000000|
    comm/2.txt=message 2\r\n|txtMessage=new|+cmdSave
sales NaN ^ sales ^ data/sales.kvr*0|data/sales.kvr@0#070000000000c07f000000000000f87f ^
    txtSAffID=7|cmdDisplay ^  ^ same|txtSum=|txtDate=|rows=1|col1=|col3=
schemes NaN ^ schemes ^ data/apsettings.kvr*60|data/apsettings.kvr@10#0000c07f 1e00|
    data/apsettings.kvr@28#0000c07f0000c07f0000c07f0000c07f0000c07f0000c07f0000c07f0000c07f ^  ^  ^
    txtMinPayment=|txtLevel(1)=|txtLevel(8)=
control bytes in a member's texts ^ members ^ schemes|data/affiliates.kvr*211|
    data/affiliates.kvr@0#000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f|
    data/affiliates.kvr@185#0100000000000000|data/affiliates.kvr@197#0100|
    addinfo/1.txt=\u0001\u0002\t\u001b\r\nend ^  ^  ^ same|clean:txtName|clean:txtSurname
sales, no whole records ^ sales ^ data/sales.kvr*37|addinfo/s2.txt=\u0001\r ^ cmdFirst|cmdNext|
    cmdNext|txtCurrent_Record=1|cmdGoTo|txtSdate=16.11.2001|txtSAffID=0|cmdDisplay|sort:1|sort:3 ^
     ^ same|count=2
members, no whole records ^ members ^ data/apsettings.kvr*61|data/affiliates.kvr*500 ^ cmdFirst|
    cmdNext|txtSname=a|txtSEgold_ID=-1|cmdDisplay|sort:10|sort:13 ^  ^ same|count=2
communications, no whole records ^ communications ^ data/communications.kvr*130 ^ cmdFirst|cmdNext|
    cmdNext|txtSID=0|txtSdate_r=16.11.2001|cmdDisplay|sort:3 ^  ^ same|count=3
schemes, no whole records ^ schemes ^ data/apsettings.kvr*100 ^ cmdFirst|cmdNext ^  ^ same|count=2
)");
    }
    void faultsInTheWindow() { runScenario(); }
};

ZELT_TEST(EditorFaultsTest)
#include "test_editor_faults.moc"
