#pragma once

#include "search/result_table.h"

#include <QAbstractTableModel>

#include <memory>

namespace zelt {

// The rows of the last search as Qt sees them: headings from the table, bold header cells, and
// each cell's text made only when the view asks for it (the rows it shows), from the record read
// then. A cell whose record cannot be read shows empty; nothing is reported while the grid
// paints.
class GridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    // Replaces the whole content (a search rebuilds the grid).
    void setTable(std::unique_ptr<ResultTable> table);
    const ResultTable* table() const { return table_.get(); }

    // Record n of the searched file is about to be overwritten: its row keeps showing the
    // record as the search found it.
    void keepBeforeOverwrite(std::int32_t n);

    // Stable ascending sort by one column. Persistent indexes (the selection, the current cell)
    // follow their records to their new rows.
    void sortByColumn(int column);
    int sortColumn() const { return table_ ? table_->sortColumn() : -1; }

    QString heading(int column) const;
    // Text of column 0 of a row: the record number.
    QString recordText(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::unique_ptr<ResultTable> table_;
};

} // namespace zelt
