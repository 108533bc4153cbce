#pragma once

#include "export/calculation_files.h"
#include "export/downline_export.h"
#include "export/text_export.h"
#include "search/result_table.h"
#include "storage/app_paths.h"
#include "storage/file_system.h"
#include "storage/member_record.h"
#include "storage/record_file.h"
#include "support/byte_text.h"
#include "support/temp_app_dir.h"
#include "support/test_app.h"
#include "support/test_registry.h"

#include <QtTest>

#include <fstream>
#include <limits>

// What the core tests share: compact data rows, plain file access, and the program folder that
// the exports and the files for calculations write into.
namespace zelt::test {

// One row of a QtTest data table: its name, then the value of every column in order.
template <typename... T> void row(const char* name, const T&... values) {
    (QTest::newRow(name) << ... << values);
}

// A data table written as text, a row to a line: "name | field | field ...", the fields trimmed
// and unescaped, in the column "fields".
inline void textRows(const char* table) {
    QTest::addColumn<QByteArrayList>("fields");
    for (const QByteArray& line : QByteArray(table).split('\n')) {
        QByteArrayList fields = line.split('|');
        for (QByteArray& field : fields)
            field = unescaped(field.trimmed());
        if (fields.size() > 1)
            QTest::newRow(fields.takeFirst().constData()) << fields;
    }
}

// The fields of the current row of a table made by textRows.
inline QByteArrayList fields() {
    return *static_cast<QByteArrayList*>(QTest::qData("fields", qMetaTypeId<QByteArrayList>()));
}

inline double number(const QByteArray& text) {
    return text == "nan" ? std::numeric_limits<double>::quiet_NaN() : text.toDouble();
}

inline void writePlain(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string readPlain(const std::string& path) {
    auto content = fs::readWhole(path);
    return content ? *content : std::string("<missing>");
}

// A member's record: payment scheme 1, the other fields empty.
inline RecordBytes memberBytes(std::int32_t id, const char* name, const char* surname,
                               std::int32_t referrer, std::int32_t level = 0, double date = 37211,
                               const char* email = "", std::int32_t egold = 0) {
    return MemberRecord{name, surname, "",       "",    "", "",    "",  email,
                        "",   id,      referrer, egold, 1,  level, date}
        .encode();
}

// Makes the folder at root and the rules the ones the program's actions use.
inline void useProgramFolder(const std::string& root, const LocaleRules& rules) {
    testApp().dir = root;
    testApp().rules = rules;
}

// A fresh program folder for one test, in use while the object lives.
class ProgramFolder {
public:
    explicit ProgramFolder(const LocaleRules& rules = LocaleRules::dayMonthYearComma()) {
        useProgramFolder(dir_.path(), rules);
    }
    const std::string& path() const { return dir_.path(); }
    std::string file(Folder folder, const std::string& name) const {
        return filePath(dir_.path(), folder, name);
    }
    std::string output(const std::string& name) const {
        return readPlain(file(Folder::Output, name));
    }
    void write(Folder folder, const std::string& name, const std::string& content) const {
        QVERIFY(ensureFolder(dir_.path(), folder).ok());
        writePlain(file(folder, name), content);
    }
    // A data file holding the records 1, 2, ...
    void writeRecords(const std::string& name, const std::vector<RecordBytes>& records) const {
        std::string bytes;
        for (const RecordBytes& record : records)
            bytes.append(record.begin(), record.end());
        write(Folder::Data, name, bytes);
    }

private:
    TempAppDir dir_;
};

} // namespace zelt::test
