// The member editor's way into the referral tree window.
#include "editors/member_editor.h"
#include "editors/tree_window.h"
#include "ui/busy_pointer.h"

#include <QPushButton>

namespace zelt {

void MemberEditor::Enabled_frm(std::int16_t& mode) {
    RecordEditor::Enabled_frm(mode);
    updateTreeButton();
}

void MemberEditor::updateTreeButton() {
    cmdTree->setEnabled(isLoaded() && CurrentStored && CurrentRecord >= 1);
}

void MemberEditor::cmdTree_Click() {
    if (!CurrentStored || CurrentRecord < 1)
        return;
    const BusyPointer busy(cmdTree, this);
    TreeWindow::showFor(this, CurrentRecord);
}

} // namespace zelt
