// The search of the communication editor: records by member, subject and dates, in the grid.
#include "editors/communication_editor.h"
#include "editors/editor_context.h"
#include "editors/field_text.h"
#include "search/communication_search.h"
#include "ui/busy_pointer.h"
#include "ui/grid_view.h"

#include <QLineEdit>
#include <QPushButton>

namespace zelt {

void CommunicationEditor::cmdDisplay_Click() {
    const std::string memberID = singleLineText(txtSID);
    const std::string subject = singleLineText(txtSsubject);
    const std::string date = singleLineText(txtSdate);
    const std::string dateR = singleLineText(txtSdate_r);
    // The busy pointer covers the search alone and is gone before any message.
    CommunicationSearchOutcome outcome = [&] {
        const BusyPointer busy(cmdDisplay, this);
        return searchCommunications(DataFile, RecordCount, {memberID, subject, date, dateR},
                                    editorContext().rules);
    }();
    switch (outcome.kind) {
    case CommunicationSearchOutcome::Kind::Listed:
        MSFGView->setTable(std::move(outcome.table));
        break;
    case CommunicationSearchOutcome::Kind::NothingToDo:
        break;
    case CommunicationSearchOutcome::Kind::FileError:
        Report(outcome.error);
        txtSID->setFocus();
        break;
    }
}

void CommunicationEditor::MSFGView_RowChosen(const QString& column0Text) {
    Choose_row(column0Text);
}

} // namespace zelt
