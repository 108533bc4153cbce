// What an operator may type into the fields of the communication editor.
#include "shell/message_table.h"
#include "support/bad_input_runner.h"
#include "support/date_typing.h"
#include "support/test_registry.h"
#include "support/window_driver.h"

#include <QtTest>

using namespace zelt;
using namespace zelt::test;

namespace {

QString msg(const std::string& text) {
    return QString::fromStdString(text);
}

EditorUnderTest communicationEditor() {
    EditorUnderTest editor;
    editor.name = QStringLiteral("communications");
    editor.kind = EditorKind::Communications;
    editor.dataFile = "data/communications.kvr";
    editor.recordLength = 50;
    editor.fillValid = [](QWidget* window) {
        typeInto(window, QStringLiteral("txtID"), QStringLiteral("1"));
        typeInto(window, QStringLiteral("txtSubject"), QStringLiteral("Order"));
        typeInto(window, QStringLiteral("txtDate"), typedDate(2001, 2, 3));
        typeInto(window, QStringLiteral("txtDate_R"), typedDate(2001, 2, 4));
        typeInto(window, QStringLiteral("txtMessage"), QStringLiteral("message"));
    };
    const QString enterData = msg(kMsgEnterData);
    // Any whole number is a member identifier here, 0 and negative ones included.
    FieldUnderTest member{QStringLiteral("txtID"), FieldType::Int32, 0};
    member.whenEmpty = enterData;
    FieldUnderTest subject{QStringLiteral("txtSubject"), FieldType::Text, 4, 30};
    subject.whenEmpty = enterData; // blanks alone are not empty: stored as 30 blanks
    // An empty date does not convert: MsgIncorrectValue, not MsgEnterData.
    FieldUnderTest date{QStringLiteral("txtDate"), FieldType::Date, 34};
    FieldUnderTest response{QStringLiteral("txtDate_R"), FieldType::Date, 42};
    FieldUnderTest goTo{QStringLiteral("txtCurrent_Record"), FieldType::Int32};
    goTo.goTo = true;
    goTo.whenEmpty = enterData;
    goTo.check = [](double value) {
        return value < 1 || value > 2 ? msg(kMsgNoRecord) : QString();
    };
    editor.fields = {member, subject, date, response, goTo};
    return editor;
}

} // namespace

class BadInputCommunicationsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { qInfo("communication editor: %d inputs tried", badInputsTried()); }

    void communications_data() { addBadInputRows(communicationEditor()); }
    void communications() { tryBadInput(communicationEditor()); }
};

ZELT_TEST(BadInputCommunicationsTest)
#include "test_bad_input_communications.moc"
