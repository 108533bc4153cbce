#include "editors/record_editor.h"

#include "editors/editor_context.h"
#include "editors/field_text.h"
#include "shell/message_table.h"
#include "storage/app_paths.h"
#include "storage/file_system.h"
#include "storage/member_count.h"
#include "storage/number_text.h"
#include "storage/whole_file_writer.h"
#include "ui/grid_view.h"
#include "ui/message_box.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace zelt {

RecordEditor::RecordEditor(int recordLength, RecordKind exportKind, QWidget* parent)
    : QWidget(parent), recordLength_(recordLength), exportKind_(exportKind) {
    createControls();
}

RecordEditor::~RecordEditor() = default;

std::string RecordEditor::dataFilePath() const {
    return filePath(editorContext().dir, Folder::Data, filenm);
}

void RecordEditor::Form_Load() {
    Fill_captions();
    if (!Report(ensureFolder(editorContext().dir, Folder::Data))) {
        LoadFailed = true;
        Disable_editor();
        return;
    }
    auto opened = RecordFile::open(dataFilePath(), recordLength_);
    if (!opened) {
        Report(opened.error());
        LoadFailed = true;
        Disable_editor();
        return;
    }
    DataFile = std::move(*opened);
    if (!Recount_records()) {
        DataFile.close();
        LoadFailed = true;
        Disable_editor();
        return;
    }
    CurrentRecord = RecordCount;
    if (RecordCount != 0) {
        Show_record(RecordCount);
        EditMode = Browsing;
    } else {
        EditMode = NoRecord;
    }
    Enabled_frm(EditMode);
}

void RecordEditor::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    // Also after a load that stopped early: an existing data file is backed up all the same.
    DataFile.close();
    if (LoadFailed)
        return;
    if (!Report(ensureFolder(editorContext().dir, Folder::Backcopies)))
        return;
    const std::string source = dataFilePath();
    const auto exists = fs::isFile(source);
    if (!exists) {
        Report(exists.error());
        return;
    }
    if (*exists)
        Report(
            copyFileReplacing(source, filePath(editorContext().dir, Folder::Backcopies, filenm)));
}

