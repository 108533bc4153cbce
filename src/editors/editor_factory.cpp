#include "editors/editor_factory.h"

#include "editors/communication_editor.h"
#include "editors/member_editor.h"
#include "editors/sale_editor.h"
#include "editors/scheme_editor.h"

namespace zelt {

namespace {

// Builds the window and runs its load().
template <class Editor, class... Args> QWidget* loaded(const Args&... args) {
    auto* editor = new Editor(args...);
    editor->load();
    return editor;
}

} // namespace

QWidget* createEditor(EditorKind kind, const AppContext& app) {
    switch (kind) {
    case EditorKind::Sales:
        return loaded<SaleEditor>(SaleEditor::Kind::Sales, app);
    case EditorKind::Payments:
        return loaded<SaleEditor>(SaleEditor::Kind::Payments, app);
    case EditorKind::Schemes:
        return loaded<SchemeEditor>(app);
    case EditorKind::Communications:
        return loaded<CommunicationEditor>(app);
    case EditorKind::Members:
        return loaded<MemberEditor>(app);
    }
    return nullptr;
}

} // namespace zelt
