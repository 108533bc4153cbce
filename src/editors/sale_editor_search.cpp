// The search of the sale and payment editors: records by date and member, in the grid.
#include "editors/editor_context.h"
#include "editors/field_text.h"
#include "editors/sale_editor.h"
#include "search/sale_search.h"
#include "shell/message_table.h"
#include "ui/busy_pointer.h"
#include "ui/grid_view.h"

#include <QLineEdit>
#include <QPushButton>

namespace zelt {

void SaleEditor::cmdDisplay_Click() {
    const SaleGridKind grid = kind_ == Kind::Sales ? SaleGridKind::Sales : SaleGridKind::Payments;
    // The busy pointer covers the search alone and is gone before any message.
    SaleSearchOutcome outcome = [&] {
        const BusyPointer busy(cmdDisplay, this);
        return searchSales(DataFile, RecordCount, singleLineText(txtSdate),
                           singleLineText(txtSAffID), grid, editorContext().rules);
    }();
    switch (outcome.kind) {
    case SaleSearchOutcome::Kind::Listed:
        MSFGView->setTable(std::move(outcome.table));
        break;
    case SaleSearchOutcome::Kind::NothingToDo:
        break;
    case SaleSearchOutcome::Kind::IncorrectDate:
        Refuse(kMsgIncorrectValue, txtSdate);
        break;
    case SaleSearchOutcome::Kind::IncorrectMember:
        Refuse(kMsgIncorrectValue, txtSAffID);
        break;
    case SaleSearchOutcome::Kind::FileError:
        Report(outcome.error);
        txtSAffID->setFocus();
        break;
    }
}

void SaleEditor::MSFGView_RowChosen(const QString& column0Text) {
    Choose_row(column0Text);
}

} // namespace zelt
