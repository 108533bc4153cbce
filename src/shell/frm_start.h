#pragma once

#include "editors/editor_factory.h"
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
    explicit frmStart(QWidget* parent = nullptr);

    // Sets AppDir to the program's directory (or the given one), prepares the data folder and
    // takes the folder's lock. Reports a failure and returns false when the data folder cannot
    // be made or another copy of the program has it open.
    bool Form_Load();
    bool Form_Load(const QString& appDir);

    // The editor window of a kind, when it is open.
    QWidget* editorWindow(EditorKind kind) const { return editors_.value(kind); }

private:
    void showEditor(EditorKind kind);
    void cmdCreateFiles();
    QPushButton* addButton(const char* name, const char* caption);

    QMap<EditorKind, QPointer<QWidget>> editors_;
    fs::File dataLock_; // held while the program runs: one copy of the program per folder
};

} // namespace zelt
