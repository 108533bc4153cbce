#pragma once

#include "editors/editor_factory.h"
#include "editors/record_editor.h"
#include "support/folder_snapshot.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"

#include <QAbstractItemModel>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <memory>
#include <string>

// Reaching a window's controls by their names, clicking and typing; and the one fixture of the
// editor windows, which runs a scenario written as a table row: the files to start from, what
// the operator does, the messages that must come (in order), and what must hold afterwards.
namespace zelt::test {

template <class T = QWidget> T* controlOf(const QWidget* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    if (!found)
        qFatal("%s has no control %s", qPrintable(window->objectName()), qPrintable(name));
    return found;
}
void clickOn(const QWidget* window, const QString& name);
// Replaces the text of a field or chooses the entry of a list; text the test keyboard cannot
// type is pasted.
void typeInto(const QWidget* window, const QString& name, const QString& text);
QString textIn(const QWidget* window, const QString& name);
bool enabledIn(const QWidget* window, const QString& name);
// The texts of a column of a model's rows under parent, joined by commas.
QString cellsOf(const QAbstractItemModel* model, int column, const QModelIndex& parent = {});
// The named control that holds the focus (a list's own line edit counts as the list).
QString focusName();
// A file under testApp().dir, read past the program's file layer; "<missing>" when there is none.
QByteArray fileBytes(const std::string& relative);
// The text of a message by its short name in the test tables ("enter", "incorrect",
// "noRecord", "noMember", "select", "createRecord", "createSchemes", "truncated", "replaced",
// "storedAs:<value>"); any other name is the text itself.
QString messageText(const QString& name);
EditorKind editorKind(const QString& name);
// The controls of an editor window in the order Tab visits them.
QString tabOrder(const QString& kind);
// The rows of a table, one a line (a line that starts with four blanks goes on with the one
// before), with \r, \n, \t and \uXXXX read as in C++.
QStringList tableLines(const char* table);

class EditorWindows {
protected:
    void setUp();
    void tearDown();

    // The column of a scenario table (the five texts of a row), and the run of its current row:
    //   kind     members, sales, payments, communications or schemes ("" opens no window)
    //   data     '|'-separated: "sample" (writeSampleData), "search" (the search folder),
    //            "schemes" (one scheme, nothing else), "path=bytes" written under testApp().dir,
    //            "path*N" (N bytes "x"), "path@offset#hex" patched in
    //   script   '|'-separated steps after opening: "cmdX" clicks ("?cmdX" where enabled),
    //            "name=text" types (sets the text of a disabled field), "valid" fills a valid
    //            new record, "Return@name" presses Enter in a control, "save!" saves even where
    //            Save is off,
    //            "row:N" double-clicks grid row N, "enter:N" chooses it with Enter, "sort:C"
    //            clicks heading C, "head" double-clicks a heading, "close" closes the window,
    //            "reopen" opens it again, "cut:N" cuts the data file to N bytes behind its back,
    //            "fail:Op@text" fails every operation Op on a path holding the text ("fail:" ends
    //            it; also in data, before the window opens)
    //   messages '|'-separated messageText() names, "~text" for a message containing the
    //            text, "yes?"/"no?" for the discard question answered so
    //   expect   '|'-separated: "name=text" (a field's text or a label's or button's caption),
    //            "window=name:title:data file", "+name"/"-name" enabled or not ("inputs" and
    //            "nav" name the editor's fields and its navigation group), "focus=name",
    //            "record=N", "count=N", "closed", "same" (no byte under testApp().dir changed by
    //            the script), "rows=1,2" (grid column 0), "colN=..." (grid column N),
    //            "clean:name" (no TAB, CR or LF shown), "backup:file" (the backup is the data
    //            file), "path=bytes" (a whole file), "path@offset#hex" (the file's bytes from
    //            offset on), "!path" (no such file)
    static void addScenarioColumns();
    // The rows of a table (tableLines), "name ^ kind ^ data ^ script ^ messages ^ expect".
    static void addScenarioRows(const char* table);
    void runScenario();

    void writeData(const QString& files);
    void open(EditorKind kind);
    void closeEditor();
    void run(const QString& script);
    // What does not hold of the expectations, one line each.
    QStringList unmet(const QString& expect, const FolderSnapshot& before);

    std::unique_ptr<TempAppDir> dir_;
    std::unique_ptr<MessageCapture> messages_;
    QPointer<RecordEditor> editor_;
    QString kind_;
};

} // namespace zelt::test
