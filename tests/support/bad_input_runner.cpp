#include "support/bad_input_runner.h"

#include "editors/shown_record.h"

#include "editors/record_editor.h"
#include "shell/message_table.h"
#include "shell/zelt_module.h"
#include "storage/field_codec.h"
#include "support/folder_snapshot.h"
#include "support/message_capture.h"
#include "support/sample_data.h"
#include "support/temp_app_dir.h"
#include "support/test_locales.h"
#include "support/window_driver.h"

#include <QPointer>
#include <QtTest>

#include <map>

namespace zelt::test {

namespace {

constexpr const char* kMsgTruncated =
    "Warning !!! Some text will be truncated to the required format. ";

int tried = 0;

// The bytes a field holds for a value.
QByteArray fieldBytes(const FieldUnderTest& field, double value) {
    std::uint8_t bytes[8] = {};
    switch (field.type) {
    case FieldType::Int32:
        field::putInt32(bytes, static_cast<std::int32_t>(value));
        return QByteArray(reinterpret_cast<const char*>(bytes), 4);
    case FieldType::Int16:
        field::putInt16(bytes, static_cast<std::int16_t>(value));
        return QByteArray(reinterpret_cast<const char*>(bytes), 2);
    case FieldType::Single:
        field::putSingle(bytes, static_cast<float>(value));
        return QByteArray(reinterpret_cast<const char*>(bytes), 4);
    case FieldType::Date:
        field::putDouble(bytes, value);
        return QByteArray(reinterpret_cast<const char*>(bytes), 8);
    case FieldType::Text:
        break;
    }
    return {};
}

QByteArray textBytes(const FieldUnderTest& field, const std::string& text) {
    std::string bytes(static_cast<std::size_t>(field.width), '\0');
    field::putText(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size(), text);
    return QByteArray::fromStdString(bytes);
}

struct Baseline {
    QByteArray record;     // record 3 as a valid save writes it
    FolderSnapshot others; // every file but the data file after that save
};

RecordEditor* openCreating(const EditorUnderTest& editor) {
    auto* window =
        qobject_cast<RecordEditor*>(createEditor(editor.kind, AppContext{AppDir, currentRules()}));
    window->show();
    clickOn(window, QStringLiteral("cmdCreate"));
    editor.fillValid(window);
    return window;
}

void close(QPointer<RecordEditor>& window) {
    if (window)
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

FolderSnapshot withoutFile(FolderSnapshot snapshot, const std::string& file) {
    snapshot.files.erase(file);
    return snapshot;
}

// The valid save of the editor in a folder of its own, once per editor and locale.
const Baseline& baselineOf(const EditorUnderTest& editor, bool dayMonthYear) {
    static std::map<std::pair<QString, bool>, Baseline> baselines;
    const auto key = std::pair{editor.name, dayMonthYear};
    if (const auto found = baselines.find(key); found != baselines.end())
        return found->second;
    TempAppDir dir;
    AppDir = dir.path();
    writeSampleData();
    MessageCapture messages;
    messages.answerUnexpectedQuestionsYes(); // windows are closed with typed input
    QPointer<RecordEditor> window = openCreating(editor);
    clickOn(window, QStringLiteral("cmdSave"));
    if (!messages.ok() || !messages.shown().isEmpty())
        qFatal("the valid %s record was refused: %s", qPrintable(editor.name),
               qPrintable(messages.shown().join(QLatin1Char(';'))));
    const FolderSnapshot after = FolderSnapshot::of(dir.path());
    close(window);
    const std::string& data = after.files.at(editor.dataFile);
    Baseline baseline;
    baseline.record =
        QByteArray::fromStdString(data.substr(2 * static_cast<std::size_t>(editor.recordLength)));
    baseline.others = withoutFile(after, editor.dataFile);
    return baselines[key] = baseline;
}

QString trimmed(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

int badInputsTried() {
    return tried;
}

void addBadInputRows(const EditorUnderTest& editor) {
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("dayMonthYear");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");   // empty: accepted
    QTest::addColumn<bool>("warning");      // a text cut to its width, with a warning
    QTest::addColumn<QByteArray>("stored"); // the field's bytes when accepted
    for (int f = 0; f < editor.fields.size(); ++f) {
        const FieldUnderTest& field = editor.fields[f];
        for (const TypedInput& input : typedInputs()) {
            for (const bool dayMonthYear : {true, false}) {
                const QString text = input.text(dayMonthYear);
                QString message;
                bool warning = false;
                QByteArray stored;
                if (field.type == FieldType::Text) {
                    if (text.isEmpty() && !field.whenEmpty.isEmpty()) {
                        message = field.whenEmpty;
                    } else {
                        QString kept = trimmed(text);
                        warning = field.warnsWhenCut && kept.size() > field.width;
                        stored = textBytes(field, kept.left(field.width).toStdString());
                    }
                } else if (text.isEmpty() && !field.whenEmpty.isEmpty()) {
                    message = field.whenEmpty;
                } else if (const auto value =
                               text.isEmpty() ? field.emptyValue : input.valueAs(field.type);
                           !value) {
                    message = QString::fromStdString(MessageTable.MsgIncorrectValue);
                } else {
                    message = field.check ? field.check(*value) : QString();
                    if (message.isEmpty())
                        stored = fieldBytes(field, *value);
                }
                QTest::addRow("%s %s %s", qPrintable(field.control), input.name,
                              dayMonthYear ? "dmy" : "mdy")
                    << f << dayMonthYear << text << message << warning << stored;
            }
        }
    }
}

void tryBadInput(const EditorUnderTest& editor) {
    QFETCH(int, field);
    QFETCH(bool, dayMonthYear);
    QFETCH(QString, input);
    QFETCH(QString, message);
    QFETCH(bool, warning);
    QFETCH(QByteArray, stored);
    const FieldUnderTest& under = editor.fields[field];
    ScopedRules rules(dayMonthYear ? LocaleRules::dayMonthYearComma()
                                   : LocaleRules::monthDayYearAmPm());
    ++tried;

    const Baseline* baseline = under.goTo ? nullptr : &baselineOf(editor, dayMonthYear);
    TempAppDir dir;
    AppDir = dir.path();
    writeSampleData();
    MessageCapture messages;
    messages.answerUnexpectedQuestionsYes(); // windows are closed with typed input
    QPointer<RecordEditor> window;
    if (under.goTo) {
        window = qobject_cast<RecordEditor*>(
            createEditor(editor.kind, AppContext{AppDir, currentRules()}));
        window->show();
    } else {
        window = openCreating(editor);
    }
    typeInto(window, under.control, input);
    const FolderSnapshot before = FolderSnapshot::of(dir.path());
    if (!message.isEmpty())
        messages.expect(message);
    else if (warning)
        messages.expect(kMsgTruncated);
    // A stored sum that the files cannot write to the cent is warned about.
    const bool sum = under.control == QLatin1String("txtSum") ||
                     under.control == QLatin1String("txtMinPayment") ||
                     under.control.startsWith(QLatin1String("txtLevel"));
    if (message.isEmpty() && sum) {
        if (const auto written = sumStoredAs(input.trimmed().toStdString(), currentRules()))
            messages.expect("Warning !!! This value will be stored as " + *written);
    }
    clickOn(window, under.goTo ? QStringLiteral("cmdGoTo") : QStringLiteral("cmdSave"));
    const FolderSnapshot after = FolderSnapshot::of(dir.path());
    QWidget* focus = window->focusWidget();
    QWidget* control = controlOf(window, under.control);
    const bool focusRight = focus == control || control->isAncestorOf(focus);
    const QString focusName = focus ? focus->objectName() : QStringLiteral("nothing");
    close(window);
    ZELT_VERIFY_MESSAGES(messages);

    if (!message.isEmpty() || under.goTo) {
        if (!message.isEmpty())
            QVERIFY2(focusRight, qPrintable(QStringLiteral("the focus is on ") + focusName));
        const QStringList changed = differences(before, after);
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QLatin1Char('\n'))));
        return;
    }
    // Accepted: the new record is the valid one with this field's bytes, and nothing else
    // differs from the valid save.
    QByteArray record = baseline->record;
    record.replace(under.offset, stored.size(), stored);
    const std::string& data = after.files.at(editor.dataFile);
    const QByteArray written = QByteArray::fromStdString(
        data.substr(std::min(data.size(), 2 * static_cast<std::size_t>(editor.recordLength))));
    QCOMPARE(written.toHex(' '), record.toHex(' '));
    QCOMPARE(QByteArray::fromStdString(data.substr(0, 2 * std::size_t(editor.recordLength))),
             QByteArray::fromStdString(
                 before.files.at(editor.dataFile).substr(0, 2 * std::size_t(editor.recordLength))));
    const QStringList others = differences(baseline->others, withoutFile(after, editor.dataFile));
    QVERIFY2(others.isEmpty(), qPrintable(others.join(QLatin1Char('\n'))));
}

} // namespace zelt::test
