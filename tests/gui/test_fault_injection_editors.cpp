// File-system faults in every action of the five editors that touches files: loading, closing,
// creating, saving a new and an edited record, and the two exports. Each action is run once for
// every file operation it performs, with that one operation failing.
#include "editors/editor_factory.h"
#include "editors/record_editor.h"
#include "shell/frm_start.h"
#include "shell/message_table.h"
#include "shell/zelt_module.h"
#include "support/fault_sweep.h"
#include "support/message_capture.h"
#include "support/sample_data.h"
#include "support/test_locales.h"
#include "support/test_registry.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QPointer>
#include <QtTest>

#include <functional>
#include <memory>
#include <set>

using namespace zelt;
using namespace zelt::test;

namespace {

// What the sweeps need to know of one editor: how to open it, what a new and an edited record
// look like, and which side files their saves write.
struct EditorCase {
    EditorKind kind;
    const char* button; // in the main window
    std::string dataFile;
    std::set<std::string> sideFilesOfNew;    // record 3
    std::set<std::string> sideFilesOfEdited; // record 2
    std::function<void(QWidget*)> fillNew;
    std::function<void(QWidget*)> changeShown;
};

void fillSale(QWidget* editor) {
    typeInto(editor, QStringLiteral("txtAffiliateID"), QStringLiteral("2"));
    typeInto(editor, QStringLiteral("txtSum"), QStringLiteral("7,25"));
    typeInto(editor, QStringLiteral("txtDate"), QStringLiteral("03.02.2001"));
    typeInto(editor, QStringLiteral("txtDetails"), QStringLiteral("new details"));
}
void changeSale(QWidget* editor) {
    typeInto(editor, QStringLiteral("txtSum"), QStringLiteral("12,5"));
    typeInto(editor, QStringLiteral("txtDetails"), QStringLiteral("changed details"));
}
void fillMember(QWidget* editor) {
    typeInto(editor, QStringLiteral("txtName"), QStringLiteral("Clara"));
    typeInto(editor, QStringLiteral("txtRef_ID"), QStringLiteral("2"));
    typeInto(editor, QStringLiteral("txtDate"), QStringLiteral("03.02.2001"));
    typeInto(editor, QStringLiteral("cmbAP_ID"), QStringLiteral("2"));
    typeInto(editor, QStringLiteral("txtAdditional_Info"), QStringLiteral("new info"));
}
void changeMember(QWidget* editor) {
    typeInto(editor, QStringLiteral("txtName"), QStringLiteral("Bruna"));
    typeInto(editor, QStringLiteral("txtAdditional_Info"), QStringLiteral("changed info"));
}
void fillCommunication(QWidget* editor) {
    typeInto(editor, QStringLiteral("txtID"), QStringLiteral("1"));
    typeInto(editor, QStringLiteral("txtSubject"), QStringLiteral("Order"));
    typeInto(editor, QStringLiteral("txtDate"), QStringLiteral("03.02.2001"));
    typeInto(editor, QStringLiteral("txtDate_R"), QStringLiteral("04.02.2001"));
    typeInto(editor, QStringLiteral("txtMessage"), QStringLiteral("new message"));
    typeInto(editor, QStringLiteral("txtResponce"), QStringLiteral("new response"));
    typeInto(editor, QStringLiteral("txtComments"), QStringLiteral("new comments"));
}
void changeCommunication(QWidget* editor) {
    typeInto(editor, QStringLiteral("txtSubject"), QStringLiteral("Changed"));
    typeInto(editor, QStringLiteral("txtMessage"), QStringLiteral("changed message"));
}
void fillScheme(QWidget* editor) {
    controlOf<QComboBox>(editor, QStringLiteral("cmbType"))->setCurrentIndex(1);
    typeInto(editor, QStringLiteral("txtLevel(1)"), QStringLiteral("4"));
    typeInto(editor, QStringLiteral("txtMinPayment"), QStringLiteral("15"));
}
void changeScheme(QWidget* editor) {
    typeInto(editor, QStringLiteral("txtMinPayment"), QStringLiteral("12"));
}

EditorCase editorCase(const QString& name) {
    if (name == QLatin1String("sales"))
        return {EditorKind::Sales,  "cmdSales", "data/sales.kvr", {"addinfo/s3.txt"},
                {"addinfo/s2.txt"}, fillSale,   changeSale};
    if (name == QLatin1String("payments"))
        return {EditorKind::Payments, "cmdPayments", "data/payments.kvr", {"addinfo/p3.txt"},
                {"addinfo/p2.txt"},   fillSale,      changeSale};
    if (name == QLatin1String("members"))
        return {EditorKind::Members, "cmdAffiliates", "data/affiliates.kvr", {"addinfo/3.txt"},
                {"addinfo/2.txt"},   fillMember,      changeMember};
    if (name == QLatin1String("communications"))
        return {EditorKind::Communications,
                "cmdCommunications",
                "data/communications.kvr",
                {"comm/3.txt", "comm/r3.txt", "comm/c3.txt"},
                {"comm/2.txt"},
                fillCommunication,
                changeCommunication};
    return {EditorKind::Schemes, "cmdAPSettings", "data/apsettings.kvr", {}, {},
            fillScheme,          changeScheme};
}

QString unlessTrue(bool condition, const char* why) {
    return condition ? QString() : QString::fromLatin1(why);
}

} // namespace

class FaultInjectionEditorsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScopedRules> rules_;
    QPointer<frmStart> start_;
    QPointer<RecordEditor> editor_;

    void openEditor(EditorKind kind) {
        editor_ =
            qobject_cast<RecordEditor*>(createEditor(kind, AppContext{AppDir, currentRules()}));
        editor_->show();
    }
    void closeWindows() {
        if (editor_)
            editor_->close();
        if (start_) {
            for (EditorKind kind : {EditorKind::Members, EditorKind::Communications,
                                    EditorKind::Sales, EditorKind::Payments, EditorKind::Schemes})
                if (QWidget* window = start_->editorWindow(kind))
                    window->close();
            delete start_;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void clickIfEnabled(const char* name) {
        if (enabledIn(editor_, QString::fromLatin1(name)))
            clickOn(editor_, QString::fromLatin1(name));
    }

    // An action in an editor opened on the sample data, with its fields as prepared.
    SweepAction inEditor(const QString& name, const EditorCase& editor,
                         std::function<void()> afterOpening, std::function<void()> run) {
        SweepAction action;
        action.name = name;
        action.prepare = [this, editor, afterOpening] {
            writeSampleData();
            openEditor(editor.kind);
            if (afterOpening)
                afterOpening();
        };
        action.run = std::move(run);
        action.finish = [this] { closeWindows(); };
        return action;
    }

    void closeEditor() {
        editor_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The action of the editor, by the short names of the test rows.
    SweepAction actionFor(const QString& editor, const QString& name) {
        const EditorCase which = editorCase(editor);
        const QString title = editor + QLatin1Char(' ') + name;
        if (name == QLatin1String("load")) {
            SweepAction action;
            action.name = title;
            action.prepare = [this] {
                writeSampleData();
                start_ = new frmStart;
                start_->Form_Load(QString::fromStdString(AppDir));
            };
            action.run = [this, which] { clickOn(start_, QString::fromLatin1(which.button)); };
            action.done = [this, which] {
                auto* window = qobject_cast<RecordEditor*>(start_->editorWindow(which.kind));
                return unlessTrue(window && window->isVisible() &&
                                      window->editMode() == RecordEditor::Mode::Browsing &&
                                      window->recordCount() == 2 && window->currentRecord() == 2 &&
                                      enabledIn(window, QStringLiteral("cmdCreate")),
                                  "the editor does not show the last of the two records");
            };
            action.finish = [this] { closeWindows(); };
            return action;
        }
        if (name == QLatin1String("close")) {
            // A closed window is gone whatever its backup did, so the repeat opens the editor
            // again and closes it; the earlier backup must have survived the failed one whole.
            SweepAction action = inEditor(title, which, {}, [this] { closeEditor(); });
            action.retry = [this, which] {
                openEditor(which.kind);
                closeEditor();
            };
            return action;
        }
        if (name == QLatin1String("create")) {
            SweepAction action = inEditor(
                title, which, {}, [this] { clickOn(editor_, QStringLiteral("cmdCreate")); });
            action.retry = [this] { clickIfEnabled("cmdCreate"); };
            action.done = [this] {
                return unlessTrue(editor_->editMode() == RecordEditor::Mode::Creating &&
                                      editor_->currentRecord() == 3,
                                  "record 3 is not being created");
            };
            return action;
        }
        if (name == QLatin1String("save new") || name == QLatin1String("save edited")) {
            const bool created = name == QLatin1String("save new");
            SweepAction action = inEditor(
                title, which,
                [this, which, created] {
                    clickOn(editor_,
                            created ? QStringLiteral("cmdCreate") : QStringLiteral("cmdEdit"));
                    (created ? which.fillNew : which.changeShown)(editor_);
                },
                [this] { clickOn(editor_, QStringLiteral("cmdSave")); });
            // The record goes first, then its side texts: a save whose side text failed has
            // already stored the record (the screen stays as typed so that the save can be
            // repeated), and a side text written before a later one failed stays written.
            action.mayBeNew = created ? which.sideFilesOfNew : which.sideFilesOfEdited;
            action.mayBeNew.insert(which.dataFile);
            action.retry = [this] { clickIfEnabled("cmdSave"); };
            const int records = created ? 3 : 2;
            action.done = [this, records] {
                return unlessTrue(!enabledIn(editor_, QStringLiteral("cmdSave")) &&
                                      editor_->recordCount() == records,
                                  "the editor is not browsing the saved record");
            };
            return action;
        }
        // The exports replace their file whole at the last step, so a failed export leaves the
        // earlier one as it was.
        const QString button = name == QLatin1String("export this")
                                   ? QStringLiteral("cmdSaveThisRecord")
                                   : QStringLiteral("cmdSaveAllRecords");
        return inEditor(title, which, {}, [this, button] { clickOn(editor_, button); });
    }

    static void report(const QString& name, const SweepOutcome& outcome) {
        qInfo("%s: %d file operations, %d faults injected", qPrintable(name), outcome.operations,
              outcome.faults);
        QVERIFY2(outcome.problems.isEmpty(), qPrintable(outcome.problems.join(QLatin1Char('\n'))));
        QVERIFY(outcome.faults > 0);
    }

private slots:
    void initTestCase() { fill_message_table(); }
    void init() { rules_ = std::make_unique<ScopedRules>(LocaleRules::dayMonthYearComma()); }
    void cleanup() {
        MessageCapture closing; // a window closed after a failed check may still report
        closeWindows();
        rules_.reset();
    }

    void everyOperationFails_data() {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("action");
        for (const char* editor : {"sales", "payments", "members", "communications", "schemes"})
            for (const char* action : {"load", "close", "create", "save new", "save edited",
                                       "export this", "export all"})
                QTest::addRow("%s %s", editor, action)
                    << QString::fromLatin1(editor) << QString::fromLatin1(action);
    }
    void everyOperationFails() {
        QFETCH(QString, editor);
        QFETCH(QString, action);
        const SweepAction sweep = actionFor(editor, action);
        report(sweep.name, sweepFaults(sweep));
    }

    // What no seam is needed for: an entry of the wrong kind where the program expects a
    // folder or a data file.
    void entryInTheWay_data() {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("plainFile");
        const QList<QPair<const char*, const char*>> dataFiles = {
            {"sales", "data/sales.kvr"},
            {"payments", "data/payments.kvr"},
            {"members", "data/affiliates.kvr"},
            {"members", "data/apsettings.kvr"},
            {"communications", "data/communications.kvr"},
            {"schemes", "data/apsettings.kvr"}};
        for (const auto& [editor, file] : dataFiles)
            QTest::addRow("%s load, folder %s", editor, file)
                << QString::fromLatin1(editor) << QStringLiteral("load")
                << QString::fromLatin1(file) << false;
        for (const char* editor : {"sales", "payments", "members", "communications", "schemes"}) {
            QTest::addRow("%s load, file data", editor)
                << QString::fromLatin1(editor) << QStringLiteral("load") << QStringLiteral("data")
                << true;
            QTest::addRow("%s export, file output", editor)
                << QString::fromLatin1(editor) << QStringLiteral("export all")
                << QStringLiteral("output") << true;
            QTest::addRow("%s close, file backcopies", editor)
                << QString::fromLatin1(editor) << QStringLiteral("close")
                << QStringLiteral("backcopies") << true;
        }
        for (const char* editor : {"sales", "payments", "members"})
            for (const char* action : {"load", "save new"})
                QTest::addRow("%s %s, file addinfo", editor, action)
                    << QString::fromLatin1(editor) << QString::fromLatin1(action)
                    << QStringLiteral("addinfo") << true;
        for (const char* action : {"load", "save new"})
            QTest::addRow("communications %s, file comm", action)
                << QStringLiteral("communications") << QString::fromLatin1(action)
                << QStringLiteral("comm") << true;
    }
    void entryInTheWay() {
        QFETCH(QString, editor);
        QFETCH(QString, action);
        QFETCH(QString, entry);
        QFETCH(bool, plainFile);
        const SweepOutcome outcome = blockedEntry(actionFor(editor, action), entry.toStdString(),
                                                  plainFile ? Blocker::PlainFile : Blocker::Folder);
        QVERIFY2(outcome.problems.isEmpty(), qPrintable(outcome.problems.join(QLatin1Char('\n'))));
    }
};

ZELT_TEST(FaultInjectionEditorsTest)
#include "test_fault_injection_editors.moc"
