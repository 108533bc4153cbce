// The member editor's way into the referral tree window.
#include "editors/member_editor.h"
#include "editors/tree_window.h"
#include "ui/busy_pointer.h"

#include <QPushButton>

namespace zelt {

void MemberEditor::applyMode(Mode mode) {
    RecordEditor::applyMode(mode);
    updateTreeButton();
}

void MemberEditor::updateTreeButton() {
    cmdTree->setEnabled(isLoaded() && currentStored_ && currentRecord_ >= 1);
}

void MemberEditor::onCmdTreeClicked() {
    if (!currentStored_ || currentRecord_ < 1)
        return;
    const BusyPointer busy(cmdTree, this);
    TreeWindow::showFor(this, currentRecord_);
}

} // namespace zelt
