// The controls of the member editor and their places in the window.
#include "editors/field_text.h"
#include "editors/member_editor.h"
#include "ui/focus_chain.h"
#include "ui/grid_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelt {

void MemberEditor::arrangeWindow() {
    txtName = makeLineField(this, "txtName");
    txtSurname = makeLineField(this, "txtSurname");
    txtStreet = makeLineField(this, "txtStreet");
    txtCity = makeLineField(this, "txtCity");
    txtPost_Cod = makeLineField(this, "txtPost_Cod");
    txtCountry = makeLineField(this, "txtCountry");
    txtPhone = makeLineField(this, "txtPhone");
    txtE_mail = makeLineField(this, "txtE_mail");
    txtURL = makeLineField(this, "txtURL");
    txtAffiliateID = makeLineField(this, "txtAffiliateID");
    txtRef_ID = makeLineField(this, "txtRef_ID");
    txtAdditional_Info = makeTextField(this, "txtAdditional_Info");
    txtDate = makeLineField(this, "txtDate");
    txtLevel = makeLineField(this, "txtLevel");
    txtEgold_ID = makeLineField(this, "txtEgold_ID");
    cmbAP_ID = new QComboBox(this);
    cmbAP_ID->setObjectName(QStringLiteral("cmbAP_ID"));
    cmbAP_ID->setEditable(true);
    cmbAP_ID->setInsertPolicy(QComboBox::NoInsert);
    makeSingleLine(cmbAP_ID->lineEdit());

    // The labels in the order of their names; the additional info's (lblLabel12) stands
    // below the rows of the others.
    QLabel* const labels[] = {makeLabel(this, "lblLabel1", "Name", txtName),
                              makeLabel(this, "lblLabel2", "Surname", txtSurname),
                              makeLabel(this, "lblLabel3", "Street", txtStreet),
                              makeLabel(this, "lblLabel4", "City", txtCity),
                              makeLabel(this, "lblLabel5", "Post Cod", txtPost_Cod),
                              makeLabel(this, "lblLabel6", "Country", txtCountry),
                              makeLabel(this, "lblLabel7", "Phone", txtPhone),
                              makeLabel(this, "lblLabel8", "E-mail", txtE_mail),
                              makeLabel(this, "lblLabel9", "URL", txtURL),
                              makeLabel(this, "lblLabel10", "Member's ID", txtAffiliateID),
                              makeLabel(this, "lblLabel11", "Reference's ID", txtRef_ID),
                              makeLabel(this, "lblLabel12", "Additional Info", txtAdditional_Info),
                              makeLabel(this, "lblLabel13", "Date", txtDate),
                              makeLabel(this, "lblLabel14", "Level", txtLevel),
                              makeLabel(this, "Label1", "Egold's ID", txtEgold_ID),
                              makeLabel(this, "Label3", "Payment Scheme", cmbAP_ID)};
    QLabel* const additionalInfo = labels[11];

    const QList<QLineEdit*> filters =
        createSearchFrame({{"lblLabel15", "Name", "txtSname"},
                           {"lblLabel16", "Surname", "txtSsurname"},
                           {"lblLabel17", "E-mail", "txtSemail"},
                           {"lblLabel18", "Reference's ID", "txtSreferenceid"},
                           {"Label2", "Egold's ID", "txtSEgold_ID"}},
                          false);
    txtSname = filters[0];
    txtSsurname = filters[1];
    txtSemail = filters[2];
    txtSreferenceid = filters[3];
    txtSEgold_ID = filters[4];

    auto* fields = new QGridLayout;
    int row = 0;
    for (QLabel* label : labels) {
        if (label == additionalInfo)
            continue;
        fields->addWidget(label, row, 0);
        fields->addWidget(label->buddy(), row, 1);
        ++row;
    }
    fields->addWidget(additionalInfo, row++, 0, 1, 2);
    fields->addWidget(txtAdditional_Info, row, 0, 1, 2);
    fields->setRowStretch(row, 1);

    QLayout* bar = recordBar();
    // The referral tree button stands right of the export buttons, level with the lower one.
    cmdTree = new QPushButton(QStringLiteral("Referral tree"), this);
    cmdTree->setObjectName(QStringLiteral("cmdTree"));
    cmdTree->setAutoDefault(false);
    cmdTree->setEnabled(false);
    connect(cmdTree, &QPushButton::clicked, this, [this] { onCmdTreeClicked(); });
    if (auto* row = qobject_cast<QBoxLayout*>(bar)) {
        auto* column = new QVBoxLayout;
        column->setContentsMargins(0, 0, 0, navigationLayout_->contentsMargins().bottom() + 1);
        column->addWidget(cmdTree);
        row->insertLayout(2, column);
        row->setAlignment(column, Qt::AlignBottom);
    }
    arrangeWithSearch(fields, 5, bar);

    // Down the field column (the identifier and the level are never typed and take no focus),
    // across the search, then the record and export buttons.
    setFocusChain(QList<QWidget*>{txtName,     txtSurname,         txtStreet,    txtCity,
                                  txtPost_Cod, txtCountry,         txtPhone,     txtE_mail,
                                  txtURL,      txtRef_ID,          txtDate,      txtEgold_ID,
                                  cmbAP_ID,    txtAdditional_Info, txtSname,     txtSsurname,
                                  txtSemail,   txtSreferenceid,    txtSEgold_ID, cmdDisplay,
                                  MSFGView} +
                  recordControls() + QList<QWidget*>{cmdTree});
    resize(1100, 620);
}

void MemberEditor::disableEditor() {
    RecordEditor::disableEditor();
    cmdTree->setEnabled(false);
}

} // namespace zelt
