#pragma once

#include "search/referral_tree.h"
#include "storage/app_context.h"
#include "storage/record_file.h"

#include <QAbstractItemModel>

#include <cstdint>
#include <memory>
#include <vector>

namespace zelt {

// What the referral tree window shows of one member, read from its record.
struct MemberFacts {
    QString name, surname, level, date;
};
// From the 211 bytes of a member record.
MemberFacts memberFacts(const std::uint8_t* record, const LocaleRules& rules);

// The downline of one member as a tree: the member at the top, below each member the members it
// referred, in record order. A member's children are read (from the members file) only when its
// node is opened, so a tree of a million members costs what the opened nodes show. A member met
// again through a cycle (only the member at the top can be) is shown once more, marked, and has
// no children.
class DownlineModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Column { MemberID, Name, Surname, Level, Date, Referred, Downline, ColumnCount };

    explicit DownlineModel(const LocaleRules& rules, QObject* parent = nullptr);

    // The downline of root; membersPath is read when nodes open.
    void setTree(std::shared_ptr<const ReferralTree> tree, std::int32_t root,
                 std::string membersPath);
    // The member shown by a node, 0 for none.
    std::int32_t memberAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // The members file could not be read while a node opened: the node's children show their
    // numbers only.
    void readFailed(const QString& message);

private:
    struct Node {
        Node(std::int32_t m, std::int32_t p, std::int32_t r) : member(m), parent(p), row(r) {}
        std::int32_t member;
        std::int32_t parent; // node number, -1 for the top
        std::int32_t row;
        bool again = false;
        bool fetched = false;
        std::vector<std::int32_t> children; // node numbers
        MemberFacts facts;
    };

    std::int32_t nodeOf(const QModelIndex& index) const;

    std::shared_ptr<const ReferralTree> tree_;
    std::int32_t root_ = 0;
    std::string membersPath_;
    // How the members' dates are shown.
    const LocaleRules rules_;
    std::vector<Node> nodes_;
};

} // namespace zelt
