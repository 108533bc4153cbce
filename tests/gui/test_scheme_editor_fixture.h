#pragma once

// The payment scheme editor on a fresh program folder, and the operator's gestures on it; shared
// by the scheme editor's test programs.
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

namespace zelt::test {

inline const char* const kNavigation[] = {"cmdFirst", "cmdPrevious", "cmdNext",
                                          "cmdLast",  "cmdGoTo",     "txtCurrent_Record"};

inline QString levelName(int i) {
    return QStringLiteral("txtLevel(%1)").arg(i);
}

inline QStringList inputNames() {
    QStringList names{QStringLiteral("cmbType"), QStringLiteral("txtMinPayment"),
                      QStringLiteral("txtPeriodicity"), QStringLiteral("txtUnit")};
    for (int i = 1; i <= 8; ++i)
        names << levelName(i);
    return names;
}

inline SchemeRecord scheme(std::int16_t number, const char* type, float level1) {
    SchemeRecord s;
    s.Type_of_payment = type;
    s.MinPayment = 10;
    s.Periodicity = 30;
    s.Unit = "$";
    s.Scheme = number;
    s.Level = {level1, 0, 0, 0, 0, 0, 0, 0};
    return s;
}

inline std::string dataPath() {
    return filePath(AppDir, Folder::Data, "apsettings.kvr");
}

inline QByteArray dataBytes() {
    auto bytes = fs::readWhole(dataPath());
    return bytes ? test::bytes(*bytes) : QByteArray("<missing>");
}

inline void writeRaw(const std::string& bytes) {
    QVERIFY(ensureFolder(AppDir, Folder::Data).ok());
    auto file = fs::open(dataPath(), fs::OpenMode::WriteNew);
    QVERIFY(file.ok());
    QVERIFY(fs::writeAt(*file, 0, bytes.data(), bytes.size()).ok());
}

inline void writeSchemes(const std::vector<SchemeRecord>& schemes) {
    std::string bytes;
    for (const SchemeRecord& s : schemes) {
        const RecordBytes record = s.encode();
        bytes.append(record.begin(), record.end());
    }
    writeRaw(bytes);
}

// count copies of one scheme, written directly.
inline void writeManySchemes(int count) {
    const RecordBytes record = scheme(1, "Percents", 5).encode();
    std::string bytes;
    bytes.reserve(std::size_t(count) * record.size());
    for (int i = 0; i < count; ++i)
        bytes.append(record.begin(), record.end());
    writeRaw(bytes);
}

inline SchemeRecord storedScheme(int n) {
    const QByteArray bytes = dataBytes();
    if (bytes.size() < n * SchemeRecord::kLength)
        return {};
    return SchemeRecord::decode(reinterpret_cast<const std::uint8_t*>(bytes.constData()) +
                                (n - 1) * SchemeRecord::kLength);
}

class SchemeEditorFixture {
protected:
    void start() {
        dir_ = std::make_unique<TempAppDir>();
        AppDir = dir_->path();
        rules_ = std::make_unique<ScopedRules>(LocaleRules::c());
        messages_ = std::make_unique<MessageCapture>();
    }
    // Closes the window (writing its backup) and checks that no message is left over.
    void finish() {
        messages_->answerUnexpectedQuestionsYes(); // the window may be left with typed input
        closeEditor();
        const bool ok = messages_->ok();
        const QString problems = messages_->problems();
        messages_.reset();
        rules_.reset();
        dir_.reset();
        QVERIFY2(ok, qPrintable(problems));
    }
    void closeEditor() {
        if (editor_) {
            editor_->close();
            delete editor_.data();
        }
    }

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
        editor_ = new SchemeEditor(AppContext{AppDir, currentRules()});
        editor_->load();
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

    std::unique_ptr<TempAppDir> dir_;
    std::unique_ptr<ScopedRules> rules_;
    std::unique_ptr<MessageCapture> messages_;
    QPointer<SchemeEditor> editor_;
};

} // namespace zelt::test
