#include "support/window_driver.h"

#include "shell/message_table.h"
#include "storage/file_system.h"
#include "support/byte_text.h"
#include "support/sample_data.h"
#include "support/test_app.h"
#include "ui/grid_view.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <cerrno>
#include <filesystem>

namespace zelt::test {

namespace {

// "name ^ input fields in Tab order ^ the rest of the Tab order ("@" the record buttons) ^ a
// valid new record", in the order of EditorKind.
QStringList kindInfo(const QString& name) {
    static const QStringList kinds = tableLines(R"(
members ^ txtName txtSurname txtStreet txtCity txtPost_Cod txtCountry txtPhone txtE_mail txtURL|
    txtRef_ID txtDate txtEgold_ID cmbAP_ID txtAdditional_Info ^ txtSname txtSsurname txtSemail|
    txtSreferenceid txtSEgold_ID cmdDisplay MSFGView @ cmdTree ^
    txtName=Clara|txtRef_ID=2|txtDate=03.02.2001|cmbAP_ID=2
communications ^ txtID txtSubject txtMessage txtDate txtResponce txtComments txtDate_R ^ txtSID|
    txtSsubject txtSdate txtSdate_r cmdDisplay MSFGView @ ^
    txtID=1|txtSubject=Order|txtDate=03.02.2001|txtDate_R=04.02.2001
sales ^ txtAffiliateID txtSum txtDate ^ txtDetails txtSdate txtSAffID cmdDisplay MSFGView @ ^
    txtAffiliateID=2|txtSum=7|txtDate=03.02.2001
payments ^ txtAffiliateID txtSum txtDate ^ txtDetails txtSdate txtSAffID cmdDisplay MSFGView @ ^
    txtAffiliateID=2|txtSum=7|txtDate=03.02.2001
schemes ^ txtLevel(1) txtLevel(2) txtLevel(3) txtLevel(4) txtLevel(5) txtLevel(6) txtLevel(7)|
    txtLevel(8) cmbType txtMinPayment txtPeriodicity txtUnit ^ @ ^
    cmbType=Percents|txtLevel(1)=5|txtMinPayment=10
)"); // "|" in the fields ends a line
    for (const QString& line : kinds)
        if (line.section(QLatin1Char(' '), 0, 0) == name) {
            QStringList columns = line.split(QStringLiteral(" ^ "));
            for (int fields : {1, 2})
                columns[fields].replace(QLatin1Char('|'), QLatin1Char(' '));
            return columns << QString::number(kinds.indexOf(line));
        }
    qFatal("no editor kind %s", qPrintable(name));
}
const char* const kNavigation = "cmdFirst cmdPrevious cmdNext cmdLast cmdGoTo txtCurrent_Record";

QStringList split(const QString& text) {
    return text.split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

// "fail:Op@fragment" fails every operation of the kind (Open, Read or Rename) on a path holding
// the fragment with EIO; "fail:" ends the faults.
void installFault(const QString& pattern) {
    const QString name = pattern.mid(5).section(QLatin1Char('@'), 0, 0);
    const fs::Op op = name == QLatin1String("Open")   ? fs::Op::Open
                      : name == QLatin1String("Read") ? fs::Op::Read
                                                      : fs::Op::Rename;
    const std::string fragment = pattern.section(QLatin1Char('@'), 1).toStdString();
    fs::setFaultHook(
        name.isEmpty() ? fs::FaultHook{} : [op, fragment](fs::Op asked, const std::string& path) {
            return asked == op && path.find(fragment) != std::string::npos ? EIO : 0;
        });
}

GridView* gridOf(const QWidget* window) {
    return controlOf<GridView>(window, QStringLiteral("MSFGView"));
}

} // namespace

void clickOn(const QWidget* window, const QString& name) {
    QTest::mouseClick(controlOf<QPushButton>(window, name), Qt::LeftButton);
}

void typeInto(const QWidget* window, const QString& name, const QString& text) {
    QWidget* control = controlOf(window, name);
    // A disabled field takes the text as a program would set it.
    const bool typable = control->isEnabled() && std::all_of(text.begin(), text.end(), [](QChar c) {
                             return c >= ' ' && c < QChar(127);
                         });
    if (auto* list = qobject_cast<QComboBox*>(control); list && !list->isEditable()) {
        list->setCurrentIndex(list->findText(text));
        return;
    }
    if (auto* list = qobject_cast<QComboBox*>(control)) {
        list->setCurrentIndex(-1);
        list->clearEditText();
        control = list->lineEdit();
    }
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        line->clear();
        typable ? QTest::keyClicks(line, text) : line->insert(text);
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
        box->clear();
        typable ? QTest::keyClicks(box, text) : box->insertPlainText(text);
    } else {
        qFatal("%s is no text field", qPrintable(name));
    }
}

QString textIn(const QWidget* window, const QString& name) {
    QWidget* control = controlOf(window, name);
    if (auto* list = qobject_cast<QComboBox*>(control))
        return list->currentText();
    if (auto* box = qobject_cast<QPlainTextEdit*>(control))
        return box->toPlainText();
    return control->property("text").toString();
}

QString cellsOf(const QAbstractItemModel* model, int column, const QModelIndex& parent) {
    QStringList out;
    for (int row = 0; row < model->rowCount(parent); ++row)
        out << model->index(row, column, parent).data().toString();
    return out.join(QLatin1Char(','));
}

bool enabledIn(const QWidget* window, const QString& name) {
    return controlOf(window, name)->isEnabled();
}

QString focusName() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
    return {};
}

