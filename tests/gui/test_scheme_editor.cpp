#include "editors/scheme_editor.h"

#include "shell/message_table.h"
#include "shell/zelt_module.h"
#include "storage/app_paths.h"
#include "storage/date_text.h"
#include "storage/file_system.h"
#include "storage/record_file.h"
#include "storage/scheme_record.h"
#include "support/byte_text.h"
#include "support/fault_hook.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "support/test_locales.h"
#include "ui/message_box.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <cerrno>
#include <memory>

using namespace zelt;

namespace {

const char* const kNavigation[] = {"cmdFirst", "cmdPrevious", "cmdNext",
                                   "cmdLast",  "cmdGoTo",     "txtCurrent_Record"};

QString levelName(int i) {
    return QStringLiteral("txtLevel(%1)").arg(i);
}

QStringList inputNames() {
    QStringList names{QStringLiteral("cmbType"), QStringLiteral("txtMinPayment"),
                      QStringLiteral("txtPeriodicity"), QStringLiteral("txtUnit")};
    for (int i = 1; i <= 8; ++i)
        names << levelName(i);
    return names;
}

SchemeRecord scheme(std::int16_t number, const char* type, float level1) {
    SchemeRecord s;
    s.Type_of_payment = type;
    s.MinPayment = 10;
    s.Periodicity = 30;
    s.Unit = "$";
    s.Scheme = number;
    s.Level = {level1, 0, 0, 0, 0, 0, 0, 0};
    return s;
}

std::string dataPath() {
    return filePath(AppDir, Folder::Data, "apsettings.kvr");
}

QByteArray dataBytes() {
    auto bytes = fs::readWhole(dataPath());
    return bytes ? test::bytes(*bytes) : QByteArray("<missing>");
}

void writeRaw(const std::string& bytes) {
    QVERIFY(ensureFolder(AppDir, Folder::Data).ok());
    auto file = fs::open(dataPath(), fs::OpenMode::WriteNew);
    QVERIFY(file.ok());
    QVERIFY(fs::writeAt(*file, 0, bytes.data(), bytes.size()).ok());
}

void writeSchemes(const std::vector<SchemeRecord>& schemes) {
    std::string bytes;
    for (const SchemeRecord& s : schemes) {
        const RecordBytes record = s.encode();
        bytes.append(record.begin(), record.end());
    }
    writeRaw(bytes);
}

// count copies of one scheme, written directly.
void writeManySchemes(int count) {
    const RecordBytes record = scheme(1, "Percents", 5).encode();
    std::string bytes;
    bytes.reserve(std::size_t(count) * record.size());
    for (int i = 0; i < count; ++i)
        bytes.append(record.begin(), record.end());
    writeRaw(bytes);
}

SchemeRecord storedScheme(int n) {
    const QByteArray bytes = dataBytes();
    if (bytes.size() < n * SchemeRecord::kLength)
        return {};
    return SchemeRecord::decode(reinterpret_cast<const std::uint8_t*>(bytes.constData()) +
                                (n - 1) * SchemeRecord::kLength);
}

} // namespace

