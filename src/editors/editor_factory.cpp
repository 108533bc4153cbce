#include "editors/editor_factory.h"

#include "editors/communication_editor.h"
#include "editors/sale_editor.h"

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
    case EditorKind::Communications:
        return loaded<CommunicationEditor>();
    // The member and payment scheme editors are RecordEditors of their own; each gets its case
    // here when it is built.
    case EditorKind::Members:
    case EditorKind::Schemes:
        break;
    }
    return nullptr;
}

} // namespace zelt
