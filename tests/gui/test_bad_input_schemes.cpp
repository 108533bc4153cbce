// What an operator may type into the fields of the payment scheme editor.
#include "shell/message_table.h"
#include "support/bad_input_runner.h"
#include "support/test_registry.h"
#include "support/window_driver.h"

#include <QtTest>

using namespace zelt;
using namespace zelt::test;

namespace {

QString msg(const std::string& text) {
    return QString::fromStdString(text);
}

EditorUnderTest schemeEditor() {
    EditorUnderTest editor;
    editor.name = QStringLiteral("schemes");
    editor.kind = EditorKind::Schemes;
    editor.dataFile = "data/apsettings.kvr";
    editor.recordLength = 60;
    editor.fillValid = [](QWidget* window) {
        controlOf<QComboBox>(window, QStringLiteral("cmbType"))->setCurrentIndex(0);
        typeInto(window, QStringLiteral("txtLevel(1)"), QStringLiteral("5"));
        typeInto(window, QStringLiteral("txtMinPayment"), QStringLiteral("10"));
    };
    const QString enterData = msg(kMsgEnterData);
    for (int level = 1; level <= 8; ++level) {
        FieldUnderTest field{QStringLiteral("txtLevel(%1)").arg(level), FieldType::Single,
                             28 + 4 * (level - 1)};
        if (level == 1) {
            // Only the first level must be filled, and not with 0.
            field.whenEmpty = enterData;
            field.check = [](double value) {
                return value == 0 ? msg(kMsgIncorrectValue) : QString();
            };
        }
        editor.fields.append(field);
    }
    FieldUnderTest minimum{QStringLiteral("txtMinPayment"), FieldType::Single, 10};
    minimum.whenEmpty = enterData;
    FieldUnderTest periodicity{QStringLiteral("txtPeriodicity"), FieldType::Int16, 14};
    periodicity.whenEmpty = enterData;
    FieldUnderTest unit{QStringLiteral("txtUnit"), FieldType::Text, 16, 10};
    unit.whenEmpty = enterData;
    unit.warnsWhenCut = false; // the unit is cut to its 10 characters without a word
    FieldUnderTest goTo{QStringLiteral("txtCurrent_Record"), FieldType::Int32};
    goTo.goTo = true;
    goTo.whenEmpty = enterData;
    goTo.check = [](double value) {
        return value < 1 || value > 2 ? msg(kMsgNoRecord) : QString();
    };
    editor.fields << minimum << periodicity << unit << goTo;
    return editor;
}

} // namespace

class BadInputSchemesTest : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { qInfo("payment scheme editor: %d inputs tried", badInputsTried()); }

    void schemes_data() { addBadInputRows(schemeEditor()); }
    void schemes() { tryBadInput(schemeEditor()); }
};

ZELT_TEST(BadInputSchemesTest)
#include "test_bad_input_schemes.moc"
