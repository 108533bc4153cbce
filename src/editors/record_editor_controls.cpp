// The controls that every editor window has, and their enable states.
#include "editors/field_text.h"
#include "editors/record_editor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelt {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption,
                        const char* tooltip = nullptr) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    if (tooltip) {
        // A screen reader says what the arrow does rather than reading out "I<".
        button->setToolTip(QString::fromLatin1(tooltip));
        button->setAccessibleName(QString::fromLatin1(tooltip));
    }
    return button;
}

} // namespace

void RecordEditor::createControls() {
    setAttribute(Qt::WA_DeleteOnClose);

    frmNavigation = new QGroupBox(this);
    frmNavigation->setObjectName(QStringLiteral("frmNavigation"));
    cmdFirst = makeButton(frmNavigation, "cmdFirst", "I<", "Move to the first record");
    cmdPrevious = makeButton(frmNavigation, "cmdPrevious", "<", "Move to the previous record");
    cmdNext = makeButton(frmNavigation, "cmdNext", ">", "Move to the next record");
    cmdLast = makeButton(frmNavigation, "cmdLast", ">I", "Move to the last record");
    txtCurrent_Record = new QLineEdit(frmNavigation);
    txtCurrent_Record->setObjectName(QStringLiteral("txtCurrent_Record"));
    txtCurrent_Record->setAccessibleName(QStringLiteral("Record number"));
    makeSingleLine(txtCurrent_Record);
    cmdGoTo = makeButton(frmNavigation, "cmdGoTo", "Go to the record N");
    cmdCreate = makeButton(frmNavigation, "cmdCreate", "Create a new record");
    cmdEdit = makeButton(frmNavigation, "cmdEdit", "Edit this record");
    cmdSave = makeButton(frmNavigation, "cmdSave", "Save this record");
    cmdSaveThisRecord = makeButton(this, "cmdSaveThisRecord", "Save this record as txt");
    cmdSaveAllRecords = makeButton(this, "cmdSaveAllRecords", "Save all records as txt");

    for (QPushButton* narrow : {cmdFirst, cmdPrevious, cmdNext, cmdLast})
        narrow->setMaximumWidth(narrow->fontMetrics().horizontalAdvance(QStringLiteral("W>IW")) +
                                16);
    // Room for any record number, whatever room the window has.
    txtCurrent_Record->setFixedWidth(
        txtCurrent_Record->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12);

    navigationLayout = new QGridLayout(frmNavigation);
    auto* moves = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{
             cmdFirst, cmdPrevious, txtCurrent_Record, cmdNext, cmdLast, cmdGoTo})
        moves->addWidget(control);
    moves->addStretch();
    navigationLayout->addLayout(moves, 0, 0, 1, 3);
    navigationLayout->addWidget(cmdCreate, 1, 0);
    navigationLayout->addWidget(cmdEdit, 1, 1);
    navigationLayout->addWidget(cmdSave, 1, 2);

    connect(cmdFirst, &QPushButton::clicked, this, [this] { cmdFirst_Click(); });
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { cmdPrevious_Click(); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
    connect(cmdLast, &QPushButton::clicked, this, [this] { cmdLast_Click(); });
    connect(cmdGoTo, &QPushButton::clicked, this, [this] { cmdGoTo_Click(); });
    connect(txtCurrent_Record, &QLineEdit::returnPressed, this, [this] { cmdGoTo_Click(); });
    connect(cmdCreate, &QPushButton::clicked, this, [this] { cmdCreate_Click(); });
    connect(cmdEdit, &QPushButton::clicked, this, [this] { cmdEdit_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdSaveThisRecord, &QPushButton::clicked, this, [this] { cmdSaveThisRecord_Click(); });
    connect(cmdSaveAllRecords, &QPushButton::clicked, this, [this] { cmdSaveAllRecords_Click(); });
}

QLayout* RecordEditor::recordBar() {
    // The export buttons stand level with the frame's two rows of buttons; the bar is as high
    // as the frame, whatever room the window has.
    auto* exports = new QVBoxLayout;
    exports->setContentsMargins(0, 0, 0, navigationLayout->contentsMargins().bottom() + 1);
    exports->addWidget(cmdSaveThisRecord);
    exports->addWidget(cmdSaveAllRecords);
    frmNavigation->setSizePolicy(frmNavigation->sizePolicy().horizontalPolicy(),
                                 QSizePolicy::Fixed);
    auto* bar = new QHBoxLayout;
    bar->addWidget(frmNavigation);
    bar->addLayout(exports);
    bar->setAlignment(exports, Qt::AlignBottom);
    bar->addStretch();
    return bar;
}

QList<QWidget*> RecordEditor::recordControls() const {
    return {cmdFirst,  cmdPrevious, txtCurrent_Record, cmdNext,           cmdLast,          cmdGoTo,
            cmdCreate, cmdEdit,     cmdSave,           cmdSaveThisRecord, cmdSaveAllRecords};
}

void RecordEditor::Navigation(bool& fl) {
    for (QWidget* control : std::initializer_list<QWidget*>{cmdFirst, cmdLast, cmdNext, cmdPrevious,
                                                            cmdGoTo, txtCurrent_Record})
        control->setEnabled(fl);
}

void RecordEditor::Enabled_frm(std::int16_t& mode) {
    bool on = true;
    bool off = false;
    InputFields(on);
    cmdSave->setEnabled(true);
    cmdCreate->setEnabled(false);
    cmdEdit->setEnabled(false);
    Navigation(off);
    switch (mode) {
    case NoRecord:
        InputFields(off);
        cmdSave->setEnabled(false);
        cmdCreate->setEnabled(true);
        break;
    case Browsing:
        cmdSave->setEnabled(false);
        cmdCreate->setEnabled(true);
        cmdEdit->setEnabled(true);
        Navigation(on);
        break;
    default:
        break;
    }
}

void RecordEditor::Disable_editor() {
    bool off = false;
    InputFields(off);
    Navigation(off);
    for (QPushButton* button : {cmdCreate, cmdEdit, cmdSave, cmdSaveThisRecord, cmdSaveAllRecords})
        button->setEnabled(false);
}

} // namespace zelt