QByteArray fileBytes(const std::string& relative) {
    QFile file(QString::fromStdString(testApp().dir + "/" + relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString messageText(const QString& name) {
    const char* const texts[] = {kMsgEnterData,      kMsgSelectValue, kMsgIncorrectValue,
                                 kMsgNoRecord,       kMsgNoMember,    kMsgCreateRecord,
                                 kMsgCreateSchemes,  kMsgTruncated,   kMsgReplacedCharacters,
                                 kMsgNotCorrectInput};
    if (const qsizetype index = QStringLiteral("enter select incorrect noRecord noMember "
                                               "createRecord createSchemes truncated replaced "
                                               "notCorrect")
                                    .split(QLatin1Char(' '))
                                    .indexOf(name);
        index >= 0)
        return QString::fromUtf8(texts[index]);
    if (name.startsWith(QLatin1String("storedAs:")))
        return QString::fromLatin1(kMsgStoredAs) + name.mid(9);
    return name;
}

QString tabOrder(const QString& kind) {
    const QStringList info = kindInfo(kind);
    return QString(info[1] + QLatin1Char(' ') + info[2])
        .replace(QLatin1Char('@'), QStringLiteral("cmdFirst cmdPrevious txtCurrent_Record cmdNext "
                                                  "cmdLast cmdGoTo cmdCreate cmdEdit cmdSave "
                                                  "cmdSaveThisRecord cmdSaveAllRecords"));
}

EditorKind editorKind(const QString& name) {
    return static_cast<EditorKind>(kindInfo(name)[4].toInt());
}

void EditorWindows::setUp() {
    dir_ = std::make_unique<TempAppDir>();
    testApp().dir = dir_->path();
    testApp().rules = LocaleRules::dayMonthYearComma();
    messages_ = std::make_unique<MessageCapture>();
}

void EditorWindows::tearDown() {
    messages_->answerUnexpectedQuestionsYes(); // the window may be left with typed input
    closeEditor();
    fs::setFaultHook({});
    if (!QTest::currentTestFailed())
        ZELT_VERIFY_MESSAGES(*messages_);
    messages_.reset();
    dir_.reset();
}

void EditorWindows::addScenarioColumns() {
    QTest::addColumn<QStringList>("row");
}

QStringList tableLines(const char* table) {
    QStringList lines;
    for (const QString& line :
         QString::fromUtf8(table).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1String("    ")))
            lines.last().append(lines.last().endsWith(QLatin1Char('^')) ? line.mid(3)
                                                                        : line.mid(4));
        else
            lines.append(line);
    }
    for (QString& line : lines)
        line = QString::fromUtf8(unescaped(line.toUtf8()));
    return lines;
}

void EditorWindows::addScenarioRows(const char* table) {
    for (const QString& line : tableLines(table)) {
        const QStringList c = line.split(QStringLiteral(" ^ "));
        if (c.size() != 6)
            qFatal("not a row of six columns: %s", qPrintable(line));
        QTest::newRow(qPrintable(c[0])) << c.mid(1);
    }
}

void EditorWindows::runScenario() {
    QFETCH(QStringList, row);
    const QString &kind = row[0], &data = row[1], &script = row[2], &messages = row[3],
                  &expect = row[4];
    writeData(data);
    for (const QString& name : split(messages)) {
        if (name == QLatin1String("yes?") || name == QLatin1String("no?"))
            messages_->expectQuestion(QString::fromLatin1(kMsgDiscardChanges),
                                      name == QLatin1String("yes?") ? Answer::Yes : Answer::No);
        else if (name.startsWith(QLatin1Char('~')))
            messages_->expectContaining(name.mid(1));
        else
            messages_->expect(messageText(name));
    }
    kind_ = kind;
    if (!kind.isEmpty())
        open(editorKind(kind));
    const FolderSnapshot before = FolderSnapshot::of(testApp().dir);
    run(script);
    ZELT_VERIFY_MESSAGES(*messages_);
    const QStringList faults = unmet(expect, before);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void EditorWindows::writeData(const QString& files) {
    for (const QString& part : split(files)) {
        if (part.startsWith(QLatin1String("fail:")))
            installFault(part);
        else if (part == QLatin1String("sample"))
            writeSampleData();
        else if (part == QLatin1String("search"))
            writeSearchData();
        else if (part == QLatin1String("schemes"))
            writeUnderAppDir("data/apsettings.kvr", std::string(60, '\0'));
        else if (part.contains(QLatin1Char('*'))) // so many bytes "x"
            writeUnderAppDir(part.section(QLatin1Char('*'), 0, 0).toStdString(),
                             std::string(part.section(QLatin1Char('*'), 1).toULongLong(), 'x'));
        else if (part.contains(QLatin1Char('#'))) // patched into the file at an offset
            patchUnderAppDir(
                part.section(QLatin1Char('@'), 0, 0).toStdString(),
                part.section(QLatin1Char('@'), 1).section(QLatin1Char('#'), 0, 0).toInt(),
                QByteArray::fromHex(part.section(QLatin1Char('#'), 1).toLatin1()).toStdString());
        else
            writeUnderAppDir(part.section(QLatin1Char('='), 0, 0).toStdString(),
                             part.section(QLatin1Char('='), 1).toLatin1().toStdString());
    }
}

void EditorWindows::open(EditorKind kind) {
    editor_ = qobject_cast<RecordEditor*>(createEditor(kind, testApp()));
    editor_->show();
    editor_->activateWindow();
    static_cast<void>(QTest::qWaitForWindowActive(editor_));
}

void EditorWindows::closeEditor() {
    if (editor_)
        editor_->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void EditorWindows::run(const QString& script) {
    for (const QString& step : split(script)) {
        const QString name = step.section(QLatin1Char('='), 0, 0);
        const QString value = step.section(QLatin1Char('='), 1);
        const QString at = step.section(QLatin1Char(':'), 1);
        if (step.startsWith(QLatin1String("fail:"))) {
            installFault(step);
        } else if (step == QLatin1String("valid")) {
            run(kindInfo(kind_)[3]);
        } else if (step == QLatin1String("save!")) { // even where Save is off
            editor_->onCmdSaveClicked();
        } else if (step == QLatin1String("close")) {
            closeEditor();
        } else if (step == QLatin1String("reopen")) {
            closeEditor();
            open(editorKind(kind_));
        } else if (step.startsWith(QLatin1String("Return@"))) {
            QTest::keyClick(controlOf(editor_, step.mid(7)), Qt::Key_Return);
        } else if (step.startsWith(QLatin1String("cut:"))) {
            const auto data = std::filesystem::path(testApp().dir) / "data" / editor_->fileName();
            std::filesystem::resize_file(data, at.toULongLong());
        } else if (step.startsWith(QLatin1String("row:")) ||
                   step.startsWith(QLatin1String("enter:"))) {
            GridView* grid = gridOf(editor_);
            const QPoint cell = grid->visualRect(grid->model()->index(at.toInt(), 1)).center();
            if (step.startsWith(QLatin1String("row:"))) {
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
            } else {
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
                QTest::keyClick(grid, Qt::Key_Return);
            }
        } else if (step.startsWith(QLatin1String("sort:")) || step == QLatin1String("head")) {
            QHeaderView* header = gridOf(editor_)->horizontalHeader();
            const QPoint point(header->sectionViewportPosition(at.toInt()) + 5,
                               header->height() / 2);
            if (step == QLatin1String("head"))
                QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, point);
            else
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, point);
        } else if (step.contains(QLatin1Char('='))) {
            typeInto(editor_, name, value);
        } else if (step.startsWith(QLatin1Char('?'))) { // clicked where it can be
            if (editor_ && enabledIn(editor_, step.mid(1)))
                clickOn(editor_, step.mid(1));
        } else {
            clickOn(editor_, step);
        }
    }
}

QStringList EditorWindows::unmet(const QString& expect, const FolderSnapshot& before) {
    QStringList faults;
    for (const QString& token : split(expect)) {
        // What is shown, compared with the value wanted.
        const QString name = token.section(QLatin1Char('='), 0, 0);
        QString value = token.section(QLatin1Char('='), 1), actual;
        if (value == QLatin1String("@today"))
            value = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
        if (name == QLatin1String("window")) {
            actual = QStringList{editor_->objectName(), editor_->windowTitle(),
                                 QString::fromStdString(editor_->fileName())}
                         .join(QLatin1Char(':'));
        } else if (token.startsWith(QLatin1String("backup:"))) {
            actual = QString::fromLatin1(fileBytes("backcopies/" + token.mid(7).toStdString()));
            value = QString::fromLatin1(fileBytes("data/" + token.mid(7).toStdString()));
        } else if (token.startsWith(QLatin1String("clean:"))) {
            actual = value = textIn(editor_, token.mid(6));
            value.remove(QRegularExpression(QStringLiteral("[\\t\\r\\n]")));
        } else if (token == QLatin1String("closed")) {
            actual = editor_ ? QStringLiteral("open") : token;
            value = token;
        } else if (token == QLatin1String("same")) {
            actual =
                differences(before, FolderSnapshot::of(testApp().dir)).join(QLatin1String(", "));
        } else if (token.startsWith(QLatin1Char('!'))) {
            actual = QString::fromLatin1(fileBytes(token.mid(1).toStdString()));
            value = QStringLiteral("<missing>");
        } else if (token.contains(QLatin1Char('/')) && token.contains(QLatin1Char('#'))) {
            const QByteArray wanted =
                QByteArray::fromHex(token.section(QLatin1Char('#'), 1).toLatin1());
            actual = QString::fromLatin1(
                fileBytes(token.section(QLatin1Char('@'), 0, 0).toStdString())
                    .mid(token.section(QLatin1Char('@'), 1).section(QLatin1Char('#'), 0, 0).toInt(),
                         wanted.size())
                    .toHex(' '));
            value = QString::fromLatin1(wanted.toHex(' '));
        } else if (token.contains(QLatin1Char('/'))) {
            actual = QString::fromLatin1(fileBytes(name.toStdString()));
            value = QString::fromLatin1(value.toLatin1());
        } else if (token.startsWith(QLatin1Char('+')) || token.startsWith(QLatin1Char('-'))) {
            QString names = token.mid(1);
            if (names == QLatin1String("inputs"))
                names = kindInfo(kind_)[1];
            else if (names == QLatin1String("nav"))
                names = QString::fromLatin1(kNavigation);
            for (const QString& control : names.split(QLatin1Char(' ')))
                if (enabledIn(editor_, control) != token.startsWith(QLatin1Char('+')))
                    faults << token.left(1) + control + QStringLiteral(": it is otherwise");
            continue;
        } else if (name == QLatin1String("focus")) {
            actual = focusName();
        } else if (name == QLatin1String("record") || name == QLatin1String("count")) {
            actual = QString::number(name == QLatin1String("record") ? editor_->currentRecord()
                                                                     : editor_->recordCount());
        } else if (name == QLatin1String("rows") || name.startsWith(QLatin1String("col"))) {
            actual = cellsOf(gridOf(editor_)->model(), name.mid(3).toInt());
        } else {
            actual = textIn(editor_, name);
        }
        if (actual != value)
            faults << QStringLiteral("%1: it is %2").arg(token, actual);
    }
    return faults;
}

} // namespace zelt::test
