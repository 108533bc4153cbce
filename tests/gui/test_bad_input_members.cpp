// What an operator may type into the fields of the member editor.
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

EditorUnderTest memberEditor() {
    EditorUnderTest editor;
    editor.name = QStringLiteral("members");
    editor.kind = EditorKind::Members;
    editor.dataFile = "data/affiliates.kvr";
    editor.recordLength = 211;
    editor.fillValid = [](QWidget* window) {
        typeInto(window, QStringLiteral("txtName"), QStringLiteral("Clara"));
        typeInto(window, QStringLiteral("txtRef_ID"), QStringLiteral("2"));
        typeInto(window, QStringLiteral("txtDate"), typedDate(2001, 2, 3));
        typeInto(window, QStringLiteral("txtEgold_ID"), QStringLiteral("77"));
        typeInto(window, QStringLiteral("cmbAP_ID"), QStringLiteral("2"));
        typeInto(window, QStringLiteral("txtAdditional_Info"), QStringLiteral("info"));
    };
    const QString enterData = msg(kMsgEnterData);
    const struct {
        const char* control;
        int offset;
        int width;
    } texts[] = {{"txtName", 0, 20},    {"txtSurname", 20, 20},  {"txtStreet", 40, 20},
                 {"txtCity", 60, 20},   {"txtPost_Cod", 80, 10}, {"txtCountry", 90, 20},
                 {"txtPhone", 110, 15}, {"txtE_mail", 125, 30},  {"txtURL", 155, 30}};
    for (const auto& text : texts) {
        FieldUnderTest field{QString::fromLatin1(text.control), FieldType::Text, text.offset,
                             text.width};
        if (field.control == QLatin1String("txtName"))
            field.whenEmpty = enterData; // blanks alone are not empty: stored as 20 blanks
        editor.fields.append(field);
    }
    // Member 3 is being created; members 1 and 2 are stored.
    FieldUnderTest referrer{QStringLiteral("txtRef_ID"), FieldType::Int32, 189};
    referrer.whenEmpty = enterData;
    referrer.check = [](double value) {
        if (value < 0 || value == 3)
            return msg(kMsgIncorrectValue);
        return value <= 2 ? QString() : msg(kMsgNoRecord);
    };
    FieldUnderTest date{QStringLiteral("txtDate"), FieldType::Date, 203};
    date.whenEmpty = enterData;
    FieldUnderTest egold{QStringLiteral("txtEgold_ID"), FieldType::Int32, 193};
    egold.emptyValue = 0; // an empty account is stored as 0
    FieldUnderTest scheme{QStringLiteral("cmbAP_ID"), FieldType::Int16, 197};
    scheme.whenEmpty = msg(kMsgSelectValue);
    FieldUnderTest goTo{QStringLiteral("txtCurrent_Record"), FieldType::Int32};
    goTo.goTo = true;
    goTo.whenEmpty = enterData;
    goTo.check = [](double value) {
        return value < 1 || value > 2 ? msg(kMsgNoRecord) : QString();
    };
    editor.fields << referrer << date << egold << scheme << goTo;
    return editor;
}

} // namespace

class BadInputMembersTest : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { qInfo("member editor: %d inputs tried", badInputsTried()); }

    void members_data() { addBadInputRows(memberEditor()); }
    void members() { tryBadInput(memberEditor()); }
};

ZELT_TEST(BadInputMembersTest)
#include "test_bad_input_members.moc"
