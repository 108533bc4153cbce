// What an operator may type into the fields of the sale and payment editors.
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

EditorUnderTest saleEditor(EditorKind kind) {
    EditorUnderTest editor;
    editor.name = kind == EditorKind::Sales ? QStringLiteral("sales") : QStringLiteral("payments");
    editor.kind = kind;
    editor.dataFile = kind == EditorKind::Sales ? "data/sales.kvr" : "data/payments.kvr";
    editor.recordLength = 16;
    editor.fillValid = [](QWidget* window) {
        typeInto(window, QStringLiteral("txtAffiliateID"), QStringLiteral("2"));
        typeInto(window, QStringLiteral("txtSum"), QStringLiteral("7"));
        typeInto(window, QStringLiteral("txtDate"), typedDate(2001, 2, 3));
        typeInto(window, QStringLiteral("txtDetails"), QStringLiteral("details"));
    };
    const QString enterData = msg(kMsgEnterData);
    FieldUnderTest member{QStringLiteral("txtAffiliateID"), FieldType::Int32, 0};
    member.whenEmpty = enterData;
    // The sample folder holds two members.
    member.check = [](double value) {
        if (value < 1)
            return msg(kMsgIncorrectValue);
        return value > 2 ? msg(kMsgNoMember) : QString();
    };
    FieldUnderTest sum{QStringLiteral("txtSum"), FieldType::Single, 4};
    sum.whenEmpty = enterData;
    sum.check = [](double value) { return value < 0 ? msg(kMsgIncorrectValue) : QString(); };
    FieldUnderTest date{QStringLiteral("txtDate"), FieldType::Date, 8};
    date.whenEmpty = enterData;
    FieldUnderTest goTo{QStringLiteral("txtCurrent_Record"), FieldType::Int32};
    goTo.goTo = true;
    goTo.whenEmpty = enterData;
    goTo.check = [](double value) {
        return value < 1 || value > 2 ? msg(kMsgNoRecord) : QString();
    };
    editor.fields = {member, sum, date, goTo};
    return editor;
}

} // namespace

class BadInputSalesTest : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { qInfo("sale and payment editors: %d inputs tried", badInputsTried()); }

    void sales_data() { addBadInputRows(saleEditor(EditorKind::Sales)); }
    void sales() { tryBadInput(saleEditor(EditorKind::Sales)); }

    void payments_data() { addBadInputRows(saleEditor(EditorKind::Payments)); }
    void payments() { tryBadInput(saleEditor(EditorKind::Payments)); }
};

ZELT_TEST(BadInputSalesTest)
#include "test_bad_input_sales.moc"
