// The controls of the sale and payment editors and their places in the window.
#include "editors/field_text.h"
#include "editors/sale_editor.h"
#include "ui/focus_chain.h"
#include "ui/grid_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelt {

void SaleEditor::arrangeWindow() {
    txtAffiliateID = makeLineField(this, "txtAffiliateID");
    txtSum = makeLineField(this, "txtSum");
    txtDate = makeLineField(this, "txtDate");
    txtDetails = makeTextField(this, "txtDetails");
    const bool sales = kind_ == Kind::Sales;
    QLabel* const labels[] = {
        makeLabel(this, "lblLabel1", "Member's ID", txtAffiliateID),
        makeLabel(this, "lblLabel2", sales ? "Sum " : "Sum of Payment", txtSum),
        makeLabel(this, "lblLabel3", "Date", txtDate),
        makeLabel(this, "Label1", "Details", txtDetails)};

    const QList<QLineEdit*> filters = createSearchFrame(
        {{"lblLabel4", "Date", "txtSdate"}, {"lblLabel5", "Member's ID", "txtSAffID"}}, false);
    txtSdate = filters[0];
    txtSAffID = filters[1];

    auto* fields = new QGridLayout;
    fields->addWidget(labels[0], 0, 0);
    fields->addWidget(txtAffiliateID, 0, 1);
    fields->addWidget(labels[1], 1, 0);
    fields->addWidget(txtSum, 1, 1);
    fields->addWidget(labels[2], 2, 0);
    fields->addWidget(txtDate, 2, 1);
    fields->addWidget(labels[3], 3, 0, 1, 2);
    fields->addWidget(txtDetails, 4, 0, 1, 2);
    fields->setRowStretch(4, 1);

    arrangeWithSearch(fields, 3, recordBar());

    // Down the fields, across the search, then the record and export buttons.
    setFocusChain(QList<QWidget*>{txtAffiliateID, txtSum, txtDate, txtDetails, txtSdate, txtSAffID,
                                  cmdDisplay, MSFGView} +
                  recordControls());
    resize(860, 520);
}

} // namespace zelt
