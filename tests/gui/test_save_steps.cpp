// The shape of each editor's save: whether the record number is checked before the typed values
// are converted, whether the record number box shows the number once the record is written, and
// whether the fields show the record as stored afterwards or keep what was typed.
#include "editors/editor_factory.h"
#include "editors/record_editor.h"
#include "shell/message_table.h"
#include "storage/app_paths.h"
#include "storage/member_record.h"
#include "storage/scheme_record.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "support/test_app.h"
#include "support/test_registry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace zelt;

Q_DECLARE_METATYPE(zelt::EditorKind)

namespace {

void writeZeros(const std::string& path, std::size_t length) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << std::string(length, '\0');
}

} // namespace

class TestSaveSteps : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempAppDir> dir_;
    std::unique_ptr<test::MessageCapture> messages_;
    QPointer<RecordEditor> editor_;

    void open(EditorKind kind) {
        editor_ = qobject_cast<RecordEditor*>(createEditor(kind, testApp()));
        QVERIFY(editor_);
        QVERIFY(editor_->isLoaded());
    }

    // Fills controls from "name=text" entries: a list box takes the text as its entry number
    // when it cannot be typed into.
    void fill(const QStringList& entries) {
        for (const QString& entry : entries) {
            const QString name = entry.section(QLatin1Char('='), 0, 0);
            const QString text = entry.section(QLatin1Char('='), 1);
            QWidget* control = editor_->findChild<QWidget*>(name);
            QVERIFY2(control, qPrintable(name));
            if (auto* line = qobject_cast<QLineEdit*>(control))
                line->setText(text);
            else if (auto* box = qobject_cast<QComboBox*>(control); box && box->isEditable())
                box->setEditText(text);
            else if (box)
                box->setCurrentIndex(text.toInt());
        }
    }

    QString text(const char* name) const {
        auto* field = editor_->findChild<QLineEdit*>(QString::fromLatin1(name));
        return field ? field->text() : QStringLiteral("<none>");
    }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempAppDir>();
        testApp().dir = dir_->path();
        testApp().rules = LocaleRules::dayMonthYearComma();
        messages_ = std::make_unique<test::MessageCapture>();
        messages_->answerUnexpectedQuestionsYes();
        // One payment scheme, so that the member editor opens.
        writeZeros(dir_->file("data/apsettings.kvr"), SchemeRecord::kLength);
    }
    void cleanup() {
        if (editor_) {
            editor_->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        if (!QTest::currentTestFailed())
            ZELT_VERIFY_MESSAGES(*messages_);
        messages_.reset();
        dir_.reset();
    }

    // On an empty file no record is current: the members and communications refuse that before
    // any conversion; sales, payments and schemes convert first.
    void noRecordNumber_data() {
        QTest::addColumn<EditorKind>("kind");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");
        QTest::newRow("members") << EditorKind::Members
                                 << QStringList{"txtName=Ann", "txtAffiliateID=0", "txtRef_ID=x",
                                                "txtDate=1.1.2001", "cmbAP_ID=1"}
                                 << QString::fromStdString(kMsgCreateRecord);
        QTest::newRow("communications")
            << EditorKind::Communications << QStringList{"txtID=x", "txtSubject=S"}
            << QString::fromStdString(kMsgCreateRecord);
        QTest::newRow("sales") << EditorKind::Sales
                               << QStringList{"txtAffiliateID=1", "txtSum=x", "txtDate=1.1.2001"}
                               << QString::fromStdString(kMsgIncorrectValue);
        QTest::newRow("payments") << EditorKind::Payments
                                  << QStringList{"txtAffiliateID=1", "txtSum=x", "txtDate=1.1.2001"}
                                  << QString::fromStdString(kMsgIncorrectValue);
        QTest::newRow("schemes") << EditorKind::Schemes
                                 << QStringList{"cmbType=0", "txtMinPayment=x", "txtLevel(1)=5",
                                                "txtPeriodicity=30", "txtUnit=$"}
                                 << QString::fromStdString(kMsgIncorrectValue);
    }
    void noRecordNumber() {
        QFETCH(EditorKind, kind);
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        if (kind == EditorKind::Schemes)
            std::filesystem::remove(dir_->file("data/apsettings.kvr"));
        open(kind);
        QCOMPARE(editor_->currentRecord(), 0);
        fill(fields);
        messages_->expect(message);
        editor_->onCmdSaveClicked();
        QCOMPARE(messages_->shown(), QStringList{message});
    }

    // A new record saved with the record number box typed over and a value typed in a form of
    // its own: what the box and the field show afterwards.
    void shownAfterTheSave_data() {
        QTest::addColumn<EditorKind>("kind");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("number");
        QTest::newRow("members: typed values stay, the number shows")
            << EditorKind::Members
            << QStringList{"txtName=Ann", "txtRef_ID=0", "txtEgold_ID=007", "cmbAP_ID=1",
                           "txtCurrent_Record=x"}
            << "txtEgold_ID"
            << "007"
            << "2";
        QTest::newRow("communications: typed values and the box stay")
            << EditorKind::Communications
            << QStringList{"txtID=1", "txtSubject=S", "txtDate=1.1.2001", "txtCurrent_Record=x"}
            << "txtDate"
            << "1.1.2001"
            << "x";
        QTest::newRow("sales: the record as stored")
            << EditorKind::Sales
            << QStringList{"txtAffiliateID=1", "txtSum=1,50", "txtCurrent_Record=x"} << "txtSum"
            << "1,5"
            << "1";
        QTest::newRow("payments: the record as stored")
            << EditorKind::Payments
            << QStringList{"txtAffiliateID=1", "txtSum=1,50", "txtCurrent_Record=x"} << "txtSum"
            << "1,5"
            << "1";
        QTest::newRow("schemes: the record as stored")
            << EditorKind::Schemes
            << QStringList{"cmbType=0", "txtMinPayment=10", "txtLevel(1)=5", "txtPeriodicity=030",
                           "txtCurrent_Record=x"}
            << "txtPeriodicity"
            << "30"
            << "2";
    }
    void shownAfterTheSave() {
        QFETCH(EditorKind, kind);
        QFETCH(QStringList, fields);
        QFETCH(QString, field);
        // One member, for the sales and payments to refer to.
        writeZeros(dir_->file("data/affiliates.kvr"), MemberRecord::kLength);
        open(kind);
        QTest::mouseClick(editor_->findChild<QWidget*>(QStringLiteral("cmdCreate")),
                          Qt::LeftButton);
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Creating);
        fill(fields);
        editor_->onCmdSaveClicked();
        QCOMPARE(messages_->shown(), QStringList());
        QCOMPARE(editor_->editMode(), RecordEditor::Mode::Browsing);
        QTEST(text(field.toLatin1().constData()), "shown");
        QTEST(text("txtCurrent_Record"), "number");
    }
};

ZELT_TEST(TestSaveSteps)
#include "test_save_steps.moc"
