// The search of the member editor: members by name, surname, e-mail, referrer and Egold
// account, in the grid.
#include "editors/field_text.h"
#include "editors/member_editor.h"
#include "search/member_search.h"
#include "shell/message_table.h"
#include "storage/locale_rules.h"
#include "ui/busy_pointer.h"
#include "ui/grid_view.h"

#include <QLineEdit>
#include <QPushButton>

namespace zelt {

void MemberEditor::onCmdDisplayClicked() {
    const std::string name = singleLineText(txtSname);
    const std::string surname = singleLineText(txtSsurname);
    const std::string email = singleLineText(txtSemail);
    const std::string reference = singleLineText(txtSreferenceid);
    const std::string egold = singleLineText(txtSEgold_ID);
    // The busy pointer covers the search alone and is gone before any message.
    MemberSearchOutcome outcome = [&] {
        const BusyPointer busy(cmdDisplay, this);
        return searchMembers(dataFile_, recordCount_,
                             MemberFilters{name, surname, email, reference, egold}, app().rules);
    }();
    switch (outcome.kind) {
    case MemberSearchOutcome::Kind::Listed:
        MSFGView->setTable(std::move(outcome.table));
        break;
    case MemberSearchOutcome::Kind::NothingToDo:
        break;
    case MemberSearchOutcome::Kind::IncorrectNumber:
        refuse(MessageTable.MsgIncorrectValue, txtSreferenceid);
        break;
    case MemberSearchOutcome::Kind::FileError:
        report(outcome.error);
        txtSreferenceid->setFocus();
        break;
    }
}

} // namespace zelt
