#pragma once

// The member editor window as its tests drive it: a fresh program folder, schemes and members
// written by the test, the real window, its controls by name, and the expected messages.
#include "editors/editor_factory.h"
#include "editors/record_editor.h"
#include "shell/message_table.h"
#include "shell/zelt_module.h"
#include "storage/file_system.h"
#include "storage/locale_rules.h"
#include "storage/member_record.h"
#include "support/message_capture.h"
#include "support/temp_app_dir.h"
#include "ui/grid_view.h"

#include <QApplication>
#include <QComboBox>
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

// A member as the editor would have stored it, on 16.11.2001.
inline MemberRecord member(std::int32_t id, const char* name, std::int32_t referrer,
                           std::int32_t level) {
    MemberRecord m;
    m.Name = name;
    m.AffiliateID = id;
    m.Ref_ID = referrer;
    m.Level = level;
    m.AP_ID = 1;
    m.Date = 37211;
    return m;
}

class MemberEditorWindow {
public:
    MemberEditorWindow() : dir_(std::make_unique<TempAppDir>()) {
        AppDir = dir_->path();
        setCurrentRules(LocaleRules::dayMonthYearComma());
        messages = std::make_unique<MessageCapture>();
        // Tests close the window in whatever state they leave it, typed input included.
        messages->answerUnexpectedQuestionsYes();
    }
    ~MemberEditorWindow() {
        if (editor)
            close();
        fs::setFaultHook({});
    }

    std::string file(const std::string& relative) const { return dir_->file(relative); }
    std::string membersFile() const { return file("data/affiliates.kvr"); }

    void writeSchemes(int count) const {
        writeBytes(file("data/apsettings.kvr"), std::string(std::size_t(count) * 60, '\0'));
    }
    void writeMembers(const std::vector<MemberRecord>& members) const {
        std::string bytes;
        for (const MemberRecord& m : members) {
            const RecordBytes encoded = m.encode();
            bytes.append(encoded.begin(), encoded.end());
        }
        writeBytes(membersFile(), bytes);
    }
    MemberRecord storedMember(int n) const {
        const QByteArray bytes = fileBytes(membersFile());
        if (bytes.size() < n * MemberRecord::kLength)
            qFatal("member %d is not stored", n);
        return MemberRecord::decode(reinterpret_cast<const std::uint8_t*>(bytes.constData()) +
                                    (n - 1) * 211);
    }

    RecordEditor* open() {
        editor = qobject_cast<RecordEditor*>(
            createEditor(EditorKind::Members, AppContext{AppDir, currentRules()}));
        editor->show();
        editor->activateWindow();
        if (!QTest::qWaitForWindowActive(editor))
            qWarning("the editor window did not become active");
        return editor;
    }
    void close() {
        editor->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <class T = QWidget> T* control(const char* name) const {
        T* found = editor->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString text(const char* name) const { return control<QLineEdit>(name)->text(); }
    QString info() const { return control<QPlainTextEdit>("txtAdditional_Info")->toPlainText(); }
    QComboBox* schemes() const { return control<QComboBox>("cmbAP_ID"); }
    GridView* grid() const { return control<GridView>("MSFGView"); }
    QWidget* focus() const { return QApplication::focusWidget(); }

    void click(const char* name) const {
        QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);
    }
    void type(const char* name, const QString& value) const {
        QLineEdit* field = control<QLineEdit>(name);
        field->clear();
        QTest::keyClicks(field, value);
    }
    void typeScheme(const QString& value) const {
        schemes()->clearEditText();
        QTest::keyClicks(schemes()->lineEdit(), value);
    }
    void typeInfo(const QString& value) const {
        auto* field = control<QPlainTextEdit>("txtAdditional_Info");
        field->clear();
        QTest::keyClicks(field, value);
    }
    // A new member with the name, the referrer and scheme 1, saved.
    void create(const QString& name, const QString& referrer) const {
        click("cmdCreate");
        type("txtName", name);
        type("txtRef_ID", referrer);
        typeScheme(QStringLiteral("1"));
        click("cmdSave");
    }
    QStringList gridColumn(int column) const {
        QStringList cells;
        for (int row = 0; row < grid()->model()->rowCount(); ++row)
            cells << grid()->model()->index(row, column).data().toString();
        return cells;
    }

    std::unique_ptr<MessageCapture> messages;
    QPointer<RecordEditor> editor;

private:
    std::unique_ptr<TempAppDir> dir_;
};

} // namespace zelt::test
