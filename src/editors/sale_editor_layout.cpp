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

namespace {

QLineEdit* makeLineField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    makeSingleLine(field);
    return field;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

} // namespace

void SaleEditor::createFields() {
    txtAffiliateID = makeLineField(this, "txtAffiliateID");
    txtSum = makeLineField(this, "txtSum");
    txtDate = makeLineField(this, "txtDate");
    txtDetails = new QPlainTextEdit(this);
    txtDetails->setObjectName(QStringLiteral("txtDetails"));
    txtDetails->setTabChangesFocus(true);
    txtDetails->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lblLabel1 = makeLabel(this, "lblLabel1", "", txtAffiliateID);
    lblLabel2 = makeLabel(this, "lblLabel2", "", txtSum);
    lblLabel3 = makeLabel(this, "lblLabel3", "", txtDate);
    Label1 = makeLabel(this, "Label1", "Details", txtDetails);
}

void SaleEditor::createSearchFrame() {
    frameView = new QGroupBox(this);
    frameView->setObjectName(QStringLiteral("frameView"));
    txtSdate = makeLineField(frameView, "txtSdate");
    txtSAffID = makeLineField(frameView, "txtSAffID");
    lblLabel4 = makeLabel(frameView, "lblLabel4", "", txtSdate);
    lblLabel5 = makeLabel(frameView, "lblLabel5", "", txtSAffID);
    cmdDisplay = new QPushButton(frameView);
    cmdDisplay->setObjectName(QStringLiteral("cmdDisplay"));
    cmdDisplay->setAutoDefault(false);
    MSFGView = new GridView(frameView);
    MSFGView->setAccessibleName(QStringLiteral("Search results"));

    auto* layout = new QGridLayout(frameView);
    layout->addWidget(lblLabel4, 0, 0);
    layout->addWidget(lblLabel5, 0, 1);
    layout->addWidget(txtSdate, 1, 0);
    layout->addWidget(txtSAffID, 1, 1);
    layout->addWidget(cmdDisplay, 1, 2);
    layout->addWidget(MSFGView, 2, 0, 1, 3);
    layout->setRowStretch(2, 1);

    connect(cmdDisplay, &QPushButton::clicked, this, [this] { cmdDisplay_Click(); });
    // Enter in a search field runs the search, as the button would (not while one runs).
    for (QLineEdit* filter : {txtSdate, txtSAffID})
        connect(filter, &QLineEdit::returnPressed, cmdDisplay, &QPushButton::click);
    connect(MSFGView, &GridView::rowChosen, this,
            [this](const QString& text) { MSFGView_RowChosen(text); });
}

void SaleEditor::arrangeWindow() {
    auto* fields = new QGridLayout;
    fields->addWidget(lblLabel1, 0, 0);
    fields->addWidget(txtAffiliateID, 0, 1);
    fields->addWidget(lblLabel2, 1, 0);
    fields->addWidget(txtSum, 1, 1);
    fields->addWidget(lblLabel3, 2, 0);
    fields->addWidget(txtDate, 2, 1);
    fields->addWidget(Label1, 3, 0, 1, 2);
    fields->addWidget(txtDetails, 4, 0, 1, 2);
    fields->setRowStretch(4, 1);

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 2);
    top->addWidget(frameView, 3);

    auto* window = new QVBoxLayout(this);
    window->addLayout(top, 1);
    window->addLayout(recordBar());

    // Down the fields, across the search, then the record and export buttons.
    setFocusChain(QList<QWidget*>{txtAffiliateID, txtSum, txtDate, txtDetails, txtSdate, txtSAffID,
                                  cmdDisplay, MSFGView} +
                  recordControls());
    resize(860, 520);
}

void SaleEditor::Disable_editor() {
    RecordEditor::Disable_editor();
    frameView->setEnabled(false);
}

} // namespace zelt
