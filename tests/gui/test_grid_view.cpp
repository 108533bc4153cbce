#include "search/sale_result_table.h"
#include "storage/date_text.h"
#include "support/test_registry.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace zelt;

namespace {

// Records 1..5: members 10, 2, 30, 2, 1 on dates given out of calendar order.
std::unique_ptr<SaleResultTable> sampleTable(bool sortByDate = false) {
    auto table =
        std::make_unique<SaleResultTable>(SaleGridKind::Sales, LocaleRules::dayMonthYearComma());
    const struct {
        std::int32_t member;
        float sum;
        double date;
    } rows[] = {{10, 1.5f, serialFromDate(2002, 1, 10)},
                {2, 20.0f, serialFromDate(2001, 11, 16)},
                {30, 3.0f, serialFromDate(2001, 12, 1)},
                {2, 4.0f, serialFromDate(2001, 11, 17)},
                {1, 5.0f, serialFromDate(2003, 2, 1)}};
    std::int32_t n = 0;
    for (const auto& row : rows) {
        SaleRecord record;
        record.MemberID = row.member;
        record.Sum = row.sum;
        record.Date = row.date;
        table->append(++n, record.encode().data());
    }
    if (sortByDate)
        table->sortByColumn(SaleResultTable::Date);
    return table;
}

QStringList column(const QAbstractItemModel& model, int c) {
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row)
        out << model.index(row, c).data().toString();
    return out;
}

} // namespace

class TestGridView : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void namesAndLook();
    void modelPassesTheTester();
    void headerClickSorts();
    void cellClickOnlySelects();
    void selectionFollowsItsRecordThroughASort();
    void doubleClickChoosesTheRow();
    void enterChoosesTheRow();
    void headerDoubleClickGivesTheHeading();
    void doubleClickWithoutRowsGivesTheHeading();
    void newTableReplacesTheOld();
    void columnsFitTheirTexts();

private:
    QPoint headerPoint(int section) const {
        QHeaderView* header = view_->horizontalHeader();
        return {header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                header->height() / 2};
    }
    QPoint cellPoint(int row, int col) const {
        return view_->visualRect(view_->model()->index(row, col)).center();
    }

    std::unique_ptr<GridView> view_;
};

void TestGridView::init() {
    view_ = std::make_unique<GridView>();
    view_->resize(600, 300);
    view_->setTable(sampleTable());
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
}

void TestGridView::cleanup() {
    view_.reset();
}

void TestGridView::namesAndLook() {
    QCOMPARE(view_->objectName(), QStringLiteral("MSFGView"));
    QCOMPARE(view_->accessibleName(), QStringLiteral("Search results"));
    QCOMPARE(view_->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(view_->horizontalHeader()->isVisible());
    const QAbstractItemModel* model = view_->model();
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N of Record"));
    QCOMPARE(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Sum "));
    for (int c = 0; c < model->columnCount(); ++c)
        QVERIFY(model->headerData(c, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
    QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));
    QCOMPARE(column(*model, 3), (QStringList{"1,5", "20", "3", "4", "5"}));
}

void TestGridView::modelPassesTheTester() {
    GridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTable(sampleTable());
    model.sortByColumn(SaleResultTable::MemberID);
    model.sortByColumn(SaleResultTable::Date);
    model.setTable(std::make_unique<SaleResultTable>(SaleGridKind::Payments, LocaleRules::c()));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 4);
    model.setTable(nullptr);
    QCOMPARE(model.columnCount(), 0);
}

void TestGridView::headerClickSorts() {
    QHeaderView* header = view_->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, headerPoint(2));
    // Member numbers by value (2 before 10), the two rows of member 2 in their earlier order.
    QCOMPARE(column(*view_->model(), 2), (QStringList{"1", "2", "2", "10", "30"}));
    QCOMPARE(column(*view_->model(), 0), (QStringList{"5", "2", "4", "1", "3"}));
    QCOMPARE(header->sortIndicatorSection(), 2);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);

    // Dates in calendar order, not in the order of their texts.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, headerPoint(1));
    QCOMPARE(column(*view_->model(), 1),
             (QStringList{"16.11.2001", "17.11.2001", "01.12.2001", "10.01.2002", "01.02.2003"}));
    // A second click keeps the ascending order.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, headerPoint(1));
    QCOMPARE(column(*view_->model(), 0), (QStringList{"2", "4", "3", "1", "5"}));
}

