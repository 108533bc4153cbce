// The controls that every editor window has, and their enable states.
#include "editors/field_text.h"
#include "editors/record_editor.h"
#include "ui/grid_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
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

    navigationLayout_ = new QGridLayout(frmNavigation);
    auto* moves = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{
             cmdFirst, cmdPrevious, txtCurrent_Record, cmdNext, cmdLast, cmdGoTo})
        moves->addWidget(control);
    moves->addStretch();
    navigationLayout_->addLayout(moves, 0, 0, 1, 3);
    navigationLayout_->addWidget(cmdCreate, 1, 0);
    navigationLayout_->addWidget(cmdEdit, 1, 1);
    navigationLayout_->addWidget(cmdSave, 1, 2);

    connect(cmdFirst, &QPushButton::clicked, this, [this] { onCmdFirstClicked(); });
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { onCmdPreviousClicked(); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { onCmdNextClicked(); });
    connect(cmdLast, &QPushButton::clicked, this, [this] { onCmdLastClicked(); });
    connect(cmdGoTo, &QPushButton::clicked, this, [this] { onCmdGoToClicked(); });
    connect(txtCurrent_Record, &QLineEdit::returnPressed, this, [this] { onCmdGoToClicked(); });
    connect(cmdCreate, &QPushButton::clicked, this, [this] { onCmdCreateClicked(); });
    connect(cmdEdit, &QPushButton::clicked, this, [this] { onCmdEditClicked(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { onCmdSaveClicked(); });
    connect(cmdSaveThisRecord, &QPushButton::clicked, this,
            [this] { onCmdSaveThisRecordClicked(); });
    connect(cmdSaveAllRecords, &QPushButton::clicked, this,
            [this] { onCmdSaveAllRecordsClicked(); });
}

QList<QLineEdit*> RecordEditor::createSearchFrame(std::initializer_list<SearchFilter> filters,
                                                  bool stretchFilters) {
    frameView = new QGroupBox(QStringLiteral("Search"), this);
    frameView->setObjectName(QStringLiteral("frameView"));
    QList<QLineEdit*> fields;
    QList<QLabel*> labels;
    for (const SearchFilter& filter : filters) {
        auto* field = new QLineEdit(frameView);
        field->setObjectName(QString::fromLatin1(filter.fieldName));
        makeSingleLine(field);
        fields.append(field);
    }
    int column = 0;
    for (const SearchFilter& filter : filters) {
        auto* label = new QLabel(QString::fromLatin1(filter.caption), frameView);
        label->setObjectName(QString::fromLatin1(filter.labelName));
        label->setBuddy(fields[column++]);
        labels.append(label);
    }
    cmdDisplay = new QPushButton(QStringLiteral("Find"), frameView);
    cmdDisplay->setObjectName(QStringLiteral("cmdDisplay"));
    cmdDisplay->setAutoDefault(false);
    MSFGView = new GridView(frameView);

    auto* layout = new QGridLayout(frameView);
    const int columns = static_cast<int>(fields.size());
    for (column = 0; column < columns; ++column) {
        layout->addWidget(labels[column], 0, column);
        layout->addWidget(fields[column], 1, column);
    }
    layout->addWidget(cmdDisplay, 1, columns);
    layout->addWidget(MSFGView, 2, 0, 1, columns + 1);
    if (stretchFilters)
        for (column = 0; column < columns; ++column)
            layout->setColumnStretch(column, 1);
    layout->setRowStretch(2, 1);

    connect(cmdDisplay, &QPushButton::clicked, this, [this] { onCmdDisplayClicked(); });
    // Enter in a search field runs the search, as the button would (not while one runs).
    for (QLineEdit* filter : fields)
        connect(filter, &QLineEdit::returnPressed, cmdDisplay, &QPushButton::click);
    connect(MSFGView, &GridView::rowChosen, this, [this](const QString& text) { chooseRow(text); });
    return fields;
}

QLayout* RecordEditor::recordBar() {
    // The export buttons stand level with the frame's two rows of buttons; the bar is as high
    // as the frame, whatever room the window has.
    auto* exports = new QVBoxLayout;
    exports->setContentsMargins(0, 0, 0, navigationLayout_->contentsMargins().bottom() + 1);
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

void RecordEditor::arrangeWithSearch(QLayout* fields, int searchStretch, QLayout* bar) {
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 2);
    top->addWidget(frameView, searchStretch);

    auto* window = new QVBoxLayout(this);
    window->addLayout(top, 1);
    window->addLayout(bar);
}

QList<QWidget*> RecordEditor::recordControls() const {
    return {cmdFirst,  cmdPrevious, txtCurrent_Record, cmdNext,           cmdLast,          cmdGoTo,
            cmdCreate, cmdEdit,     cmdSave,           cmdSaveThisRecord, cmdSaveAllRecords};
}

void RecordEditor::setNavigationEnabled(bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{cmdFirst, cmdLast, cmdNext, cmdPrevious,
                                                            cmdGoTo, txtCurrent_Record})
        control->setEnabled(enabled);
}

void RecordEditor::applyMode(Mode mode) {
    setFieldsEnabled(true);
    cmdSave->setEnabled(true);
    cmdCreate->setEnabled(false);
    cmdEdit->setEnabled(false);
    setNavigationEnabled(false);
    switch (mode) {
    case Mode::NoRecord:
        setFieldsEnabled(false);
        cmdSave->setEnabled(false);
        cmdCreate->setEnabled(true);
        break;
    case Mode::Browsing:
        cmdSave->setEnabled(false);
        cmdCreate->setEnabled(true);
        cmdEdit->setEnabled(true);
        setNavigationEnabled(true);
        break;
    case Mode::Creating:
    case Mode::Editing:
        break;
    }
}

void RecordEditor::disableEditor() {
    setFieldsEnabled(false);
    setNavigationEnabled(false);
    for (QPushButton* button : {cmdCreate, cmdEdit, cmdSave, cmdSaveThisRecord, cmdSaveAllRecords})
        button->setEnabled(false);
    if (frameView)
        frameView->setEnabled(false);
}

} // namespace zelt
