#include "ui/grid_view.h"

#include "ui/grid_model.h"

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace zelt {

namespace {
// A column is fitted to at most this many rows, those at the top of the view.
constexpr int kMeasuredRows = 64;
} // namespace

GridView::GridView(QWidget* parent) : QTableView(parent), model_(new GridModel(this)) {
    setObjectName(QStringLiteral("MSFGView"));
    setAccessibleName(QStringLiteral("Search results"));
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setWordWrap(false);

    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    rows->hide();

    QHeaderView* columns = horizontalHeader();
    columns->setVisible(true);
    columns->setSectionsClickable(true);
    columns->setSortIndicatorShown(true);
    columns->setSortIndicator(-1, Qt::AscendingOrder);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setHighlightSections(false);
    // The last column takes the room the others leave, so the grid has no empty strip.
    columns->setStretchLastSection(true);
    connect(columns, &QHeaderView::sectionClicked, this, &GridView::sortRowsBy);
    connect(columns, &QHeaderView::sectionDoubleClicked, this,
            [this](int) { emit rowChosen(model_->heading(0)); });
}

void GridView::setTable(std::unique_ptr<ResultTable> table) {
    model_->setTable(std::move(table));
    horizontalHeader()->setSortIndicator(model_->sortColumn(), Qt::AscendingOrder);
    scrollToTop();
    fitColumns();
}

const ResultTable* GridView::table() const {
    return model_->table();
}

void GridView::keepBeforeOverwrite(std::int32_t n) {
    model_->keepBeforeOverwrite(n);
}

void GridView::sortRowsBy(int column) {
    if (column < 0 || column >= model_->columnCount())
        return;
    model_->sortByColumn(column);
    horizontalHeader()->setSortIndicator(column, Qt::AscendingOrder);
    if (currentIndex().isValid())
        scrollTo(currentIndex());
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    chooseRow(index.isValid() ? index.row() : currentIndex().row());
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        chooseRow(currentIndex().row());
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::chooseRow(int row) {
    if (row >= 0 && row < model_->rowCount())
        emit rowChosen(model_->recordText(row));
    else
        emit rowChosen(model_->heading(0));
}

void GridView::fitColumns() {
    for (int column = 0; column < model_->columnCount(); ++column)
        resizeColumnToContents(column);
}

int GridView::sizeHintForColumn(int column) const {
    if (column < 0 || column >= model_->columnCount())
        return -1;
    ensurePolished();
    const int rows = model_->rowCount();
    const int first = std::max(0, rowAt(0));
    const int last = std::min(rows, first + kMeasuredRows);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    int hint = 0;
    for (int row = first; row < last; ++row) {
        const QModelIndex index = model_->index(row, column);
        hint = std::max(hint, itemDelegateForIndex(index)->sizeHint(option, index).width());
    }
    return hint + (showGrid() ? 1 : 0);
}

int GridView::sizeHintForRow(int) const {
    return verticalHeader()->defaultSectionSize();
}

} // namespace zelt