class TestSchemeEditor : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempAppDir> dir_;
    std::unique_ptr<test::ScopedRules> rules_;
    std::unique_ptr<test::MessageCapture> messages_;
    QPointer<SchemeEditor> editor_;

    template <class T> T* control(const QString& name) {
        T* found = editor_->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit* field(const QString& name) { return control<QLineEdit>(name); }
    QPushButton* button(const QString& name) { return control<QPushButton>(name); }
    QComboBox* typeList() { return control<QComboBox>(QStringLiteral("cmbType")); }

    void open() {
        editor_ = new SchemeEditor;
        editor_->Form_Load();
        editor_->show();
        QVERIFY(QTest::qWaitForWindowActive(editor_));
    }
    void click(const QString& name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // Types into a field as the operator does: "cmbType=Fixed" chooses an entry, "cmbType="
    // chooses none, "txtUnit=$" replaces the text of the field.
    void apply(const QStringList& changes) {
        for (const QString& change : changes) {
            const QString name = change.section(QLatin1Char('='), 0, 0);
            const QString text = change.section(QLatin1Char('='), 1);
            if (name == QLatin1String("cmbType")) {
                typeList()->setCurrentIndex(typeList()->findText(text));
                continue;
            }
            QLineEdit* edit = field(name);
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            // Typing knows only the keys of a plain keyboard; other characters are pasted.
            bool ascii = true;
            for (QChar c : text)
                ascii = ascii && c.unicode() < 128;
            if (ascii)
                QTest::keyClicks(edit, text);
            else
                edit->insert(text);
        }
    }
    QString focused() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    // Whether every input field is enabled (true), disabled (false); fails when mixed.
    bool inputsEnabled() {
        const QStringList names = inputNames();
        const bool first = control<QWidget>(names.front())->isEnabled();
        for (const QString& name : names)
            if (control<QWidget>(name)->isEnabled() != first)
                qFatal("%s differs from the other input fields", qPrintable(name));
        return first;
    }
    bool navigationEnabled() {
        const bool first = control<QWidget>(QString::fromLatin1(kNavigation[0]))->isEnabled();
        for (const char* name : kNavigation)
            if (control<QWidget>(QString::fromLatin1(name))->isEnabled() != first)
                qFatal("%s differs from the navigation group", name);
        return first;
    }
    // A new scheme after the stored ones, every field valid.
    void createValid() {
        click(QStringLiteral("cmdCreate"));
        apply({QStringLiteral("cmbType=Percents"), QStringLiteral("txtLevel(1)=5"),
               QStringLiteral("txtMinPayment=10")});
    }

private slots:
    void initTestCase() { fill_message_table(); }
    void init() {
        dir_ = std::make_unique<test::TempAppDir>();
        AppDir = dir_->path();
        rules_ = std::make_unique<test::ScopedRules>(LocaleRules::c());
        messages_ = std::make_unique<test::MessageCapture>();
    }
    void cleanup() {
        if (editor_) {
            editor_->close();
            delete editor_.data();
        }
        ZELT_VERIFY_MESSAGES(*messages_);
        messages_.reset();
        rules_.reset();
        dir_.reset();
    }

    void missingFileOpensEmptyWithDefaults() {
        open();
        QCOMPARE(dataBytes(), QByteArray());
        QCOMPARE(editor_->editMode(), std::int16_t(RecordEditor::NoRecord));
        QCOMPARE(field(QStringLiteral("txtMinPayment"))->text(), QStringLiteral("10"));
        QCOMPARE(field(QStringLiteral("txtPeriodicity"))->text(), QStringLiteral("30"));
        QCOMPARE(field(QStringLiteral("txtUnit"))->text(), QStringLiteral("$"));
        for (int i = 1; i <= 8; ++i)
            QCOMPARE(field(levelName(i))->text(), QStringLiteral("0"));
        QCOMPARE(typeList()->currentIndex(), -1);
        QCOMPARE(typeList()->currentText(), QString());

        QVERIFY(!inputsEnabled());
        QVERIFY(!navigationEnabled());
        QVERIFY(button(QStringLiteral("cmdCreate"))->isEnabled());
        QVERIFY(!button(QStringLiteral("cmdEdit"))->isEnabled());
        QVERIFY(!button(QStringLiteral("cmdSave"))->isEnabled());
        QVERIFY(button(QStringLiteral("cmdSaveThisRecord"))->isEnabled());
        QVERIFY(button(QStringLiteral("cmdSaveAllRecords"))->isEnabled());

        // The exports of an empty file: the header alone, or no file at all.
        click(QStringLiteral("cmdSaveAllRecords"));
        const std::string output = filePath(AppDir, Folder::Output, "APsettings.txt");
        QCOMPARE(test::bytes(*fs::readWhole(output)),
                 QByteArray("Level1;Level2;Level3;Level4;Level5;Level6;Level7;Level8;MinPayment;"
                            "Periodicity;Scheme;Type_of_payment;Unit;Date\r\n"));
        click(QStringLiteral("cmdSaveThisRecord"));
        QVERIFY(!*fs::isFile(output));
        ZELT_VERIFY_MESSAGES(*messages_);
    }

    void captionsNamesAndLayout() {
        open();
        QCOMPARE(editor_->objectName(), QStringLiteral("frmAPSettings"));
        QCOMPARE(editor_->windowTitle(), QStringLiteral("AP Settings"));
        QCOMPARE(control<QLabel>(QStringLiteral("lblToAffiliates"))->text(),
                 QStringLiteral("Payments to Zelt members from sales generated by"));
        const char* const levels[] = {" 1-st", " 2-nd", " 3-rd", " 4-th",
                                      " 5-th", " 6-th", " 7-th", " 8-th"};
        for (int i = 1; i <= 8; ++i) {
            auto* label = control<QLabel>(QStringLiteral("lblLabels(%1)").arg(i));
            QCOMPARE(label->text(),
                     QString::fromLatin1(levels[i - 1]) + QStringLiteral(" level's members"));
            QCOMPARE(label->buddy(), field(levelName(i)));
        }
        QCOMPARE(control<QLabel>(QStringLiteral("lblType"))->buddy(), typeList());
        QCOMPARE(control<QLabel>(QStringLiteral("lblPeriodicity"))->text(),
                 QStringLiteral("Periodicity of payments (days)"));
        QCOMPARE(typeList()->count(), 2);
        QCOMPARE(typeList()->itemText(0), QStringLiteral("Percents"));
        QCOMPARE(typeList()->itemText(1), QStringLiteral("Fixed"));
        QCOMPARE(button(QStringLiteral("cmdCreate"))->text(), QStringLiteral("Create a record"));
        QCOMPARE(button(QStringLiteral("cmdEdit"))->text(), QStringLiteral("Edit record"));
        QCOMPARE(button(QStringLiteral("cmdGoTo"))->text(), QStringLiteral("Go to record N"));
        QCOMPARE(button(QStringLiteral("cmdSave"))->text(), QStringLiteral("Save this record"));
        QVERIFY(editor_->findChild<QWidget*>(QStringLiteral("frameView")) == nullptr);
        QVERIFY(editor_->findChild<QWidget*>(QStringLiteral("MSFGView")) == nullptr);

        // One column of rows, level 1 at the top and the unit at the bottom; the navigation
        // frame holds the record buttons, with the two exports to its right.
        QStringList column;
        for (int i = 1; i <= 8; ++i)
            column << levelName(i);
        column << QStringLiteral("cmbType") << QStringLiteral("txtMinPayment")
               << QStringLiteral("txtPeriodicity") << QStringLiteral("txtUnit");
        for (int i = 1; i < column.size(); ++i)
            QVERIFY(control<QWidget>(column[i - 1])->y() < control<QWidget>(column[i])->y());
        auto* frame = control<QWidget>(QStringLiteral("frmNavigation"));
        QVERIFY(frame->y() > control<QWidget>(QStringLiteral("txtUnit"))->y());
        for (const char* name : {"cmdCreate", "cmdEdit", "cmdSave", "cmdGoTo"})
            QCOMPARE(button(QString::fromLatin1(name))->parentWidget(), frame);
        QVERIFY(button(QStringLiteral("cmdSaveThisRecord"))->x() >= frame->geometry().right());

        // The input order: from each field, the next control that takes the focus by Tab.
        for (int i = 1; i < column.size(); ++i) {
            QWidget* next = control<QWidget>(column[i - 1])->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next, control<QWidget>(column[i]));
        }
    }

    void enableTable_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("inputs");
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("create");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("navigation");
        QTest::newRow("browsing locks the fields")
            << "" << 3 << false << false << true << true << true;
        QTest::newRow("creating") << "cmdCreate" << 1 << true << true << false << false << false;
        QTest::newRow("editing") << "cmdEdit" << 2 << true << true << false << false << false;
        QTest::newRow("saved: browsing again")
            << "cmdEdit cmdSave" << 3 << false << false << true << true << true;
        QTest::newRow("refused save stays creating")
            << "cmdCreate cmdSave" << 3 << true << true << false << false << false;
    }
    void enableTable() {
        QFETCH(QString, action);
        writeSchemes({scheme(1, "Fixed", 5)});
        open();
        if (action.endsWith(QLatin1String("cmdCreate cmdSave")))
            messages_->expect(MessageTable.MsgEnterData); // a new scheme has no minimal payment
        for (const QString& name : action.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            click(name);
        QTEST(int(editor_->editMode()), "mode");
        QTEST(inputsEnabled(), "inputs");
        QTEST(button(QStringLiteral("cmdSave"))->isEnabled(), "save");
        QTEST(button(QStringLiteral("cmdCreate"))->isEnabled(), "create");
        QTEST(button(QStringLiteral("cmdEdit"))->isEnabled(), "edit");
        QTEST(navigationEnabled(), "navigation");
        QVERIFY(button(QStringLiteral("cmdSaveThisRecord"))->isEnabled());
        QVERIFY(button(QStringLiteral("cmdSaveAllRecords"))->isEnabled());
        ZELT_VERIFY_MESSAGES(*messages_);
    }

    void browsingCannotBeTypedOver() {
        writeSchemes({scheme(1, "Fixed", 5)});
        open();
        QTest::keyClicks(field(levelName(2)), QStringLiteral("7"));
        QCOMPARE(field(levelName(2))->text(), QStringLiteral("0"));
        click(QStringLiteral("cmdEdit"));
        apply({QStringLiteral("txtLevel(2)=7")});
        click(QStringLiteral("cmdSave"));
        QCOMPARE(storedScheme(1).Level[1], 7.0f);
        QVERIFY(!field(levelName(2))->isEnabled());
        ZELT_VERIFY_MESSAGES(*messages_);
    }

    void createAndSaveTheFirstScheme() {
        open();
        click(QStringLiteral("cmdCreate"));
        QCOMPARE(field(QStringLiteral("txtCurrent_Record"))->text(), QStringLiteral("1"));
        QCOMPARE(field(QStringLiteral("txtMinPayment"))->text(), QString());
        QCOMPARE(field(QStringLiteral("txtPeriodicity"))->text(), QStringLiteral("30"));
        QCOMPARE(field(QStringLiteral("txtUnit"))->text(), QStringLiteral("$"));
        QCOMPARE(field(levelName(8))->text(), QStringLiteral("0"));
        QCOMPARE(typeList()->currentIndex(), -1);

        apply({QStringLiteral("cmbType=Percents"), QStringLiteral("txtLevel(1)=5"),
               QStringLiteral("txtMinPayment=10")});
        click(QStringLiteral("cmdSave"));
        QCOMPARE(dataBytes(), QByteArray("Percents  ") + test::hex("00 00 20 41 1E 00") +
                                  QByteArray("$         ") + test::hex("01 00 00 00 A0 40") +
                                  QByteArray(28, '\0'));
        QCOMPARE(editor_->editMode(), std::int16_t(RecordEditor::Browsing));
        QVERIFY(!inputsEnabled());
        QCOMPARE(typeList()->currentIndex(), 0);
        QCOMPARE(field(QStringLiteral("txtUnit"))->text(), QStringLiteral("$         "));
        QCOMPARE(field(QStringLiteral("txtCurrent_Record"))->text(), QStringLiteral("1"));
        QCOMPARE(editor_->recordCount(), 1);
        ZELT_VERIFY_MESSAGES(*messages_);
    }

    void refusedSave_data() {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString enter = QString::fromStdString(MessageTable.MsgEnterData);
        const QString incorrect = QString::fromStdString(MessageTable.MsgIncorrectValue);
        QTest::newRow("min payment empty")
            << QStringList{"txtMinPayment="} << enter << "txtMinPayment";
        QTest::newRow("periodicity empty")
            << QStringList{"txtPeriodicity="} << enter << "txtPeriodicity";
        QTest::newRow("unit empty") << QStringList{"txtUnit="} << enter << "txtUnit";
        QTest::newRow("type not chosen")
            << QStringList{"cmbType="} << QString::fromStdString(MessageTable.MsgSelectValue)
            << "cmbType";
        QTest::newRow("level 1 empty") << QStringList{"txtLevel(1)="} << enter << "txtLevel(1)";
        QTest::newRow("level 1 at 0") << QStringList{"txtLevel(1)=0"} << incorrect << "txtLevel(1)";
        QTest::newRow("level 1 at -0")
            << QStringList{"txtLevel(1)=-0"} << incorrect << "txtLevel(1)";
        QTest::newRow("level 3 emptied")
            << QStringList{"txtLevel(3)="} << incorrect << "txtLevel(3)";
        QTest::newRow("level 8 not a number")
            << QStringList{"txtLevel(8)=5a"} << incorrect << "txtLevel(8)";
        QTest::newRow("min payment not a number")
            << QStringList{"txtMinPayment=ten"} << incorrect << "txtMinPayment";
        QTest::newRow("periodicity 40000")
            << QStringList{"txtPeriodicity=40000"} << incorrect << "txtPeriodicity";
        QTest::newRow("periodicity rounds past 32767")
            << QStringList{"txtPeriodicity=32767.5"} << incorrect << "txtPeriodicity";
        // The first failing check in the save's order is the one reported.
        QTest::newRow("unit before type and level 1")
            << QStringList{"txtLevel(1)=0", "cmbType=", "txtUnit="} << enter << "txtUnit";
        QTest::newRow("type before empty level 1")
            << QStringList{"txtLevel(1)=", "cmbType="}
            << QString::fromStdString(MessageTable.MsgSelectValue) << "cmbType";
        QTest::newRow("conversions before level 1 at 0")
            << QStringList{"txtLevel(1)=0", "txtLevel(3)=x"} << incorrect << "txtLevel(3)";
        QTest::newRow("levels before periodicity")
            << QStringList{"txtPeriodicity=40000", "txtLevel(8)=x"} << incorrect << "txtLevel(8)";
    }
    void refusedSave() {
        QFETCH(QStringList, changes);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        writeSchemes({scheme(1, "Fixed", 5)});
        open();
        const QByteArray before = dataBytes();
        createValid();
        apply(changes);
        messages_->expect(message);
        click(QStringLiteral("cmdSave"));
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(focused(), focus);
        QCOMPARE(dataBytes(), before);
        QVERIFY(inputsEnabled());
        QVERIFY(button(QStringLiteral("cmdSave"))->isEnabled());
        QCOMPARE(field(QStringLiteral("txtCurrent_Record"))->text(), QStringLiteral("2"));
    }

    void correctedSaveAfterRefusal() {
        open();
        createValid();
        apply({QStringLiteral("txtLevel(1)=0")});
        messages_->expect(MessageTable.MsgIncorrectValue);
        click(QStringLiteral("cmdSave"));
        apply({QStringLiteral("txtLevel(1)=3")});
        click(QStringLiteral("cmdSave"));
        QCOMPARE(storedScheme(1).Level[0], 3.0f);
        QCOMPARE(editor_->editMode(), std::int16_t(RecordEditor::Browsing));
        ZELT_VERIFY_MESSAGES(*messages_);
    }

    void storedAsConverted_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("stored"); // the changed value as stored, read back
        QTest::addColumn<QString>("shown");  // the field's text after the save
        QTest::newRow("periodicity 30.5 to even")
            << "c" << QStringList{"txtPeriodicity=30.5"} << "30"
            << "30";
        QTest::newRow("periodicity 31.5 to even")
            << "c" << QStringList{"txtPeriodicity=31.5"} << "32"
            << "32";
        QTest::newRow("periodicity negative, no range")
            << "c" << QStringList{"txtPeriodicity=-5"} << "-5"
            << "-5";
        QTest::newRow("level 1 at -2") << "c" << QStringList{"txtLevel(1)=-2"} << "-2"
                                       << "-2";
        QTest::newRow("min payment 2.50") << "c" << QStringList{"txtMinPayment=2.50"} << "2.5"
                                          << "2.5";
        QTest::newRow("decimal comma") << "dmy" << QStringList{"txtLevel(1)=2,25"} << "2.25"
                                       << "2,25";
        QTest::newRow("unit of 12 cut to 10")
            << "c" << QStringList{"txtUnit=ABCDEFGHIJKL"} << "ABCDEFGHIJ"
            << "ABCDEFGHIJ";
        QTest::newRow("unit padded") << "c" << QStringList{"txtUnit=EUR"} << "EUR       "
                                     << "EUR       ";
        QTest::newRow("type Fixed") << "c" << QStringList{"cmbType=Fixed"} << "Fixed     "
                                    << "Fixed";
    }
    void storedAsConverted() {
        QFETCH(QString, locale);
        QFETCH(QStringList, changes);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        test::ScopedRules rules(test::testRules(locale));
        open();
        createValid();
        apply(changes);
        click(QStringLiteral("cmdSave"));
        ZELT_VERIFY_MESSAGES(*messages_);

        const QString name = changes.front().section(QLatin1Char('='), 0, 0);
        const SchemeRecord s = storedScheme(1);
        QString value;
        if (name == QLatin1String("txtPeriodicity"))
            value = QString::number(s.Periodicity);
        else if (name == QLatin1String("txtMinPayment"))
            value = QString::number(double(s.MinPayment));
        else if (name == QLatin1String("txtUnit"))
            value = QString::fromStdString(s.Unit);
        else if (name == QLatin1String("cmbType"))
            value = QString::fromStdString(s.Type_of_payment);
        else
            value = QString::number(double(s.Level[0]));
        QCOMPARE(value, stored);
        QCOMPARE(s.Scheme, std::int16_t(1));
        QCOMPARE(name == QLatin1String("cmbType") ? typeList()->currentText() : field(name)->text(),
                 shown);
    }

    void charactersOutsideTheCodePageAreWarned() {
        open();
        createValid();
        apply({QStringLiteral("txtUnit=\u20BDub")});
        messages_->expect(kMsgReplacedCharacters);
        click(QStringLiteral("cmdSave"));
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(storedScheme(1).Unit, std::string("?ub       "));

        // A character beyond the tenth is cut off, not replaced: no warning.
        click(QStringLiteral("cmdEdit"));
        apply({QStringLiteral("txtUnit=ABCDEFGHIJ\u20BD")});
        click(QStringLiteral("cmdSave"));
        QCOMPARE(storedScheme(1).Unit, std::string("ABCDEFGHIJ"));
        ZELT_VERIFY_MESSAGES(*messages_);
    }

    void typeIsChosenAgainOnShowing() {
        SchemeRecord odd = scheme(3, "Other", 1);
        writeSchemes({scheme(1, "Fixed", 5), scheme(2, "Percents", 6), odd});
        open();
        // A stored text that is neither entry is shown, with no entry chosen.
        QCOMPARE(typeList()->currentIndex(), -1);
        QCOMPARE(typeList()->placeholderText(), QStringLiteral("Other     "));
        click(QStringLiteral("cmdEdit"));
        messages_->expect(MessageTable.MsgSelectValue);
        click(QStringLiteral("cmdSave"));
        ZELT_VERIFY_MESSAGES(*messages_);

        writeSchemes({scheme(1, "Fixed", 5), scheme(2, "Percents", 6)});
        editor_->close();
        delete editor_.data();
        open();
        QCOMPARE(typeList()->currentIndex(), 0);
        click(QStringLiteral("cmdPrevious"));
        QCOMPARE(typeList()->currentIndex(), 1);
        QCOMPARE(typeList()->placeholderText(), QString());
        // An edit saves without the type being chosen again.
        click(QStringLiteral("cmdEdit"));
        apply({QStringLiteral("txtLevel(2)=7")});
        click(QStringLiteral("cmdSave"));
        const SchemeRecord s = storedScheme(1);
        QCOMPARE(s.Type_of_payment, std::string("Fixed     "));
        QCOMPARE(s.Level[1], 7.0f);
        QCOMPARE(editor_->editMode(), std::int16_t(RecordEditor::Browsing));
        // Creating starts with no type chosen again.
        click(QStringLiteral("cmdCreate"));
        QCOMPARE(typeList()->currentIndex(), -1);
        ZELT_VERIFY_MESSAGES(*messages_);
    }

    void schemeNumberIsTheRecordNumber() {
        writeSchemes({scheme(1, "Fixed", 5), scheme(2, "Percents", 6)});
        open();
        const QByteArray first = dataBytes().left(SchemeRecord::kLength);
        // A number typed into the record box without "Go to" changes nothing.
        apply({QStringLiteral("txtCurrent_Record=1")});
        click(QStringLiteral("cmdEdit"));
        apply({QStringLiteral("txtLevel(1)=9")});
        click(QStringLiteral("cmdSave"));
        QCOMPARE(dataBytes().left(SchemeRecord::kLength), first);
        QCOMPARE(storedScheme(2).Scheme, std::int16_t(2));
        QCOMPARE(storedScheme(2).Level[0], 9.0f);
        QCOMPARE(field(QStringLiteral("txtCurrent_Record"))->text(), QStringLiteral("2"));
        ZELT_VERIFY_MESSAGES(*messages_);
    }

    void noSchemeBeyond32767() {
        writeManySchemes(32766);
        open();
        createValid();
        click(QStringLiteral("cmdSave"));
        QCOMPARE(storedScheme(32767).Scheme, std::int16_t(32767));
        QCOMPARE(editor_->recordCount(), 32767);

        const QByteArray before = dataBytes();
        messages_->expect(MessageTable.MsgIncorrectValue);
        click(QStringLiteral("cmdCreate"));
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(focused(), QStringLiteral("cmdCreate"));
        QCOMPARE(editor_->recordCount(), 32767);
        QCOMPARE(editor_->currentRecord(), 32767);
        QCOMPARE(field(QStringLiteral("txtCurrent_Record"))->text(), QStringLiteral("32767"));
        QCOMPARE(editor_->editMode(), std::int16_t(RecordEditor::Browsing));
        QVERIFY(!inputsEnabled());
        QCOMPARE(dataBytes(), before);
    }

    void recordBeyondTheSchemeRangeIsNotSaved() {
        // A file longer than any the editor writes: its last record has no scheme number.
        writeManySchemes(32768);
        open();
        const QByteArray before = dataBytes();
        click(QStringLiteral("cmdEdit"));
        apply({QStringLiteral("cmbType=Fixed")});
        messages_->expect(kMsgNotCorrectInput);
        click(QStringLiteral("cmdSave"));
        ZELT_VERIFY_MESSAGES(*messages_);
        QCOMPARE(dataBytes(), before);
    }

    void exportThroughTheWindow() {
        test::ScopedRules rules(LocaleRules::dayMonthYearComma());
        SchemeRecord second = scheme(2, "Percents", 2.5f);
        second.Unit = "EUR";
        writeSchemes({scheme(1, "Fixed", 5), second});
        open();
        const std::string day = formatDate(today(), currentRules());
        const QByteArray header = "Level1;Level2;Level3;Level4;Level5;Level6;Level7;Level8;"
                                  "MinPayment;Periodicity;Scheme;Type_of_payment;Unit;Date\r\n";
        const QByteArray line1 =
            "5;0;0;0;0;0;0;0;10;30;1;Fixed     ;$         ;" + test::bytes(day) + "\r\n";
        const QByteArray line2 =
            "2,5;0;0;0;0;0;0;0;10;30;2;Percents  ;EUR       ;" + test::bytes(day) + "\r\n";
        const std::string output = filePath(AppDir, Folder::Output, "APsettings.txt");

        click(QStringLiteral("cmdSaveAllRecords"));
        QCOMPARE(test::bytes(*fs::readWhole(output)), header + line1 + line2);
        click(QStringLiteral("cmdSaveThisRecord"));
        QCOMPARE(test::bytes(*fs::readWhole(output)), header + line2);
        // While a new scheme is being created it has no line yet.
        click(QStringLiteral("cmdCreate"));
        click(QStringLiteral("cmdSaveThisRecord"));
        QCOMPARE(test::bytes(*fs::readWhole(output)), header);
        ZELT_VERIFY_MESSAGES(*messages_);
    }

    void failedWriteKeepsTheScreen() {
        writeSchemes({scheme(1, "Fixed", 5)});
        open();
        const QByteArray before = dataBytes();
        createValid();
        {
            test::ScopedFaultHook fault(test::failOn(fs::Op::Write, dataPath(), EIO));
            click(QStringLiteral("cmdSave"));
        }
        QCOMPARE(messages_->shown().size(), 1);
        QVERIFY(messages_->shown().front().contains(QStringLiteral("apsettings.kvr")));
        messages_->clear();
        QCOMPARE(dataBytes(), before);
        QVERIFY(button(QStringLiteral("cmdSave"))->isEnabled());
        // The same save goes through once the disk is back.
        click(QStringLiteral("cmdSave"));
        QCOMPARE(storedScheme(2).Scheme, std::int16_t(2));
        QVERIFY(!inputsEnabled());
    }
};

QTEST_MAIN(TestSchemeEditor)
#include "test_scheme_editor.moc"
