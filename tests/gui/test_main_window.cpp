#include "shell/frm_start.h"

#include "shell/message_table.h"
#include "storage/app_paths.h"
#include "storage/file_system.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "support/test_app.h"
#include "support/test_registry.h"

#include <QPushButton>
#include <QtTest>

using namespace zelt;

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempAppDir> dir_;

    QPushButton* button(QWidget& window, const char* name) {
        auto* found = window.findChild<QPushButton*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no button %s", name);
        return found;
    }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempAppDir>();
        testApp().rules = LocaleRules::dayMonthYearComma();
    }
    void cleanup() { dir_.reset(); }

    void captionsAndTabOrder() {
        frmStart window(testApp());
        QCOMPARE(window.windowTitle(), QStringLiteral("Zelt Management System"));
        const QList<QPair<const char*, const char*>> captions = {
            {"cmdAffiliates", "Members"},
            {"cmdCommunications", "Communications"},
            {"cmdSales", "Sales"},
            {"cmdPayments", "Payments"},
            {"cmdAPSettings", "Zelt Settings"},
            {"cmdCreateFiles", "Create files for calculations"}};
        for (const auto& [name, caption] : captions) {
            QCOMPARE(button(window, name)->text(), QString::fromLatin1(caption));
            QVERIFY(button(window, name)->isEnabled());
        }

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const char* order[] = {"cmdAffiliates", "cmdSales",          "cmdPayments",
                               "cmdAPSettings", "cmdCommunications", "cmdCreateFiles"};
        button(window, order[0])->setFocus();
        for (std::size_t i = 1; i < std::size(order); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(order[i]));
        }
    }

    void layoutHasTwoColumns() {
        frmStart window(testApp());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const int leftX = button(window, "cmdAffiliates")->x();
        for (const char* name : {"cmdCommunications", "cmdSales", "cmdPayments", "cmdAPSettings"})
            QCOMPARE(button(window, name)->x(), leftX);
        QPushButton* create = button(window, "cmdCreateFiles");
        QVERIFY(create->x() > leftX + button(window, "cmdAffiliates")->width());
        QCOMPARE(create->y(), button(window, "cmdAffiliates")->y());
    }

    void firstStartCreatesTheDataFolderOnly() {
        frmStart window(testApp());
        QVERIFY(window.load(QString::fromStdString(dir_->path())));
        QCOMPARE(testApp().dir, dir_->path());
        QVERIFY(fs::isFolder(folderPath(testApp().dir, Folder::Data)).value());
        QVERIFY(fs::list(folderPath(testApp().dir, Folder::Data)).value().empty());
        // A second start finds the folder and leaves it as it is.
        QVERIFY(window.load(QString::fromStdString(dir_->path())));
    }

    void startUpRemovesLeftoverTemporaryFiles() {
        frmStart window(testApp());
        QVERIFY(window.load(QString::fromStdString(dir_->path())));
        const std::string leftover = filePath(testApp().dir, Folder::Data, ".zelt-tmp-abc123");
        QVERIFY(fs::open(leftover, fs::OpenMode::WriteNew).ok());
        QVERIFY(window.load(QString::fromStdString(dir_->path())));
        QVERIFY(!fs::isFile(leftover).value());
    }

    void dataFolderThatCannotBeMadeIsReported() {
        const std::string blocked = dir_->file("data");
        QVERIFY(fs::open(blocked, fs::OpenMode::WriteNew).ok()); // a plain file in its place
        test::MessageCapture messages;
        messages.expect(QStringLiteral("Cannot create the folder \"%1\": File exists")
                            .arg(QString::fromStdString(blocked)));
        frmStart window(testApp());
        QVERIFY(!window.load(QString::fromStdString(dir_->path())));
        ZELT_VERIFY_MESSAGES(messages);
    }

    void secondCopyOnTheSameFolderEnds() {
        frmStart first(testApp());
        QVERIFY(first.load(QString::fromStdString(dir_->path())));
        test::MessageCapture messages;
        messages.expect("The records are already open in another window of the program.");
        frmStart second(testApp());
        QVERIFY(!second.load(QString::fromStdString(dir_->path())));
        ZELT_VERIFY_MESSAGES(messages);
    }

    void lockGoesWithTheWindow() {
        { // a program that ended, however it ended, holds no lock
            frmStart first(testApp());
            QVERIFY(first.load(QString::fromStdString(dir_->path())));
        }
        frmStart second(testApp());
        QVERIFY(second.load(QString::fromStdString(dir_->path())));
    }

    void createFilesButtonWritesTheFourFiles() {
        frmStart window(testApp());
        QVERIFY(window.load(QString::fromStdString(dir_->path())));
        window.show();
        for (int run = 0; run < 2; ++run) {
            QTest::mouseClick(button(window, "cmdCreateFiles"), Qt::LeftButton);
            for (const char* name : {"members.clc", "sales.clc", "payments.clc", "settings.clc"})
                QCOMPARE(fs::readWhole(filePath(testApp().dir, Folder::Output, name)).value(),
                         std::string());
        }
    }
};

ZELT_TEST(MainWindowTest)
#include "test_main_window.moc"
