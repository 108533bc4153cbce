#pragma once

#include "storage/app_context.h"
#include "storage/fs_error.h"
#include "storage/record_file.h"

#include <QList>
#include <QString>

#include <map>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace zelt {

// What an editor showed of a record: the text of each input field as shown, the stored record
// as it was read, and the bytes of its side files. A save keeps the stored bytes of every field
// whose text the operator has not changed, so that showing a record and saving it again never
// changes it, whatever values another program or an older version stored there.
class ShownRecord {
public:
    // Takes the texts of the fields as they are now. stored is the record they show, empty
    // while a new record is created.
    void remember(const QList<QWidget*>& fields, const RecordBytes& stored);

    // Whether a record read from the file is shown (not a new one).
    bool isStored() const { return !stored_.empty(); }
    // Whether the field's text differs from the text shown (a field never remembered has).
    bool changed(const QWidget* field) const;
    bool anyChanged() const;
    // Whether the field shows a stored record's value unchanged.
    bool keepsStored(const QWidget* field) const { return isStored() && !changed(field); }
    // When the field keeps its stored value, copies that value's bytes into the record.
    void keepStored(const QWidget* field, RecordBytes& record, int offset, int width) const;

    // The bytes of a side file as shown in the field (none: the file was missing).
    void rememberSideFile(const QWidget* field, std::optional<std::string> bytes);
    // Before a side file is read: until it has been, its bytes are not known.
    void forgetSideFile(const QWidget* field) { sideFiles_.erase(field); }
    // Null when the bytes are not known (the file could not be read when it was shown).
    const std::optional<std::string>* sideFile(const QWidget* field) const;

private:
    struct Field {
        const QWidget* widget;
        QString text;
    };
    std::vector<Field> fields_;
    RecordBytes stored_;
    std::map<const QWidget*, std::optional<std::string>> sideFiles_;
};

// A side file read once: its bytes (none when it is missing) and its text as a field shows it
// (decoded, without the one final CR LF).
struct SideFile {
    std::optional<std::string> bytes;
    std::string text;
};
Result<SideFile> readSideFile(const std::string& path);

// The text a typed sum is written as by the files (the single it is stored as, with 7
// significant digits) when that differs from the typed value by half a cent or more; none when
// it does not, or when the text is no number.
std::optional<std::string> sumStoredAs(const std::string& typed, const LocaleRules& rules);

} // namespace zelt
