#include "gui_workloads.h"

#include "tree_workload.h"
#include "workload_parameters.h"

#include "data_generator.h"
#include "editors/editor_factory.h"
#include "editors/record_editor.h"
#include "storage/app_context.h"
#include "storage/app_paths.h"
#include "storage/locale_rules.h"
#include "storage/member_count.h"
#include "storage/member_record.h"
#include "storage/record_kind.h"
#include "ui/grid_view.h"
#include "ui/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

#include <unistd.h>

namespace zelt::bench {

namespace {

// Messages that the editors show; a workload that meets one has gone wrong.
QStringList& shownMessages() {
    static QStringList messages;
    return messages;
}

// The folder and rules the measured editors work with.
AppContext& benchApp() {
    static AppContext app;
    return app;
}

void useProgramFolder(const std::string& appDir) {
    benchApp() = AppContext{appDir, LocaleRules::c()};
    setMessageHandler([](const QString& text) { shownMessages().push_back(text); });
}

Status noMessages(const char* during) {
    if (shownMessages().isEmpty())
        return {};
    const std::string text = shownMessages().join(QStringLiteral(" / ")).toStdString();
    shownMessages().clear();
    return FsError{during, benchApp().dir, "the editor said: " + text};
}

// Lets the window process what showing and painting it asked for.
void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void closeEditor(QPointer<QWidget>& editor) {
    if (!editor)
        return;
    editor->close(); // Form_Unload: closes the file and makes the backup copy
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete editor.data();
    settle();
}

// A shown editor, or nullptr when the program has no editor of that kind yet.
QWidget* openEditor(EditorKind kind) {
    QWidget* editor = createEditor(kind, benchApp());
    if (editor) {
        editor->show();
        settle();
    }
    return editor;
}

template <class Control> Control* control(QWidget* editor, const char* name) {
    return editor->findChild<Control*>(QString::fromLatin1(name));
}

void setText(QWidget* editor, const char* name, const QString& text) {
    if (auto* field = control<QLineEdit>(editor, name))
        field->setText(text);
    else if (auto* box = control<QComboBox>(editor, name))
        box->setEditText(text);
    else if (auto* plain = control<QPlainTextEdit>(editor, name))
        plain->setPlainText(text);
    else if (auto* rich = control<QTextEdit>(editor, name))
        rich->setPlainText(text);
}

Status click(QWidget* editor, const char* name) {
    auto* button = control<QAbstractButton>(editor, name);
    if (!button)
        return FsError{"find", name, "the editor has no such button"};
    button->click();
    settle();
    return noMessages(name);
}

std::unique_ptr<Workload> editorOpening(const std::string& appDir, EditorKind kind,
                                        std::string& unavailable) {
    useProgramFolder(appDir);
    QPointer<QWidget> probe = createEditor(kind, benchApp());
    if (!probe) {
        unavailable = "the program has no such editor yet";
        return nullptr;
    }
    closeEditor(probe);
    shownMessages().clear();
    auto editor = std::make_shared<QPointer<QWidget>>();
    auto workload = std::make_unique<Workload>();
    workload->run = [editor, kind]() -> Status {
        *editor = openEditor(kind);
        return noMessages("open the editor");
    };
    workload->finish = [editor]() -> Status {
        closeEditor(*editor);
        return {};
    };
    return workload;
}

// The member editor's grid after a search.
struct MemberGrid {
    QPointer<QWidget> editor;
    GridView* grid = nullptr;
    std::int64_t rows = 0;
};

Status listMembers(MemberGrid& state, const QString& name) {
    setText(state.editor, "txtSname", name);
    Status done = click(state.editor, "cmdDisplay");
    state.rows = state.grid->model() ? state.grid->model()->rowCount() : 0;
    return done;
}

std::shared_ptr<MemberGrid> openMemberGrid(const std::string& appDir, std::string& unavailable) {
    useProgramFolder(appDir);
    auto state = std::make_shared<MemberGrid>();
    state->editor = openEditor(EditorKind::Members);
    if (!state->editor) {
        unavailable = "the program has no member editor yet";
        return nullptr;
    }
    state->grid = control<GridView>(state->editor, "MSFGView");
    if (!state->grid) {
        unavailable = "the member editor has no search grid yet";
        return nullptr;
    }
    shownMessages().clear();
    return state;
}

// A member search that lists every member (all carry the same name) into the grid.
std::unique_ptr<Workload> gridListing(const std::string& appDir, std::string& unavailable) {
    auto state = openMemberGrid(appDir, unavailable);
    if (!state)
        return nullptr;
    auto workload = std::make_unique<Workload>();
    // A search that finds nobody empties the grid, so that each run builds it from nothing.
    workload->prepare = [state] { return listMembers(*state, QStringLiteral("nobody")); };
    workload->run = [state] { return listMembers(*state, QString::fromLatin1(kSameName)); };
    workload->records = [state] { return state->rows; };
    return workload;
}

// Sorting the listed grid by one column, as a click on its heading does.
std::unique_ptr<Workload> gridSort(const std::string& appDir, int column,
                                   std::string& unavailable) {
    auto state = openMemberGrid(appDir, unavailable);
    if (!state)
        return nullptr;
    if (Status listed = listMembers(*state, QString::fromLatin1(kSameName)); !listed) {
        unavailable = listed.error().message();
        return nullptr;
    }
    auto workload = std::make_unique<Workload>();
    // A new search before every run: the rows stand in the order found, and the grid makes the
    // column's sort keys in the timed sort, as on the operator's first click on that heading.
    workload->prepare = [state] { return listMembers(*state, QString::fromLatin1(kSameName)); };
    workload->run = [state, column]() -> Status {
        state->grid->sortRowsBy(column);
        settle();
        return {};
    };
    workload->records = [state] { return state->rows; };
    return workload;
}

// Saving a new member referred by one near the end of the file: the save looks the referrer up.
std::unique_ptr<Workload> memberSaving(const std::string& appDir, std::string& unavailable) {
    useProgramFolder(appDir);
    QPointer<QWidget> probe = createEditor(EditorKind::Members, benchApp());
    if (!probe) {
        unavailable = "the program has no member editor yet";
        return nullptr;
    }
    closeEditor(probe);
    shownMessages().clear();
    const std::string dataPath = filePath(appDir, Folder::Data, MemberRecord::kFileName);
    auto members = countMembers(appDir);
    if (!members) {
        unavailable = "no members file";
        return nullptr;
    }
    struct State {
        QPointer<QWidget> editor;
        std::int32_t members = 0;
    };
    auto state = std::make_shared<State>();
    state->members = *members;
    auto workload = std::make_unique<Workload>();
    workload->prepare = [state]() -> Status {
        state->editor = openEditor(EditorKind::Members);
        if (Status done = click(state->editor, "cmdCreate"); !done)
            return done;
        QWidget* e = state->editor;
        setText(e, "txtName", QStringLiteral("Bench"));
        setText(e, "txtSurname", QStringLiteral("Saver"));
        setText(e, "txtStreet", QStringLiteral("1 Main Street"));
        setText(e, "txtCity", QStringLiteral("Leeds"));
        setText(e, "txtPost_Cod", QStringLiteral("12345"));
        setText(e, "txtCountry", QStringLiteral("United Kingdom"));
        setText(e, "txtPhone", QStringLiteral("+44 1"));
        setText(e, "txtE_mail", QStringLiteral("bench@example.com"));
        setText(e, "txtURL", QStringLiteral("www.example.com"));
        setText(e, "txtEgold_ID", QStringLiteral("0"));
        setText(e, "txtRef_ID", QString::number(savedReferrer(state->members)));
        setText(e, "cmbAP_ID", QStringLiteral("1"));
        setText(e, "txtAdditional_Info", QStringLiteral("Saved by the benchmark."));
        return {};
    };
    workload->run = [state] { return click(state->editor, "cmdSave"); };
    workload->finish = [state, dataPath, appDir]() -> Status {
        auto* editor = qobject_cast<RecordEditor*>(state->editor.data());
        const bool saved = editor && editor->recordCount() == state->members + 1 &&
                           editor->editMode() == RecordEditor::Mode::Browsing;
        closeEditor(state->editor);
        // Put the folder back as it was for the next run and the other workloads.
        const off_t length = static_cast<off_t>(state->members) * MemberRecord::kLength;
        if (truncate(dataPath.c_str(), length) != 0)
            return FsError{"truncate", dataPath, "cannot put the file back"};
        // The new member's side text, where the save wrote one: a missing one is no failure.
        static_cast<void>(fs::remove(sideFilePath(appDir, RecordKind::Members,
                                                  SideText::AdditionalInfo, state->members + 1)));
        if (!saved)
            return FsError{"save", dataPath, "the new member was not saved"};
        return {};
    };
    workload->records = [state] { return std::int64_t{state->members}; };
    return workload;
}

WorkloadMaker opening(const char* name, EditorKind kind) {
    return {name, [kind](const std::string& appDir, std::string& unavailable) {
                return editorOpening(appDir, kind, unavailable);
            }};
}

WorkloadMaker sorting(const char* name, int column) {
    return {name, [column](const std::string& appDir, std::string& unavailable) {
                return gridSort(appDir, column, unavailable);
            }};
}

} // namespace

std::vector<WorkloadMaker> guiWorkloads() {
    // Member grid columns: 2 "Surname", 10 "Level", 13 "Date".
    return {
        {"grid-list-all", gridListing},
        sorting("grid-sort-surname", 2),
        sorting("grid-sort-level", 10),
        sorting("grid-sort-date", 13),
        opening("open-editor-members", EditorKind::Members),
        opening("open-editor-sales", EditorKind::Sales),
        opening("open-editor-payments", EditorKind::Payments),
        opening("open-editor-communications", EditorKind::Communications),
        opening("open-editor-schemes", EditorKind::Schemes),
        {"save-member", memberSaving},
        treeOpening(),
    };
}

} // namespace zelt::bench
