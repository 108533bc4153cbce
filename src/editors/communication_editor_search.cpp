// The search of the communication editor: records by member, subject and dates, in the grid.
#include "editors/communication_editor.h"
#include "editors/field_text.h"
#include "search/communication_search.h"
#include "storage/locale_rules.h"
#include "ui/busy_pointer.h"
#include "ui/grid_view.h"

#include <QLineEdit>
#include <QPushButton>

namespace zelt {

void CommunicationEditor::onCmdDisplayClicked() {
    const std::string memberID = singleLineText(txtSID);
    const std::string subject = singleLineText(txtSsubject);
    const std::string date = singleLineText(txtSdate);
    const std::string dateR = singleLineText(txtSdate_r);
    // The busy pointer covers the search alone and is gone before any message.
    CommunicationSearchOutcome outcome = [&] {
        const BusyPointer busy(cmdDisplay, this);
        return searchCommunications(dataFile_, recordCount_, {memberID, subject, date, dateR},
                                    app().rules);
    }();
    switch (outcome.kind) {
    case CommunicationSearchOutcome::Kind::Listed:
        MSFGView->setTable(std::move(outcome.table));
        break;
    case CommunicationSearchOutcome::Kind::NothingToDo:
        break;
    case CommunicationSearchOutcome::Kind::FileError:
        report(outcome.error);
        txtSID->setFocus();
        break;
    }
}

} // namespace zelt
