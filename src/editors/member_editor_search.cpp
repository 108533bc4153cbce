// The search of the member editor: members by name, surname, e-mail, referrer and Egold
// account, in the grid.
#include "editors/editor_context.h"
#include "editors/field_text.h"
#include "editors/member_editor.h"
#include "search/member_search.h"
#include "shell/message_table.h"
#include "ui/busy_pointer.h"
#include "ui/grid_view.h"

#include <QLineEdit>
#include <QPushButton>

namespace zelt {

void MemberEditor::cmdDisplay_Click() {
    const std::string name = singleLineText(txtSname);
    const std::string surname = singleLineText(txtSsurname);
    const std::string email = singleLineText(txtSemail);
    const std::string reference = singleLineText(txtSreferenceid);
    const std::string egold = singleLineText(txtSEgold_ID);
    // The busy pointer covers the search alone and is gone before any message.
    MemberSearchOutcome outcome = [&] {
        const BusyPointer busy(cmdDisplay, this);
        return searchMembers(DataFile, RecordCount,
                             MemberFilters{name, surname, email, reference, egold},
                             editorContext().rules);
    }();
    switch (outcome.kind) {
    case MemberSearchOutcome::Kind::Listed:
        MSFGView->setTable(std::move(outcome.table));
        break;
    case MemberSearchOutcome::Kind::NothingToDo:
        break;
    case MemberSearchOutcome::Kind::IncorrectNumber:
        Refuse(kMsgIncorrectValue, txtSreferenceid);
        break;
    case MemberSearchOutcome::Kind::FileError:
        Report(outcome.error);
        txtSreferenceid->setFocus();
        break;
    }
}

void MemberEditor::MSFGView_RowChosen(const QString& column0Text) {
    Choose_row(column0Text);
}

} // namespace zelt
