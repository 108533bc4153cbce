#pragma once

// What the GUI tests of the editor framework and of the sale and payment editors share: a fresh
// program folder with pinned locale rules, the message queue, the editor window under test, and
// ways to reach its controls by name and to write the files it reads.
#include "editors/editor_factory.h"
#include "editors/record_editor.h"
#include "shell/message_table.h"
#include "shell/zelt_module.h"
#include "storage/file_system.h"
#include "storage/locale_rules.h"
#include "storage/sale_record.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "ui/grid_view.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace zelt::test {

inline QByteArray fileBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class SaleWindowFixture {
protected:
    // For init() and cleanup() of the test class.
    void setUp() {
        dir_ = std::make_unique<TempAppDir>();
        AppDir = dir_->path();
        setCurrentRules(LocaleRules::dayMonthYearComma());
        messages_ = std::make_unique<MessageCapture>();
    }
    void tearDown() {
        messages_->answerUnexpectedQuestionsYes(); // the window may be left with typed input
        if (editor_)
            closeEditor();
        fs::setFaultHook({});
        if (!QTest::currentTestFailed())
            ZELT_VERIFY_MESSAGES(*messages_);
        messages_.reset();
        dir_.reset();
    }

    std::string dataFile(const char* name = "sales.kvr") const {
        return dir_->file(std::string("data/") + name);
    }
    std::string addinfo(const char* name) const {
        return dir_->file(std::string("addinfo/") + name);
    }
    void writeRecords(const char* file, const std::vector<SaleRecord>& records) {
        std::string bytes;
        for (const SaleRecord& record : records) {
            const RecordBytes encoded = record.encode();
            bytes.append(encoded.begin(), encoded.end());
        }
        writeBytes(dataFile(file), bytes);
    }
    // A members file of count records (their content does not matter to these editors).
    void writeMembers(int count) {
        writeBytes(dataFile("affiliates.kvr"), std::string(count * 211, '\0'));
    }

    RecordEditor* openEditor(EditorKind kind = EditorKind::Sales) {
        editor_ =
            qobject_cast<RecordEditor*>(createEditor(kind, AppContext{AppDir, currentRules()}));
        editor_->show();
        editor_->activateWindow();
        if (!QTest::qWaitForWindowActive(editor_))
            qWarning("the editor window did not become active");
        return editor_;
    }
    void closeEditor() {
        editor_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <class T = QWidget> T* control(const char* name) const {
        T* found = editor_->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString text(const char* name) const { return control<QLineEdit>(name)->text(); }
    QString details() const { return control<QPlainTextEdit>("txtDetails")->toPlainText(); }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    void type(const char* name, const QString& value) {
        QLineEdit* field = control<QLineEdit>(name);
        field->clear();
        QTest::keyClicks(field, value);
    }
    void fill(const QString& member, const QString& sum, const QString& date) {
        type("txtAffiliateID", member);
        type("txtSum", sum);
        type("txtDate", date);
    }
    QWidget* focused() const { return QApplication::focusWidget(); }

    GridView* grid() const { return control<GridView>("MSFGView"); }
    QStringList gridColumn(int column) const {
        QStringList cells;
        for (int row = 0; row < grid()->model()->rowCount(); ++row)
            cells << grid()->model()->index(row, column).data().toString();
        return cells;
    }
    void doubleClickRow(int row) {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, 1));
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    std::unique_ptr<TempAppDir> dir_;
    std::unique_ptr<MessageCapture> messages_;
    QPointer<RecordEditor> editor_;
};

} // namespace zelt::test
