// The search of the sale and payment editors: records by date and member, in the grid.
#include "editors/field_text.h"
#include "editors/sale_editor.h"
#include "search/sale_search.h"
#include "shell/message_table.h"
#include "storage/locale_rules.h"
#include "ui/busy_pointer.h"
#include "ui/grid_view.h"

#include <QLineEdit>
#include <QPushButton>

namespace zelt {

void SaleEditor::onCmdDisplayClicked() {
    const SaleGridKind grid = kind_ == Kind::Sales ? SaleGridKind::Sales : SaleGridKind::Payments;
    // The busy pointer covers the search alone and is gone before any message.
    SaleSearchOutcome outcome = [&] {
        const BusyPointer busy(cmdDisplay, this);
        return searchSales(dataFile_, recordCount_, singleLineText(txtSdate),
                           singleLineText(txtSAffID), grid, app().rules);
    }();
    switch (outcome.kind) {
    case SaleSearchOutcome::Kind::Listed:
        MSFGView->setTable(std::move(outcome.table));
        break;
    case SaleSearchOutcome::Kind::NothingToDo:
        break;
    case SaleSearchOutcome::Kind::IncorrectDate:
        refuse(MessageTable.MsgIncorrectValue, txtSdate);
        break;
    case SaleSearchOutcome::Kind::IncorrectMember:
        refuse(MessageTable.MsgIncorrectValue, txtSAffID);
        break;
    case SaleSearchOutcome::Kind::FileError:
        report(outcome.error);
        txtSAffID->setFocus();
        break;
    }
}

} // namespace zelt
