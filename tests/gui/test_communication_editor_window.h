#pragma once

// What the tests of the communication editor share: a fresh program folder, the window opened
// through the factory, its controls by name, and the files it writes.
#include "editors/editor_factory.h"
#include "editors/record_editor.h"
#include "shell/message_table.h"
#include "shell/zelt_module.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/file_system.h"
#include "storage/locale_rules.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "ui/grid_view.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace zelt::test {

inline CommunicationRecord communication(std::int32_t member, const std::string& subject,
                                         double date, double dateR) {
    CommunicationRecord record;
    record.MemberID = member;
    record.Subject = subject;
    record.Date = date;
    record.Date_R = dateR;
    return record;
}

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

class CommunicationWindow {
protected:
    std::unique_ptr<TempAppDir> dir_;
    std::unique_ptr<MessageCapture> messages_;
    QPointer<RecordEditor> editor_;

    void startTest() {
        dir_ = std::make_unique<TempAppDir>();
        AppDir = dir_->path();
        setCurrentRules(LocaleRules::dayMonthYearComma());
        messages_ = std::make_unique<MessageCapture>();
    }
    // Closes the window; false when a message went otherwise than expected.
    bool endTest() {
        messages_->answerUnexpectedQuestionsYes(); // the window may be left with typed input
        if (editor_) {
            editor_->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        fs::setFaultHook({});
        const bool ok = messages_->ok();
        if (!ok)
            qWarning("%s", qPrintable(messages_->problems()));
        messages_.reset();
        dir_.reset();
        return ok;
    }

    std::string dataFile() const { return dir_->file("data/communications.kvr"); }
    std::string commFile(const std::string& name) const { return dir_->file("comm/" + name); }

    void writeRecords(const std::vector<CommunicationRecord>& records) {
        std::string bytes;
        for (const CommunicationRecord& record : records) {
            const RecordBytes encoded = record.encode();
            bytes.append(encoded.begin(), encoded.end());
        }
        writeBytes(dataFile(), bytes);
    }
    // Record n as stored in the data file.
    QByteArray storedRecord(int n) const {
        return fileBytes(dataFile())
            .mid((n - 1) * CommunicationRecord::kLength, CommunicationRecord::kLength);
    }
    static QByteArray encoded(const CommunicationRecord& record) {
        const RecordBytes bytes = record.encode();
        return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    }

    // Every file under the program folder with its bytes.
    QMap<QString, QByteArray> snapshot() const {
        QMap<QString, QByteArray> files;
        QDirIterator it(QString::fromStdString(dir_->path()), QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files.insert(path, fileBytes(path.toStdString()));
        }
        return files;
    }

    RecordEditor* openEditor() {
        editor_ = qobject_cast<RecordEditor*>(
            createEditor(EditorKind::Communications, AppContext{AppDir, currentRules()}));
        editor_->show();
        editor_->activateWindow();
        if (!QTest::qWaitForWindowActive(editor_))
            qWarning("the editor window did not become active");
        return editor_;
    }

    template <class T = QWidget> T* control(const char* name) const {
        T* found = editor_->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString text(const char* name) const {
        if (auto* box = editor_->findChild<QPlainTextEdit*>(QString::fromLatin1(name)))
            return box->toPlainText();
        return control<QLineEdit>(name)->text();
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    // Types the text into a field; text beyond ASCII, which the test keyboard cannot type, is
    // pasted in as it would be through the clipboard.
    void type(const char* name, const QString& value) {
        const bool ascii =
            std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 128; });
        if (auto* box = editor_->findChild<QPlainTextEdit*>(QString::fromLatin1(name))) {
            box->clear();
            if (ascii)
                QTest::keyClicks(box, value);
            else
                box->insertPlainText(value);
            return;
        }
        QLineEdit* field = control<QLineEdit>(name);
        field->clear();
        if (ascii)
            QTest::keyClicks(field, value);
        else
            field->insert(value);
    }
    QString focusName() const {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    GridView* grid() const { return control<GridView>("MSFGView"); }
    QStringList gridColumn(int column) const {
        QStringList cells;
        for (int row = 0; row < grid()->model()->rowCount(); ++row)
            cells << grid()->model()->index(row, column).data().toString();
        return cells;
    }
    static QString today() {
        return QString::fromStdString(formatDate(zelt::today(), currentRules()));
    }
};

} // namespace zelt::test

// Ends a test: closes the window and fails unless the messages went as expected.
#define ZELT_END_COMMUNICATION_TEST() QVERIFY2(endTest(), "messages not as expected")
