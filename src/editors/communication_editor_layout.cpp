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

// A long text box of the given height in lines, with a vertical scroll bar.
QPlainTextEdit* makeTextBox(QWidget* parent, const char* name, int lines) {
    QPlainTextEdit* box = makeTextField(parent, name);
    const int frame = 2 * (box->frameWidth() + int(box->document()->documentMargin()));
    box->setMinimumHeight(std::max(box->fontMetrics().lineSpacing() * lines + frame,
                                   box->minimumSizeHint().height()));
    return box;
}

} // namespace

void CommunicationEditor::arrangeWindow() {
    txtID = makeLineField(this, "txtID");
    txtSubject = makeLineField(this, "txtSubject");
    txtMessage = makeTextBox(this, "txtMessage", 4);
    txtDate = makeLineField(this, "txtDate");
    txtResponce = makeTextBox(this, "txtResponce", 6);
    txtDate_R = makeLineField(this, "txtDate_R");
    txtComments = makeTextBox(this, "txtComments", 3);
    QLabel* const id = makeLabel(this, "lblLabel1", "Zelt member's ID", txtID);
    QLabel* const subject = makeLabel(this, "lblLabel2", "Subject", txtSubject);
    QLabel* const message = makeLabel(this, "lblLabel3", "Message", txtMessage);
    QLabel* const date = makeLabel(this, "lblLabel6", "Date", txtDate);
    QLabel* const response = makeLabel(this, "lblLabel8", "Responce", txtResponce);
    QLabel* const dateR = makeLabel(this, "lblLabel13", "Date of responce", txtDate_R);
    QLabel* const comments = makeLabel(this, "lblLabel12", "Comments", txtComments);

    const QList<QLineEdit*> filters =
        createSearchFrame({{"lblLabel15", "ID", "txtSID"},
                           {"lblLabel16", "Subject", "txtSsubject"},
                           {"lblLabel17", "Date", "txtSdate"},
                           {"lblLabel18", "Date of responce", "txtSdate_r"}},
                          true);
    txtSID = filters[0];
    txtSsubject = filters[1];
    txtSdate = filters[2];
    txtSdate_r = filters[3];

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
    addLine(id, txtID);
    addLine(subject, txtSubject);
    addBox(message, txtMessage, 4);
    addLine(date, txtDate);
    addBox(response, txtResponce, 6);
    addLine(dateR, txtDate_R);
    addBox(comments, txtComments, 3);

    arrangeWithSearch(fields, 3, recordBar());

    // The fields in their input order (the comments before the date of the response), the
    // search, then the record and export buttons.
    setFocusChain(QList<QWidget*>{txtID, txtSubject, txtMessage, txtDate, txtResponce, txtComments,
                                  txtDate_R, txtSID, txtSsubject, txtSdate, txtSdate_r, cmdDisplay,
                                  MSFGView} +
                  recordControls());
    resize(1040, 660);
}

} // namespace zelt
