#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace zelt {

// A small read-only table of texts under a header, each row with the member it shows (0 for
// none): the upline and the levels of the referral tree window.
class TextRowsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TextRowsModel(QStringList headings, QObject* parent = nullptr);

    struct Row {
        QStringList cells;
        std::int32_t member = 0;
        bool marked = false; // shown in italics
    };
    void setRows(std::vector<Row> rows);
    std::int32_t memberAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList headings_;
    std::vector<Row> rows_;
};

} // namespace zelt
