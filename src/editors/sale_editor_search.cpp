// The search of the sale and payment editors: records by date and member, in the grid.
#include "editors/field_text.h"
#include "editors/sale_editor.h"
#include "search/sale_search.h"
#include "shell/message_table.h"

#include <QLineEdit>

namespace zelt {

void SaleEditor::onCmdDisplayClicked() {
    const SaleGridKind grid = kind_ == Kind::Sales ? SaleGridKind::Sales : SaleGridKind::Payments;
    const std::string date = singleLineText(txtSdate);
    const std::string member = singleLineText(txtSAffID);
    const auto kind = runSearch(
        [&] { return searchSales(dataFile_, recordCount_, date, member, grid, app().rules); },
        txtSAffID);
    if (kind == SaleSearchOutcome::Kind::IncorrectDate)
        refuse(kMsgIncorrectValue, txtSdate);
    else if (kind == SaleSearchOutcome::Kind::IncorrectMember)
        refuse(kMsgIncorrectValue, txtSAffID);
}

} // namespace zelt
