#pragma once

#include "search/referral_tree.h"
#include "storage/app_context.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>

class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;
class QTreeView;

namespace zelt {

class DownlineModel;
class MemberEditor;
class TextRowsModel;

// The window frmTree, "Referral tree": the upline of one member (its referrers up to the top),
// its downline as a tree whose nodes open on demand, and the members, sales and payments of each
// level below it, the sales and payments limited to a span of days. Read-only: it writes nothing
// but output/downline.txt. A member chosen in the upline or the tree (double click or Enter) is
// shown in the member editor that opened the window.
class TreeWindow : public QWidget {
    Q_OBJECT

public:
    // The one referral tree window, made when missing, showing member of the editor's file
    // (read anew) and brought forward. It closes with the editor.
    static TreeWindow* showFor(MemberEditor* editor, std::int32_t member);

    std::int32_t member() const { return root_; }

    // Reads the members, sales and payments files and shows member's tree; the date limits are
    // emptied.
    void load(std::int32_t member);
    // Find: the level table within the typed date limits.
    void onCmdFindClicked();
    // Save as txt: output/downline.txt.
    void onCmdSaveTreeClicked();

private:
    explicit TreeWindow(MemberEditor* editor);

    void createControls();
    void arrangeWindow();
    void showUpline();
    // Reads the sales and payments into grdLevels; false after a message.
    bool showLevels();
    void chooseMember(std::int32_t member);
    // <dir>/data/<name>
    std::string dataPath(const char* name) const;

    QPointer<MemberEditor> editor_;
    // The editor's folder and conversion rules.
    const AppContext app_;
    std::shared_ptr<const ReferralTree> tree_;
    std::int32_t root_ = 0;

    TextRowsModel* uplineModel_;
    DownlineModel* downlineModel_;
    TextRowsModel* levelsModel_;

    QTableView* grdUpline;
    QTreeView* tvDownline;
    QTableView* grdLevels;
    QLineEdit* txtFrom;
    QLineEdit* txtTo;
    QPushButton* cmdFind;
    QPushButton* cmdSaveTree;
};

} // namespace zelt
