// The search of the communication editor: records by member, subject and dates, in the grid.
#include "editors/communication_editor.h"
#include "editors/field_text.h"
#include "search/communication_search.h"

#include <QLineEdit>

namespace zelt {

void CommunicationEditor::onCmdDisplayClicked() {
    const std::string memberID = singleLineText(txtSID);
    const std::string subject = singleLineText(txtSsubject);
    const std::string date = singleLineText(txtSdate);
    const std::string dateR = singleLineText(txtSdate_r);
    const CommunicationFilters filters{memberID, subject, date, dateR};
    runSearch([&] { return searchCommunications(dataFile_, recordCount_, filters, app().rules); },
              txtSID);
}

} // namespace zelt
