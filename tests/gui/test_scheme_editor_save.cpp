// The payment scheme editor's save: every refusal, the conversions, the scheme number limit
// and a failed write.
#include "support/test_registry.h"
#include "test_scheme_editor_fixture.h"

using namespace zelt;
using namespace zelt::test;

class TestSchemeEditorSave : public QObject, public SchemeEditorFixture {
    Q_OBJECT

private slots:
    void initTestCase() { fill_message_table(); }
    void init() { start(); }
    void cleanup() { finish(); }

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
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
        ZELT_VERIFY_MESSAGES(*messages_);
    }

    void storedAsConverted_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("stored"); // the changed value as stored, read back
        QTest::addColumn<QString>("shown");  // the field's text after the save
        // The value a payment the files cannot write to the cent is stored as (warned).
        QTest::addColumn<QString>("warning");
        QTest::newRow("periodicity 30.5 to even")
            << "c" << QStringList{"txtPeriodicity=30.5"} << "30"
            << "30" << QString();
        QTest::newRow("periodicity 31.5 to even")
            << "c" << QStringList{"txtPeriodicity=31.5"} << "32"
            << "32" << QString();
        QTest::newRow("periodicity negative, no range")
            << "c" << QStringList{"txtPeriodicity=-5"} << "-5"
            << "-5" << QString();
        QTest::newRow("level 1 at -2") << "c" << QStringList{"txtLevel(1)=-2"} << "-2"
                                       << "-2" << QString();
        QTest::newRow("min payment 2.50") << "c" << QStringList{"txtMinPayment=2.50"} << "2.5"
                                          << "2.5" << QString();
        QTest::newRow("decimal comma") << "dmy" << QStringList{"txtLevel(1)=2,25"} << "2.25"
                                       << "2,25" << QString();
        QTest::newRow("unit of 12 cut to 10")
            << "c" << QStringList{"txtUnit=ABCDEFGHIJKL"} << "ABCDEFGHIJ"
            << "ABCDEFGHIJ" << QString();
        QTest::newRow("unit padded") << "c" << QStringList{"txtUnit=EUR"} << "EUR       "
                                     << "EUR       " << QString();
        QTest::newRow("type Fixed") << "c" << QStringList{"cmbType=Fixed"} << "Fixed     "
                                    << "Fixed" << QString();
        QTest::newRow("min payment 123456.78 warned")
            << "c" << QStringList{"txtMinPayment=123456.78"} << "123457"
            << "123456.8"
            << "123456.8";
        QTest::newRow("level 12345678,99 warned")
            << "dmy" << QStringList{"txtLevel(1)=12345678,99"} << "1.23457e+07"
            << "1,234568E+07"
            << "1,234568E+07";
        QTest::newRow("half a cent off warned")
            << "c" << QStringList{"txtLevel(1)=1234567.005"} << "1.23457e+06"
            << "1234567"
            << "1234567";
        QTest::newRow("less than half a cent off")
            << "c" << QStringList{"txtLevel(1)=1234567.004"} << "1.23457e+06"
            << "1234567" << QString();
    }
    void storedAsConverted() {
        QFETCH(QString, locale);
        QFETCH(QStringList, changes);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, warning);
        ScopedRules rules(testRules(locale));
        open();
        createValid();
        apply(changes);
        if (!warning.isEmpty())
            messages_->expect(QString::fromLatin1(kMsgStoredAs) + warning);
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
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
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

    void failedWriteKeepsTheScreen() {
        writeSchemes({scheme(1, "Fixed", 5)});
        open();
        const QByteArray before = dataBytes();
        createValid();
        {
            ScopedFaultHook fault(failOn(fs::Op::Write, dataPath(), EIO));
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

ZELT_TEST(TestSchemeEditorSave)
#include "test_scheme_editor_save.moc"
