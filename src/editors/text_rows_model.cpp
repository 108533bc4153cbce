#include "editors/text_rows_model.h"

#include <QFont>

namespace zelt {

TextRowsModel::TextRowsModel(QStringList headings, QObject* parent)
    : QAbstractTableModel(parent), headings_(std::move(headings)) {}

void TextRowsModel::setRows(std::vector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

std::int32_t TextRowsModel::memberAt(int row) const {
    return row >= 0 && row < rowCount() ? rows_[row].member : 0;
}

int TextRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant TextRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const Row& row = rows_[index.row()];
    if (role == Qt::FontRole && row.marked) {
        QFont font;
        font.setItalic(true);
        return font;
    }
    if (role != Qt::DisplayRole)
        return {};
    return index.column() < row.cells.size() ? row.cells[index.column()] : QString();
}

QVariant TextRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return {};
    return headings_[section];
}

} // namespace zelt
