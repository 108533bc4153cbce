#pragma once

#include "editors/editor_factory.h"
#include "support/typed_inputs.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>

class QWidget;

// A table-driven test of what an operator may type into each field of an editor: for every
// field, every input of typedInputs() in both test locales, the editor is opened on the sample
// data, a new record is filled with valid values, the one field gets the input and the record
// is saved. Checked: the message shown (exactly), the focus, no byte written where the input is
// refused, and where it is accepted exactly the right bytes in the new record.
namespace zelt::test {

struct FieldUnderTest {
    FieldUnderTest(QString name, FieldType kind, int at = -1, int characters = 0)
        : control(std::move(name)), type(kind), offset(at), width(characters) {}

    QString control; // objectName
    FieldType type;
    int offset = -1;          // of the field in the record
    int width = 0;            // of a text field
    bool warnsWhenCut = true; // a text longer than the width is cut with a warning
    // Message for an empty field; when empty, an empty field is stored as emptyValue.
    QString whenEmpty;
    std::optional<double> emptyValue;
    // The editor's own check of a converted value: its message, or an empty text to accept.
    std::function<QString(double)> check;
    // The go-to field: the input is typed into txtCurrent_Record and cmdGoTo is clicked while
    // browsing; nothing is ever written.
    bool goTo = false;
};

struct EditorUnderTest {
    QString name;
    EditorKind kind;
    std::string dataFile; // relative to testApp().dir
    int recordLength;
    // Valid values for every field of a new record, after cmdCreate.
    std::function<void(QWidget*)> fillValid;
    QList<FieldUnderTest> fields;
};

// The rows of the current _data() function: one per field, input and locale.
void addBadInputRows(const EditorUnderTest& editor);
// Runs the current row (QtTest checks; fails the test function).
void tryBadInput(const EditorUnderTest& editor);
// Inputs tried so far in this program.
int badInputsTried();

} // namespace zelt::test
