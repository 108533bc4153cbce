#pragma once

#include "storage/app_context.h"

class QWidget;

namespace zelt {

// The five editor windows that the main window opens.
enum class EditorKind { Members, Communications, Sales, Payments, Schemes };

// A new top-level editor window of the kind (deleted when closed) whose load() has run, not
// yet shown, working in the program's folder with its conversion rules; nullptr for a kind
// that has no editor yet.
QWidget* createEditor(EditorKind kind, const AppContext& app);

} // namespace zelt
