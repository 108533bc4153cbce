// How the search grid fits its columns and rows: by the header and the rows in view only, so a
// search of a million records fills the grid without measuring them; every row equally high.
#include "search/sale_result_table.h"
#include "storage/date_text.h"
#include "support/test_registry.h"
#include "ui/grid_view.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QtTest>

#include <memory>

using namespace zelt;

namespace {

// Counts how many cells the view asks the size of.
class CountingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        ++measured;
        return QStyledItemDelegate::sizeHint(option, index);
    }
    mutable int measured = 0;
};

// rows sales of member 1, except one far down the list whose member number is long.
std::unique_ptr<SaleResultTable> table(int rows, int longRow) {
    auto result =
        std::make_unique<SaleResultTable>(SaleGridKind::Sales, LocaleRules::dayMonthYearComma());
    for (int n = 1; n <= rows; ++n) {
        SaleRecord sale;
        sale.MemberID = n == longRow ? 2000000000 : 1;
        sale.Sum = 1;
        sale.Date = serialFromDate(2002, 1, 1);
        result->append(n, sale.encode().data());
    }
    return result;
}

} // namespace

class GridFitTest : public QObject {
    Q_OBJECT

private slots:
    void measuresTheRowsInViewOnly() {
        GridView view;
        auto* delegate = new CountingDelegate(&view);
        view.setItemDelegate(delegate);
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        view.setTable(table(1'000'000, 500'000));
        QCOMPARE(view.model()->rowCount(), 1'000'000);
        // Four columns of the rows in view, not four million cells.
        QVERIFY2(delegate->measured < 4 * 200, qPrintable(QString::number(delegate->measured)));
        // The long number far below the view does not widen its column: the heading does.
        QHeaderView* header = view.horizontalHeader();
        const int memberColumn = 2;
        QVERIFY(header->sectionSize(memberColumn) >= header->sectionSizeHint(memberColumn));
        QVERIFY(header->sectionSize(memberColumn) < header->sectionSizeHint(memberColumn) + 40);

        // Sorting keeps the row height and shows the column sorted by in the header.
        const int rowHeight = view.rowHeight(0);
        delegate->measured = 0;
        view.sortRowsBy(memberColumn);
        QCOMPARE(header->sortIndicatorSection(), memberColumn);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        QVERIFY(delegate->measured < 4 * 200);
        QCOMPARE(view.rowHeight(999'999), rowHeight);
        QCOMPARE(view.model()->index(999'999, memberColumn).data().toString(),
                 QStringLiteral("2000000000"));
    }

    void headerIsBoldAndRowsUniform() {
        GridView view;
        view.setTable(table(50, 3));
        QVERIFY(view.model()->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
        QCOMPARE(view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        for (int row = 1; row < 50; ++row)
            QCOMPARE(view.rowHeight(row), view.rowHeight(0));
        QVERIFY(view.rowHeight(0) >= view.fontMetrics().height());
    }
};

ZELT_TEST(GridFitTest)
#include "test_grid_fit.moc"
