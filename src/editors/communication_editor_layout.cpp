// The controls of the communication editor and their places in the window.
#include "editors/communication_editor.h"
#include "editors/field_text.h"
#include "ui/focus_chain.h"
#include "ui/grid_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace zelt {

namespace {

QLineEdit* makeLineField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    makeSingleLine(field);
    return field;
}

// A long text box of the given height in lines, with a vertical scroll bar.
QPlainTextEdit* makeTextBox(QWidget* parent, const char* name, int lines) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setTabChangesFocus(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int frame = 2 * (box->frameWidth() + int(box->document()->documentMargin()));
    box->setMinimumHeight(std::max(box->fontMetrics().lineSpacing() * lines + frame,
                                   box->minimumSizeHint().height()));
    return box;
}

QLabel* makeLabel(QWidget* parent, const char* name, QWidget* buddy) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

} // namespace

void CommunicationEditor::createFields() {
    txtID = makeLineField(this, "txtID");
    txtSubject = makeLineField(this, "txtSubject");
    txtMessage = makeTextBox(this, "txtMessage", 4);
    txtDate = makeLineField(this, "txtDate");
    txtResponce = makeTextBox(this, "txtResponce", 6);
    txtDate_R = makeLineField(this, "txtDate_R");
    txtComments = makeTextBox(this, "txtComments", 3);
    lblLabel1 = makeLabel(this, "lblLabel1", txtID);
    lblLabel2 = makeLabel(this, "lblLabel2", txtSubject);
    lblLabel3 = makeLabel(this, "lblLabel3", txtMessage);
    lblLabel6 = makeLabel(this, "lblLabel6", txtDate);
    lblLabel8 = makeLabel(this, "lblLabel8", txtResponce);
    lblLabel13 = makeLabel(this, "lblLabel13", txtDate_R);
    lblLabel12 = makeLabel(this, "lblLabel12", txtComments);
}

void CommunicationEditor::createSearchFrame() {
    frameView = new QGroupBox(this);
    frameView->setObjectName(QStringLiteral("frameView"));
    txtSID = makeLineField(frameView, "txtSID");
    txtSsubject = makeLineField(frameView, "txtSsubject");
    txtSdate = makeLineField(frameView, "txtSdate");
    txtSdate_r = makeLineField(frameView, "txtSdate_r");
    lblLabel15 = makeLabel(frameView, "lblLabel15", txtSID);
    lblLabel16 = makeLabel(frameView, "lblLabel16", txtSsubject);
    lblLabel17 = makeLabel(frameView, "lblLabel17", txtSdate);
    lblLabel18 = makeLabel(frameView, "lblLabel18", txtSdate_r);
    cmdDisplay = new QPushButton(frameView);
    cmdDisplay->setObjectName(QStringLiteral("cmdDisplay"));
    cmdDisplay->setAutoDefault(false);
    MSFGView = new GridView(frameView);
    MSFGView->setAccessibleName(QStringLiteral("Search results"));

    auto* layout = new QGridLayout(frameView);
    layout->addWidget(lblLabel15, 0, 0);
    layout->addWidget(lblLabel16, 0, 1);
    layout->addWidget(lblLabel17, 0, 2);
    layout->addWidget(lblLabel18, 0, 3);
    layout->addWidget(txtSID, 1, 0);
    layout->addWidget(txtSsubject, 1, 1);
    layout->addWidget(txtSdate, 1, 2);
    layout->addWidget(txtSdate_r, 1, 3);
    layout->addWidget(cmdDisplay, 1, 4);
    layout->addWidget(MSFGView, 2, 0, 1, 5);
    for (int column = 0; column < 4; ++column)
        layout->setColumnStretch(column, 1);
    layout->setRowStretch(2, 1);

    connect(cmdDisplay, &QPushButton::clicked, this, [this] { cmdDisplay_Click(); });
    // Enter in a search field runs the search, as the button would (not while one runs).
    for (QLineEdit* filter : {txtSID, txtSsubject, txtSdate, txtSdate_r})
        connect(filter, &QLineEdit::returnPressed, cmdDisplay, &QPushButton::click);
    connect(MSFGView, &GridView::rowChosen, this,
            [this](const QString& text) { MSFGView_RowChosen(text); });
}

void CommunicationEditor::arrangeWindow() {
    // One column: single-line fields with their label to the left, long texts under their
    // label across the column; the response box is the highest.
    auto* fields = new QGridLayout;
    int row = 0;
    const auto addLine = [&](QLabel* label, QLineEdit* field) {
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    };
    const auto addBox = [&](QLabel* label, QPlainTextEdit* box, int stretch) {
        fields->addWidget(label, row++, 0, 1, 2);
        fields->addWidget(box, row, 0, 1, 2);
        fields->setRowStretch(row++, stretch);
    };
    addLine(lblLabel1, txtID);
    addLine(lblLabel2, txtSubject);
    addBox(lblLabel3, txtMessage, 4);
    addLine(lblLabel6, txtDate);
    addBox(lblLabel8, txtResponce, 6);
    addLine(lblLabel13, txtDate_R);
    addBox(lblLabel12, txtComments, 3);

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 2);
    top->addWidget(frameView, 3);

    auto* window = new QVBoxLayout(this);
    window->addLayout(top, 1);
    window->addLayout(recordBar());

    // The fields in their input order (the comments before the date of the response), the
    // search, then the record and export buttons.
    setFocusChain(QList<QWidget*>{txtID, txtSubject, txtMessage, txtDate, txtResponce, txtComments,
                                  txtDate_R, txtSID, txtSsubject, txtSdate, txtSdate_r, cmdDisplay,
                                  MSFGView} +
                  recordControls());
    resize(1040, 660);
}

void CommunicationEditor::Disable_editor() {
    RecordEditor::Disable_editor();
    frameView->setEnabled(false);
}

} // namespace zelt
