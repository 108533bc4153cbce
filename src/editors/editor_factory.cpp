#include "editors/editor_factory.h"

#include "editors/communication_editor.h"
#include "editors/member_editor.h"
#include "editors/sale_editor.h"
#include "editors/scheme_editor.h"

namespace zelt {

namespace {

// Builds the window and runs its Form_Load.
template <class Editor, class... Args> QWidget* loaded(Args... args) {
    auto* editor = new Editor(args...);
    editor->Form_Load();
    return editor;
}

} // namespace

QWidget* createEditor(EditorKind kind) {
    switch (kind) {
    case EditorKind::Sales:
        return loaded<SaleEditor>(SaleEditor::Kind::Sales);
    case EditorKind::Payments:
        return loaded<SaleEditor>(SaleEditor::Kind::Payments);
    case EditorKind::Schemes:
        return loaded<SchemeEditor>();
    case EditorKind::Communications:
        return loaded<CommunicationEditor>();
    case EditorKind::Members:
        return loaded<MemberEditor>();
    }
    return nullptr;
}

} // namespace zelt
