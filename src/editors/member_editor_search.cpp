// The search of the member editor: members by name, surname, e-mail, referrer and Egold
// account, in the grid.
#include "editors/field_text.h"
#include "editors/member_editor.h"
#include "search/member_search.h"
#include "shell/message_table.h"

#include <QLineEdit>

namespace zelt {

void MemberEditor::onCmdDisplayClicked() {
    const std::string name = singleLineText(txtSname);
    const std::string surname = singleLineText(txtSsurname);
    const std::string email = singleLineText(txtSemail);
    const std::string reference = singleLineText(txtSreferenceid);
    const std::string egold = singleLineText(txtSEgold_ID);
    const MemberFilters filters{name, surname, email, reference, egold};
    const auto kind =
        runSearch([&] { return searchMembers(dataFile_, recordCount_, filters, app().rules); },
                  txtSreferenceid);
    if (kind == MemberSearchOutcome::Kind::IncorrectNumber)
        refuse(kMsgIncorrectValue, txtSreferenceid);
}

} // namespace zelt
