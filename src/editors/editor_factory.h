#pragma once

class QWidget;

namespace zelt {

// The five editor windows that the main window opens.
enum class EditorKind { Members, Communications, Sales, Payments, Schemes };

// A new top-level editor window of the kind (deleted when closed) whose Form_Load has run, not
// yet shown; nullptr for a kind that has no editor yet.
QWidget* createEditor(EditorKind kind);

} // namespace zelt
