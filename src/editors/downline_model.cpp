#include "editors/downline_model.h"

#include "storage/app_context.h"
#include "storage/date_text.h"
#include "storage/member_record.h"
#include "storage/number_text.h"

#include <QFont>

namespace zelt {

namespace {

constexpr const char* kHeadings[DownlineModel::ColumnCount] = {
    "Zelt member's ID", "Name", "Surname", "Level", "Date", "Referred", "Downline"};

// A few children far apart are read one by one, many close together in one pass.
constexpr std::int64_t kScanSpread = 16;

QString withoutTrailingBlanks(const std::string& text) {
    const auto end = text.find_last_not_of(' ');
    return QString::fromStdString(end == std::string::npos ? std::string()
                                                           : text.substr(0, end + 1));
}

} // namespace

MemberFacts memberFacts(const std::uint8_t* record, const LocaleRules& rules) {
    const MemberRecord m = MemberRecord::decode(record);
    return {withoutTrailingBlanks(m.Name), withoutTrailingBlanks(m.Surname),
            QString::number(m.Level), QString::fromStdString(formatDate(m.Date, rules))};
}

DownlineModel::DownlineModel(const LocaleRules& rules, QObject* parent)
    : QAbstractItemModel(parent), rules_(rules) {}

void DownlineModel::setTree(std::shared_ptr<const ReferralTree> tree, std::int32_t root,
                            std::string membersPath) {
    beginResetModel();
    tree_ = std::move(tree);
    root_ = root;
    membersPath_ = std::move(membersPath);
    nodes_.clear();
    if (tree_ && tree_->isMember(root)) {
        Node top(root, -1, 0);
        auto members = RecordFile::openForReading(membersPath_, MemberRecord::kLength);
        if (members) {
            const auto record = members->read(root);
            if (record && *record)
                top.facts = memberFacts((*record)->data(), rules_);
        }
        nodes_.push_back(std::move(top));
    }
    endResetModel();
}

std::int32_t DownlineModel::nodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<std::int32_t>(index.internalId()) : -1;
}

std::int32_t DownlineModel::memberAt(const QModelIndex& index) const {
    const std::int32_t node = nodeOf(index);
    return node >= 0 ? nodes_[node].member : 0;
}

QModelIndex DownlineModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= ColumnCount)
        return {};
    const std::int32_t p = nodeOf(parent);
    if (p < 0)
        return row == 0 && !nodes_.empty() ? createIndex(0, column, quintptr(0)) : QModelIndex();
    const Node& node = nodes_[p];
    if (row >= static_cast<int>(node.children.size()))
        return {};
    return createIndex(row, column, quintptr(node.children[row]));
}

QModelIndex DownlineModel::parent(const QModelIndex& child) const {
    const std::int32_t c = nodeOf(child);
    if (c < 0 || nodes_[c].parent < 0)
        return {};
    const Node& p = nodes_[nodes_[c].parent];
    return createIndex(p.row, 0, quintptr(nodes_[c].parent));
}

int DownlineModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    const std::int32_t p = nodeOf(parent);
    if (p < 0)
        return nodes_.empty() ? 0 : 1;
    return static_cast<int>(nodes_[p].children.size());
}

int DownlineModel::columnCount(const QModelIndex&) const {
    return ColumnCount;
}

bool DownlineModel::hasChildren(const QModelIndex& parent) const {
    const std::int32_t p = nodeOf(parent);
    if (p < 0)
        return !nodes_.empty();
    if (parent.column() > 0)
        return false;
    const Node& node = nodes_[p];
    return !node.again && tree_->firstChild(node.member) != 0;
}

bool DownlineModel::canFetchMore(const QModelIndex& parent) const {
    const std::int32_t p = nodeOf(parent);
    return p >= 0 && !nodes_[p].fetched && hasChildren(parent);
}

void DownlineModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    const std::int32_t p = nodeOf(parent);
    nodes_[p].fetched = true;
    std::vector<std::int32_t> members;
    for (std::int32_t c = tree_->firstChild(nodes_[p].member); c != 0; c = tree_->nextSibling(c))
        members.push_back(c);

    // The facts of the children, in record order.
    std::vector<MemberFacts> facts(members.size());
    auto file = RecordFile::openForReading(membersPath_, MemberRecord::kLength);
    Status status = file.status();
    if (file) {
        const std::int32_t first = members.front();
        const std::int32_t last = members.back();
        if (std::int64_t(last) - first < kScanSpread * std::int64_t(members.size())) {
            std::size_t next = 0;
            status = file->scan(first, last, [&](std::int32_t n, const std::uint8_t* record) {
                if (next < members.size() && members[next] == n)
                    facts[next++] = memberFacts(record, rules_);
                return next < members.size();
            });
        } else {
            for (std::size_t i = 0; i < members.size() && status.ok(); ++i) {
                const auto record = file->read(members[i]);
                if (!record)
                    status = record.status();
                else if (*record)
                    facts[i] = memberFacts((*record)->data(), rules_);
            }
        }
    }

    const auto count = static_cast<int>(members.size());
    beginInsertRows(parent, 0, count - 1);
    nodes_.reserve(nodes_.size() + members.size());
    for (int i = 0; i < count; ++i) {
        Node child(members[i], p, i);
        child.again = members[i] == root_;
        child.fetched = child.again;
        child.facts = std::move(facts[i]);
        nodes_[p].children.push_back(static_cast<std::int32_t>(nodes_.size()));
        nodes_.push_back(std::move(child));
    }
    endInsertRows();
    if (!status)
        emit readFailed(QString::fromStdString(status.error().message()));
}

QVariant DownlineModel::data(const QModelIndex& index, int role) const {
    const std::int32_t n = nodeOf(index);
    if (n < 0)
        return {};
    const Node& node = nodes_[n];
    if (role == Qt::ToolTipRole && node.again)
        return QStringLiteral("Met again through a cycle of referrers");
    if (role == Qt::FontRole && node.again) {
        QFont font;
        font.setItalic(true);
        return font;
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (index.column()) {
    case MemberID:
        return node.again ? QStringLiteral("%1 (again)").arg(node.member)
                          : QString::number(node.member);
    case Name:
        return node.facts.name;
    case Surname:
        return node.facts.surname;
    case Level:
        return node.facts.level;
    case Date:
        return node.facts.date;
    case Referred:
        return node.again ? QString() : QString::number(tree_->referredCount(node.member));
    case Downline:
        return node.again ? QString() : QString::number(tree_->downlineSize(node.member));
    }
    return {};
}

QVariant DownlineModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(kHeadings[section]);
}

} // namespace zelt