void RecordEditor::closeEvent(QCloseEvent* event) {
    if (!unloaded_ && !Discard_typed()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

bool RecordEditor::Show_record(std::int32_t n) {
    auto read = DataFile.read(n);
    if (!read) {
        Report(read.error());
        return false;
    }
    CurrentRecord = n;
    if (read->has_value()) {
        RecordBuffer = std::move(**read);
        CurrentStored = true;
        To_frm();
    } else {
        CurrentStored = false;
        Show_no_record();
    }
    Remember_shown();
    return true;
}

void RecordEditor::Remember_shown() {
    Shown.remember(Typed_fields(), CurrentStored ? RecordBuffer : RecordBytes());
}

bool RecordEditor::Discard_typed() {
    // cmdSave is usable exactly while a record is created or edited (also after a refused save,
    // which has set EditMode to browsing already).
    if (!cmdSave->isEnabled() || !Shown.anyChanged())
        return true;
    return askQuestion(QString::fromLatin1(kMsgDiscardChanges), this) == Answer::Yes;
}

void RecordEditor::Choose_row(const QString& column0Text) {
    const auto number = parseInt32(toStdString(column0Text), editorContext().rules);
    if (!number || *number < 1 || *number > RecordCount) {
        showMessage(kMsgNoRecord, this);
        return;
    }
    const bool typing = cmdSave->isEnabled();
    if (!Discard_typed())
        return;
    if (!Show_record(*number) || !typing)
        return;
    // Back to browsing, so that no save can follow without cmdEdit; a number allotted by
    // cmdCreate and not saved is given up.
    EditMode = Browsing;
    Recount_records();
    Enabled_frm(EditMode);
}

void RecordEditor::Show_no_record() {
    Clear_frm();
    txtCurrent_Record->setText(QString::number(CurrentRecord));
}

bool RecordEditor::Write_record() {
    // The search grid shows records as the search found them, reading them from the file.
    if (auto* grid = findChild<GridView*>(QStringLiteral("MSFGView")))
        grid->keepBeforeOverwrite(CurrentRecord);
    return Report(DataFile.write(CurrentRecord, RecordBuffer));
}

bool RecordEditor::Recount_records() {
    const auto count = DataFile.count();
    if (!count) {
        Report(count.error());
        return false;
    }
    RecordCount = *count;
    return true;
}

void RecordEditor::Refuse(const std::string& message, QWidget* focus) {
    showMessage(message, this);
    if (focus)
        focus->setFocus();
}

void RecordEditor::Report(const FsError& error) {
    showMessage(error.message(), this);
}

bool RecordEditor::Report(const Status& status) {
    if (!status)
        Report(status.error());
    return status.ok();
}

void RecordEditor::cmdFirst_Click() {
    if (RecordCount != 0)
        Show_record(1);
    else
        CurrentRecord = 1;
}

void RecordEditor::cmdLast_Click() {
    if (RecordCount != 0)
        Show_record(RecordCount);
    else
        CurrentRecord = 0;
}

void RecordEditor::cmdNext_Click() {
    if (RecordCount != 0 && CurrentRecord < RecordCount)
        Show_record(CurrentRecord + 1);
}

void RecordEditor::cmdPrevious_Click() {
    if (RecordCount != 0 && CurrentRecord > 1)
        Show_record(CurrentRecord - 1);
}

void RecordEditor::cmdGoTo_Click() {
    if (txtCurrent_Record->text().isEmpty()) {
        Refuse(kMsgEnterData, txtCurrent_Record);
        return;
    }
    const auto number = parseInt32(singleLineText(txtCurrent_Record), editorContext().rules);
    if (!number) {
        Refuse(kMsgIncorrectValue, txtCurrent_Record);
        return;
    }
    std::int32_t target = *number;
    if (target > RecordCount || target < 1) {
        Refuse(kMsgNoRecord, txtCurrent_Record);
        target = 1;
    }
    Show_record(target);
}

void RecordEditor::cmdCreate_Click() {
    // The new number follows the records in the file, not the editor's own count: a creation
    // abandoned earlier must not leave a hole.
    const auto stored = DataFile.count();
    if (!stored) {
        Report(stored.error());
        return;
    }
    if (*stored == std::numeric_limits<std::int32_t>::max()) {
        Refuse(kMsgIncorrectValue, cmdCreate);
        return;
    }
    RecordCount = *stored + 1;
    CurrentRecord = RecordCount;
    CurrentStored = false;
    EditMode = Creating;
    Clear_frm();
    txtCurrent_Record->setText(QString::number(CurrentRecord));
    Enabled_frm(EditMode);
    Remember_shown();
    Typed_fields().constFirst()->setFocus();
}

void RecordEditor::cmdEdit_Click() {
    EditMode = Editing;
    if (CurrentRecord >= 1 && CurrentStored) {
        Enabled_frm(EditMode);
        Typed_fields().constFirst()->setFocus();
    } else {
        Refuse(kMsgCreateRecord, cmdCreate);
    }
}

void RecordEditor::cmdSave_Click() {
    EditMode = Browsing;
    if (!Check_presence())
        return;
    std::int16_t res = 0;
    Verify_types(res);
    if (res == 0)
        return;
    if (!Check_values())
        return;
    if (CurrentRecord < 1) {
        Refuse(kMsgCreateRecord, cmdCreate);
        return;
    }
    if (!Check_side_files())
        return;
    if (!From_frm())
        return;
    if (Texts_replaced())
        showMessage(QString::fromLatin1(kMsgReplacedCharacters), this);
    if (!Write_record())
        return;
    CurrentStored = true;
    txtCurrent_Record->setText(QString::number(CurrentRecord));
    Recount_records();
    // When the side texts cannot be written the record is stored but the screen stays as it
    // is, so that nothing typed is lost and the save can be repeated.
    if (!Save_side_texts())
        return;
    EditMode = Browsing;
    Enabled_frm(EditMode);
    To_frm();
    Remember_shown();
}

void RecordEditor::save_records(std::int32_t first, std::int32_t last) {
    Report(zelt::saveRecords(editorContext(), exportKind_, first, last));
}

void RecordEditor::cmdSaveThisRecord_Click() {
    save_records(CurrentRecord, CurrentRecord);
}

void RecordEditor::cmdSaveAllRecords_Click() {
    save_records(1, RecordCount);
}

} // namespace zelt