void TestGridView::cellClickOnlySelects() {
    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, cellPoint(2, 2));
    QCOMPARE(column(*view_->model(), 0), (QStringList{"1", "2", "3", "4", "5"}));
    QCOMPARE(view_->horizontalHeader()->sortIndicatorSection(), -1);
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), 2);
}

void TestGridView::selectionFollowsItsRecordThroughASort() {
    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, cellPoint(0, 1)); // record 1
    QTest::mouseClick(view_->horizontalHeader()->viewport(), Qt::LeftButton, {}, headerPoint(2));
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().data().toString(), QStringLiteral("1"));
    QCOMPARE(selected.first().row(), 3);
    QCOMPARE(view_->currentIndex().row(), 3);
}

void TestGridView::doubleClickChoosesTheRow() {
    QSignalSpy chosen(view_.get(), &GridView::rowChosen);
    view_->sortRowsBy(SaleResultTable::Date);
    QTest::mouseDClick(view_->viewport(), Qt::LeftButton, {}, cellPoint(2, 3));
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toString(), QStringLiteral("3"));
    // The double click does not sort.
    QCOMPARE(view_->horizontalHeader()->sortIndicatorSection(), 1);
    QCOMPARE(column(*view_->model(), 0), (QStringList{"2", "4", "3", "1", "5"}));
}

void TestGridView::enterChoosesTheRow() {
    QSignalSpy chosen(view_.get(), &GridView::rowChosen);
    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, cellPoint(4, 0));
    QTest::keyClick(view_.get(), Qt::Key_Return);
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toString(), QStringLiteral("5"));
}

void TestGridView::headerDoubleClickGivesTheHeading() {
    QSignalSpy chosen(view_.get(), &GridView::rowChosen);
    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, cellPoint(1, 0));
    QTest::mouseDClick(view_->horizontalHeader()->viewport(), Qt::LeftButton, {}, headerPoint(3));
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toString(), QStringLiteral("N of Record"));
}

void TestGridView::doubleClickWithoutRowsGivesTheHeading() {
    QSignalSpy chosen(view_.get(), &GridView::rowChosen);
    view_->setTable(std::make_unique<SaleResultTable>(SaleGridKind::Payments, LocaleRules::c()));
    QTest::mouseDClick(view_->viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toString(), QStringLiteral("N of Record"));
}

void TestGridView::newTableReplacesTheOld() {
    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, cellPoint(1, 0));
    view_->setTable(sampleTable(true));
    QCOMPARE(view_->model()->rowCount(), 5);
    QCOMPARE(view_->horizontalHeader()->sortIndicatorSection(), 1);
    QVERIFY(view_->selectionModel()->selectedRows().isEmpty());
    view_->setTable(std::make_unique<SaleResultTable>(SaleGridKind::Payments, LocaleRules::c()));
    QCOMPARE(view_->model()->rowCount(), 0);
    QCOMPARE(view_->model()->headerData(3, Qt::Horizontal).toString(),
             QStringLiteral("Sum of a payment"));
    QCOMPARE(view_->horizontalHeader()->sortIndicatorSection(), -1);
}

void TestGridView::columnsFitTheirTexts() {
    QHeaderView* header = view_->horizontalHeader();
    QFont bold = header->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (int c = 0; c < 4; ++c) {
        const QString heading = view_->model()->headerData(c, Qt::Horizontal).toString();
        QVERIFY2(header->sectionSize(c) >= metrics.horizontalAdvance(heading.trimmed()),
                 qPrintable(heading));
    }
    const QFontMetrics cells(view_->font());
    QVERIFY(header->sectionSize(1) >= cells.horizontalAdvance(QStringLiteral("10.01.2002")));
}

ZELT_TEST(TestGridView)
#include "test_grid_view.moc"
