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

namespace {

QLineEdit* makeLineField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    makeSingleLine(field);
    return field;
}

QLabel* makeLabel(QWidget* parent, const char* name, QWidget* buddy) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

} // namespace

void MemberEditor::createFields() {
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
    txtAdditional_Info = new QPlainTextEdit(this);
    txtAdditional_Info->setObjectName(QStringLiteral("txtAdditional_Info"));
    txtAdditional_Info->setTabChangesFocus(true);
    txtAdditional_Info->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDate = makeLineField(this, "txtDate");
    txtLevel = makeLineField(this, "txtLevel");
    txtEgold_ID = makeLineField(this, "txtEgold_ID");
    cmbAP_ID = new QComboBox(this);
    cmbAP_ID->setObjectName(QStringLiteral("cmbAP_ID"));
    cmbAP_ID->setEditable(true);
    cmbAP_ID->setInsertPolicy(QComboBox::NoInsert);
    makeSingleLine(cmbAP_ID->lineEdit());

    lblLabel1 = makeLabel(this, "lblLabel1", txtName);
    lblLabel2 = makeLabel(this, "lblLabel2", txtSurname);
    lblLabel3 = makeLabel(this, "lblLabel3", txtStreet);
    lblLabel4 = makeLabel(this, "lblLabel4", txtCity);
    lblLabel5 = makeLabel(this, "lblLabel5", txtPost_Cod);
    lblLabel6 = makeLabel(this, "lblLabel6", txtCountry);
    lblLabel7 = makeLabel(this, "lblLabel7", txtPhone);
    lblLabel8 = makeLabel(this, "lblLabel8", txtE_mail);
    lblLabel9 = makeLabel(this, "lblLabel9", txtURL);
    lblLabel10 = makeLabel(this, "lblLabel10", txtAffiliateID);
    lblLabel11 = makeLabel(this, "lblLabel11", txtRef_ID);
    lblLabel12 = makeLabel(this, "lblLabel12", txtAdditional_Info);
    lblLabel13 = makeLabel(this, "lblLabel13", txtDate);
    lblLabel14 = makeLabel(this, "lblLabel14", txtLevel);
    Label1 = makeLabel(this, "Label1", txtEgold_ID);
    Label3 = makeLabel(this, "Label3", cmbAP_ID);
}

void MemberEditor::createSearchFrame() {
    frameView = new QGroupBox(this);
    frameView->setObjectName(QStringLiteral("frameView"));
    txtSname = makeLineField(frameView, "txtSname");
    txtSsurname = makeLineField(frameView, "txtSsurname");
    txtSemail = makeLineField(frameView, "txtSemail");
    txtSreferenceid = makeLineField(frameView, "txtSreferenceid");
    txtSEgold_ID = makeLineField(frameView, "txtSEgold_ID");
    lblLabel15 = makeLabel(frameView, "lblLabel15", txtSname);
    lblLabel16 = makeLabel(frameView, "lblLabel16", txtSsurname);
    lblLabel17 = makeLabel(frameView, "lblLabel17", txtSemail);
    lblLabel18 = makeLabel(frameView, "lblLabel18", txtSreferenceid);
    Label2 = makeLabel(frameView, "Label2", txtSEgold_ID);
    cmdDisplay = new QPushButton(frameView);
    cmdDisplay->setObjectName(QStringLiteral("cmdDisplay"));
    cmdDisplay->setAutoDefault(false);
    MSFGView = new GridView(frameView);

    auto* layout = new QGridLayout(frameView);
    int column = 0;
    for (auto [label, field] : {std::pair<QLabel*, QLineEdit*>{lblLabel15, txtSname},
                                {lblLabel16, txtSsurname},
                                {lblLabel17, txtSemail},
                                {lblLabel18, txtSreferenceid},
                                {Label2, txtSEgold_ID}}) {
        layout->addWidget(label, 0, column);
        layout->addWidget(field, 1, column);
        ++column;
    }
    layout->addWidget(cmdDisplay, 1, column);
    layout->addWidget(MSFGView, 2, 0, 1, column + 1);
    layout->setRowStretch(2, 1);

    connect(cmdDisplay, &QPushButton::clicked, this, [this] { cmdDisplay_Click(); });
    // Enter in a search field runs the search, as the button would (not while one runs).
    for (QLineEdit* filter : {txtSname, txtSsurname, txtSemail, txtSreferenceid, txtSEgold_ID})
        connect(filter, &QLineEdit::returnPressed, cmdDisplay, &QPushButton::click);
    connect(MSFGView, &GridView::rowChosen, this,
            [this](const QString& text) { MSFGView_RowChosen(text); });
}

void MemberEditor::arrangeWindow() {
    auto* fields = new QGridLayout;
    const std::initializer_list<std::pair<QLabel*, QWidget*>> rows = {
        {lblLabel1, txtName},         {lblLabel2, txtSurname},  {lblLabel3, txtStreet},
        {lblLabel4, txtCity},         {lblLabel5, txtPost_Cod}, {lblLabel6, txtCountry},
        {lblLabel7, txtPhone},        {lblLabel8, txtE_mail},   {lblLabel9, txtURL},
        {lblLabel10, txtAffiliateID}, {lblLabel11, txtRef_ID},  {lblLabel13, txtDate},
        {lblLabel14, txtLevel},       {Label1, txtEgold_ID},    {Label3, cmbAP_ID}};
    int row = 0;
    for (auto [label, field] : rows) {
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    }
    fields->addWidget(lblLabel12, row++, 0, 1, 2);
    fields->addWidget(txtAdditional_Info, row, 0, 1, 2);
    fields->setRowStretch(row, 1);

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 2);
    top->addWidget(frameView, 5);

    auto* window = new QVBoxLayout(this);
    window->addLayout(top, 1);
    QLayout* bar = recordBar();
    // The referral tree button stands right of the export buttons, level with the lower one.
    cmdTree = new QPushButton(QStringLiteral("Referral tree"), this);
    cmdTree->setObjectName(QStringLiteral("cmdTree"));
    cmdTree->setAutoDefault(false);
    cmdTree->setEnabled(false);
    connect(cmdTree, &QPushButton::clicked, this, [this] { cmdTree_Click(); });
    if (auto* row = qobject_cast<QBoxLayout*>(bar)) {
        auto* column = new QVBoxLayout;
        column->setContentsMargins(0, 0, 0, navigationLayout->contentsMargins().bottom() + 1);
        column->addWidget(cmdTree);
        row->insertLayout(2, column);
        row->setAlignment(column, Qt::AlignBottom);
    }
    window->addLayout(bar);

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

void MemberEditor::Disable_editor() {
    RecordEditor::Disable_editor();
    frameView->setEnabled(false);
    cmdTree->setEnabled(false);
}

} // namespace zelt
