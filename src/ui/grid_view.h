#pragma once

#include "search/result_table.h"

#include <QTableView>

#include <memory>

namespace zelt {

class GridModel;

// The search grid MSFGView: a read-only table of the last search's rows under a bold header.
// A click on a column header sorts the rows by that column (ascending, stable; the selection
// stays on its record); a click on a cell only selects its row. A double click on a row, or
// Enter, chooses that row: rowChosen carries the text of its column 0 (the record number). A
// double click on the header, or anywhere while the grid has no row, carries the heading of
// column 0, which is no record number.
class GridView : public QTableView {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr);

    // Replaces the whole content (a search rebuilds the grid) and fits the columns.
    void setTable(std::unique_ptr<ResultTable> table);
    const ResultTable* table() const;
    GridModel* gridModel() const { return model_; }

    // Before the editor overwrites record n of its file: a listed record keeps showing the
    // values the search found.
    void keepBeforeOverwrite(std::int32_t n);

    // What a click on the header of a column does.
    void sortRowsBy(int column);

signals:
    void rowChosen(const QString& column0Text);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Measures the visible rows only, never the whole table.
    int sizeHintForColumn(int column) const override;
    int sizeHintForRow(int row) const override;

private:
    void chooseRow(int row);
    void fitColumns();

    GridModel* model_;
};

} // namespace zelt
