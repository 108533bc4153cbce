#pragma once

#include "editors/editor_factory.h"
#include "storage/app_context.h"
#include "storage/file_system.h"

#include <QMap>
#include <QPointer>
#include <QWidget>

class QPushButton;

namespace zelt {

// The main window: five buttons that open the editors and one that writes the files for
// calculations.
class frmStart : public QWidget {
    Q_OBJECT

public:
    // The window works in app.dir with app.rules, and hands both on to the editors it opens.
    explicit frmStart(AppContext app, QWidget* parent = nullptr);

    // Prepares the data folder of the program's directory (or of the given one, which the window
    // then works in) and takes the folder's lock. Reports a failure and returns false when the
    // data folder cannot be made or another copy of the program has it open.
    bool load();
    bool load(const QString& appDir);

    // The editor window of a kind, when it is open.
    QWidget* editorWindow(EditorKind kind) const { return editors_.value(kind); }

private:
    void showEditor(EditorKind kind);
    void cmdCreateFiles();
    QPushButton* addButton(const char* name, const char* caption);

    AppContext app_;
    QMap<EditorKind, QPointer<QWidget>> editors_;
    fs::File dataLock_; // held while the program runs: one copy of the program per folder
};

} // namespace zelt
