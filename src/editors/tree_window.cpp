#include "editors/tree_window.h"

#include "editors/downline_model.h"
#include "editors/field_text.h"
#include "editors/member_editor.h"
#include "editors/text_rows_model.h"
#include "export/downline_export.h"
#include "search/level_table.h"
#include "shell/message_table.h"
#include "storage/app_context.h"
#include "storage/app_paths.h"
#include "storage/date_text.h"
#include "storage/member_count.h"
#include "storage/member_record.h"
#include "storage/sale_record.h"
#include "ui/busy_pointer.h"
#include "ui/message_box.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>

namespace zelt {

namespace {

QPointer<TreeWindow> theWindow;

} // namespace

TreeWindow* TreeWindow::showFor(MemberEditor* editor, std::int32_t member) {
    // A window left from an earlier member editor goes at once (it would close with that one).
    if (theWindow && theWindow->editor_ != editor)
        delete theWindow.data();
    if (!theWindow)
        theWindow = new TreeWindow(editor);
    theWindow->load(member);
    theWindow->show();
    theWindow->raise();
    theWindow->activateWindow();
    return theWindow;
}

TreeWindow::TreeWindow(MemberEditor* editor) : editor_(editor), app_(editor->app()) {
    setObjectName(QStringLiteral("frmTree"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Referral tree"));
    createControls();
    arrangeWindow();
    connect(editor, &QObject::destroyed, this, &QWidget::close);
}

std::string TreeWindow::dataPath(const char* name) const {
    return filePath(app_.dir, Folder::Data, name);
}

void TreeWindow::load(std::int32_t member) {
    root_ = member;
    txtFrom->clear();
    txtTo->clear();
    auto tree = ReferralTree::read(dataPath(MemberRecord::kFileName));
    if (!tree) {
        showMessage(tree.error().message(), this);
        tree = ReferralTree::fromReferrers({});
    }
    tree_ = std::make_shared<const ReferralTree>(std::move(*tree));
    showUpline();
    downlineModel_->setTree(tree_, root_, dataPath(MemberRecord::kFileName));
    tvDownline->expand(downlineModel_->index(0, 0));
    tvDownline->setCurrentIndex(downlineModel_->index(0, 0));
    for (int column = 0; column < DownlineModel::ColumnCount; ++column)
        tvDownline->resizeColumnToContents(column);
    showLevels();
}

void TreeWindow::showUpline() {
    std::vector<TextRowsModel::Row> rows;
    auto members =
        RecordFile::openForReading(dataPath(MemberRecord::kFileName), MemberRecord::kLength);
    for (const ReferralTree::UplineStep& step : tree_->upline(root_)) {
        TextRowsModel::Row row;
        row.member = step.member;
        row.cells << QString::number(step.member);
        using Kind = ReferralTree::UplineStep::Kind;
        if (step.kind == Kind::NotStored) {
            row.cells << QStringLiteral("(no stored member)");
            row.marked = true;
        } else {
            MemberFacts facts;
            if (members) {
                const auto record = members->read(step.member);
                if (record && *record)
                    facts = memberFacts((*record)->data(), app_.rules);
            }
            if (step.kind == Kind::Again) {
                row.cells[0] += QStringLiteral(" (again)");
                row.marked = true;
            }
            row.cells << facts.name << facts.surname << facts.level;
        }
        rows.push_back(std::move(row));
    }
    uplineModel_->setRows(std::move(rows));
    grdUpline->resizeColumnsToContents();
}

bool TreeWindow::showLevels() {
    DateLimits limits;
    for (auto [field, limit] : {std::pair{txtFrom, &limits.from}, std::pair{txtTo, &limits.to}}) {
        const QString text = field->text().trimmed();
        if (text.isEmpty())
            continue;
        *limit = parseDate(toStdString(text), app_.rules);
        if (!*limit) {
            showMessage(kMsgIncorrectValue, this);
            field->setFocus();
            return false;
        }
    }
    const auto table =
        levelTable(*tree_, root_, dataPath("sales.kvr"), dataPath("payments.kvr"), limits);
    if (!table) {
        showMessage(table.error().message(), this);
        return false;
    }
    const LocaleRules& rules = app_.rules;
    std::vector<TextRowsModel::Row> rows;
    for (int level = 0; level <= kPaidLevels; ++level) {
        const LevelRow& counted = (*table)[level];
        TextRowsModel::Row row;
        row.cells << (level < kPaidLevels ? QString::number(level + 1) : QStringLiteral("Deeper"))
                  << QString::number(counted.members) << QString::number(counted.sales)
                  << toQString(formatSum(counted.salesSum, rules))
                  << QString::number(counted.payments)
                  << toQString(formatSum(counted.paymentsSum, rules));
        rows.push_back(std::move(row));
    }
    levelsModel_->setRows(std::move(rows));
    grdLevels->resizeColumnsToContents();
    return true;
}

void TreeWindow::onCmdFindClicked() {
    const BusyPointer busy(cmdFind, this);
    showLevels();
}

void TreeWindow::onCmdSaveTreeClicked() {
    const BusyPointer busy(cmdSaveTree, this);
    if (const Status saved = saveDownline(app_.dir, *tree_, root_); !saved)
        showMessage(saved.error().message(), this);
}

void TreeWindow::chooseMember(std::int32_t member) {
    if (!editor_)
        return;
    editor_->chooseRow(QString::number(member));
    editor_->raise();
    editor_->activateWindow();
}

} // namespace zelt
