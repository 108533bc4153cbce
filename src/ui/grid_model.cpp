#include "ui/grid_model.h"

#include <QFont>

#include <vector>

namespace zelt {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

GridModel::~GridModel() = default;

void GridModel::setTable(std::unique_ptr<ResultTable> table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

void GridModel::keepBeforeOverwrite(std::int32_t n) {
    if (table_)
        table_->keepBeforeOverwrite(n);
}

void GridModel::sortByColumn(int column) {
    if (!table_ || column < 0 || column >= table_->columnCount())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> storedBefore;
    storedBefore.reserve(before.size());
    for (const QModelIndex& index : before)
        storedBefore.push_back(table_->storedIndex(index.row()));

    table_->sortByColumn(column);

    if (!before.isEmpty()) {
        std::vector<int> rowOfStored(static_cast<std::size_t>(table_->rowCount()));
        for (int row = 0; row < table_->rowCount(); ++row)
            rowOfStored[table_->storedIndex(row)] = row;
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            after.append(
                index(rowOfStored[storedBefore[static_cast<std::size_t>(i)]], before[i].column()));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString GridModel::heading(int column) const {
    if (!table_ || column < 0 || column >= table_->columnCount())
        return {};
    return QString::fromStdString(table_->heading(column));
}

QString GridModel::recordText(int row) const {
    if (!table_ || row < 0 || row >= table_->rowCount())
        return {};
    return QString::fromStdString(table_->cell(row, 0));
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_ ? 0 : table_->rowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_ ? 0 : table_->columnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return QString::fromStdString(table_->cell(index.row(), index.column()));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return heading(section);
    if (role == Qt::FontRole) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace zelt
