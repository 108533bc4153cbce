// The controls of the referral tree window and their places.
#include "editors/downline_model.h"
#include "editors/field_text.h"
#include "editors/text_rows_model.h"
#include "editors/tree_window.h"
#include "ui/focus_chain.h"
#include "ui/message_box.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

namespace zelt {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

void setUpTable(QTableView* table, const char* name, const char* accessibleName) {
    table->setObjectName(QString::fromLatin1(name));
    table->setAccessibleName(QString::fromLatin1(accessibleName));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setTabKeyNavigation(false);
}

} // namespace

void TreeWindow::createControls() {
    uplineModel_ = new TextRowsModel({QStringLiteral("Zelt member's ID"), QStringLiteral("Name"),
                                      QStringLiteral("Surname"), QStringLiteral("Level")},
                                     this);
    levelsModel_ =
        new TextRowsModel({QStringLiteral("Level below"), QStringLiteral("Members"),
                           QStringLiteral("Sales"), QStringLiteral("Sum of sales"),
                           QStringLiteral("Payments"), QStringLiteral("Sum of payments")},
                          this);
    downlineModel_ = new DownlineModel(app_.rules, this);

    grdUpline = new QTableView(this);
    setUpTable(grdUpline, "grdUpline", "Upline");
    grdUpline->setModel(uplineModel_);
    grdLevels = new QTableView(this);
    setUpTable(grdLevels, "grdLevels", "Levels below");
    grdLevels->setModel(levelsModel_);

    tvDownline = new QTreeView(this);
    tvDownline->setObjectName(QStringLiteral("tvDownline"));
    tvDownline->setAccessibleName(QStringLiteral("Downline"));
    tvDownline->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvDownline->setUniformRowHeights(true);
    tvDownline->setExpandsOnDoubleClick(false); // a double click chooses the member
    tvDownline->setModel(downlineModel_);

    txtFrom = makeLineField(this, "txtFrom");
    txtTo = makeLineField(this, "txtTo");
    cmdFind = makeButton(this, "cmdFind", "Find");
    cmdSaveTree = makeButton(this, "cmdSaveTree", "Save as txt");

    connect(cmdFind, &QPushButton::clicked, this, [this] { onCmdFindClicked(); });
    connect(cmdSaveTree, &QPushButton::clicked, this, [this] { onCmdSaveTreeClicked(); });
    for (QLineEdit* limit : {txtFrom, txtTo})
        connect(limit, &QLineEdit::returnPressed, cmdFind, &QPushButton::click);
    // A double click or Enter on a member: activated.
    connect(grdUpline, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        chooseMember(uplineModel_->memberAt(index.row()));
    });
    connect(tvDownline, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { chooseMember(downlineModel_->memberAt(index)); });
    connect(downlineModel_, &DownlineModel::readFailed, this,
            [this](const QString& message) { showMessage(message, this); });
}

void TreeWindow::arrangeWindow() {
    QLabel* const upline = makeLabel(this, "lblUpline", "Upline", grdUpline);
    QLabel* const downline = makeLabel(this, "lblDownline", "Downline", tvDownline);
    QLabel* const levels = makeLabel(this, "lblLevels", "Levels", grdLevels);
    QLabel* const from = makeLabel(this, "lblFrom", "From", txtFrom);
    QLabel* const to = makeLabel(this, "lblTo", "To", txtTo);

    auto* limits = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{from, txtFrom, to, txtTo, cmdFind})
        limits->addWidget(control);

    auto* left = new QVBoxLayout;
    left->addWidget(upline);
    left->addWidget(grdUpline, 1);
    left->addWidget(levels);
    left->addLayout(limits);
    left->addWidget(grdLevels, 1);

    auto* save = new QHBoxLayout;
    save->addStretch();
    save->addWidget(cmdSaveTree);
    auto* right = new QVBoxLayout;
    right->addWidget(downline);
    right->addWidget(tvDownline, 1);
    right->addLayout(save);

    auto* window = new QHBoxLayout(this);
    window->addLayout(left, 1);
    window->addLayout(right, 1);

    // Down the left column (the upline, the date limits, the levels), then the tree and its
    // button.
    setFocusChain({grdUpline, txtFrom, txtTo, cmdFind, grdLevels, tvDownline, cmdSaveTree});
    resize(1100, 620);
}

} // namespace zelt
