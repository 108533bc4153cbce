#include "tree_workload.h"

#include "editors/editor_factory.h"
#include "search/referral_tree.h"
#include "storage/app_context.h"
#include "storage/app_paths.h"
#include "storage/locale_rules.h"
#include "storage/member_record.h"
#include "ui/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>

namespace zelt::bench {

namespace {

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

struct TreeState {
    QPointer<QWidget> editor;
    std::int32_t root = 0;
    std::int32_t downline = 0;
    QStringList messages;
    AppContext app;
};

Status noMessages(TreeState& state, const char* during) {
    if (state.messages.isEmpty())
        return {};
    const std::string text = state.messages.join(QStringLiteral(" / ")).toStdString();
    state.messages.clear();
    return FsError{during, state.app.dir, "the window said: " + text};
}

QWidget* treeWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("frmTree"))
            return window;
    return nullptr;
}

std::unique_ptr<Workload> treeWorkload(const std::string& appDir, std::string& unavailable) {
    auto state = std::make_shared<TreeState>();
    state->app = AppContext{appDir, LocaleRules::c()};
    setMessageHandler([state](const QString& text) { state->messages.push_back(text); });

    // The top of the largest downline, found before anything is timed.
    auto tree = ReferralTree::read(filePath(appDir, Folder::Data, MemberRecord::kFileName));
    if (!tree) {
        unavailable = tree.error().message();
        return nullptr;
    }
    for (std::int32_t n = 1; n <= tree->memberCount(); ++n)
        if (tree->downlineSize(n) > state->downline) {
            state->root = n;
            state->downline = tree->downlineSize(n);
        }
    if (state->root == 0) {
        unavailable = "no member has a downline";
        return nullptr;
    }

    state->editor = createEditor(EditorKind::Members, state->app);
    state->editor->show();
    settle();
    auto* number = state->editor->findChild<QLineEdit*>(QStringLiteral("txtCurrent_Record"));
    auto* goTo = state->editor->findChild<QAbstractButton*>(QStringLiteral("cmdGoTo"));
    auto* button = state->editor->findChild<QAbstractButton*>(QStringLiteral("cmdTree"));
    if (!number || !goTo || !button) {
        unavailable = "the member editor has no referral tree button";
        return nullptr;
    }
    number->setText(QString::number(state->root));
    goTo->click();
    settle();
    if (!button->isEnabled()) {
        unavailable = "the referral tree button is disabled";
        return nullptr;
    }

    auto workload = std::make_unique<Workload>();
    workload->run = [state, button]() -> Status {
        button->click();
        settle();
        if (!treeWindow())
            return FsError{"open the referral tree", state->app.dir, "no window"};
        return noMessages(*state, "open the referral tree");
    };
    workload->finish = [] {
        if (QWidget* window = treeWindow()) {
            window->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            settle();
        }
        return Status();
    };
    workload->records = [state] { return std::int64_t{state->downline}; };
    return workload;
}

} // namespace

WorkloadMaker treeOpening() {
    return {"open-tree", treeWorkload};
}

} // namespace zelt::bench
