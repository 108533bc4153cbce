#include "editors/record_editor.h"

#include "editors/field_text.h"
#include "shell/message_table.h"
#include "storage/app_context.h"
#include "storage/app_paths.h"
#include "storage/date_text.h"
#include "storage/file_system.h"
#include "storage/member_count.h"
#include "storage/number_text.h"
#include "storage/side_text.h"
#include "storage/whole_file_writer.h"
#include "ui/grid_view.h"
#include "ui/message_box.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <limits>

namespace zelt {

RecordEditor::RecordEditor(const AppContext& app, int recordLength, RecordKind exportKind,
                           QWidget* parent)
    : QWidget(parent), app_(app), recordLength_(recordLength), exportKind_(exportKind) {
    createControls();
}

RecordEditor::~RecordEditor() = default;

std::string RecordEditor::dataFilePath() const {
    return filePath(app_.dir, Folder::Data, fileName_);
}

void RecordEditor::load() {
    fillCaptions();
    if (!report(ensureFolder(app_.dir, Folder::Data))) {
        loadFailed_ = true;
        disableEditor();
        return;
    }
    auto opened = RecordFile::open(dataFilePath(), recordLength_);
    if (!opened) {
        report(opened.error());
        loadFailed_ = true;
        disableEditor();
        return;
    }
    dataFile_ = std::move(*opened);
    if (!recountRecords()) {
        dataFile_.close();
        loadFailed_ = true;
        disableEditor();
        return;
    }
    currentRecord_ = recordCount_;
    if (recordCount_ != 0) {
        showRecord(recordCount_);
        editMode_ = Mode::Browsing;
    } else {
        editMode_ = Mode::NoRecord;
    }
    applyMode(editMode_);
}

void RecordEditor::unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    // Also after a load that stopped early: an existing data file is backed up all the same.
    dataFile_.close();
    if (loadFailed_)
        return;
    if (!report(ensureFolder(app_.dir, Folder::Backcopies)))
        return;
    const std::string source = dataFilePath();
    const auto exists = fs::isFile(source);
    if (!exists) {
        report(exists.error());
        return;
    }
    if (*exists)
        report(copyFileReplacing(source, filePath(app_.dir, Folder::Backcopies, fileName_)));
}

void RecordEditor::closeEvent(QCloseEvent* event) {
    if (!unloaded_ && !discardTyped()) {
        event->ignore();
        return;
    }
    unload();
    event->accept();
}

bool RecordEditor::showRecord(std::int32_t n) {
    auto read = dataFile_.read(n);
    if (!read) {
        report(read.error());
        return false;
    }
    currentRecord_ = n;
    if (read->has_value()) {
        recordBuffer_ = std::move(**read);
        currentStored_ = true;
        showFields();
    } else {
        currentStored_ = false;
        showNoRecord();
    }
    rememberShown();
    return true;
}

void RecordEditor::rememberShown() {
    shown_.remember(typedFields(), currentStored_ ? recordBuffer_ : RecordBytes());
}

bool RecordEditor::discardTyped() {
    // cmdSave is usable exactly while a record is created or edited (also after a refused save,
    // which has set the mode to browsing already).
    if (!cmdSave->isEnabled() || !shown_.anyChanged())
        return true;
    return askQuestion(QString::fromLatin1(kMsgDiscardChanges), this) == Answer::Yes;
}

void RecordEditor::chooseRow(const QString& column0Text) {
    const auto number = parseInt32(toStdString(column0Text), app_.rules);
    if (!number || *number < 1 || *number > recordCount_) {
        showMessage(kMsgNoRecord, this);
        return;
    }
    const bool typing = cmdSave->isEnabled();
    if (!discardTyped())
        return;
    if (!showRecord(*number) || !typing)
        return;
    // Back to browsing, so that no save can follow without cmdEdit; a number allotted by
    // cmdCreate and not saved is given up.
    editMode_ = Mode::Browsing;
    recountRecords();
    applyMode(editMode_);
}

void RecordEditor::showNoRecord() {
    clearFields();
    txtCurrent_Record->setText(QString::number(currentRecord_));
}

bool RecordEditor::writeRecord() {
    // The search grid shows records as the search found them, reading them from the file.
    if (MSFGView)
        MSFGView->keepBeforeOverwrite(currentRecord_);
    return report(dataFile_.write(currentRecord_, recordBuffer_));
}

bool RecordEditor::recountRecords() {
    const auto count = dataFile_.count();
    if (!count) {
        report(count.error());
        return false;
    }
    recordCount_ = *count;
    return true;
}

bool RecordEditor::refusedUnless(bool converted, QLineEdit* field, QWidget* focus) {
    if (!converted)
        refuse(kMsgIncorrectValue, focus ? focus : field);
    return !converted;
}

std::optional<std::int32_t> RecordEditor::typedInt32(QLineEdit* field, QWidget* focus) {
    const auto value = parseInt32(singleLineText(field), app_.rules);
    refusedUnless(value.has_value(), field, focus);
    return value;
}

std::optional<std::int16_t> RecordEditor::typedInt16(QLineEdit* field, QWidget* focus) {
    const auto value = parseInt16(singleLineText(field), app_.rules);
    refusedUnless(value.has_value(), field, focus);
    return value;
}

std::optional<float> RecordEditor::typedSingle(QLineEdit* field, QWidget* focus) {
    const auto value = parseSingle(singleLineText(field), app_.rules);
    refusedUnless(value.has_value(), field, focus);
    return value;
}

std::optional<double> RecordEditor::typedDate(QLineEdit* field, QWidget* focus) {
    const auto value = parseDate(singleLineText(field), app_.rules);
    refusedUnless(value.has_value(), field, focus);
    return value;
}

void RecordEditor::refuse(const std::string& message, QWidget* focus) {
    showMessage(message, this);
    if (focus)
        focus->setFocus();
}

void RecordEditor::report(const FsError& error) {
    showMessage(error.message(), this);
}

bool RecordEditor::report(const Status& status) {
    if (!status)
        report(status.error());
    return status.ok();
}

bool RecordEditor::showSideFile(QPlainTextEdit* field, const std::string& path) {
    field->clear();
    shown_.forgetSideFile(field);
    auto stored = readSideFile(path);
    if (!stored) {
        report(stored.error());
        return false;
    }
    setMultiLineText(field, stored->text);
    shown_.rememberSideFile(field, std::move(stored->bytes));
    return true;
}

bool RecordEditor::sideFileReadable(const std::string& path) {
    const auto stored = readSideText(path);
    if (!stored) {
        report(stored.error());
        return false;
    }
    return true;
}

bool RecordEditor::writeChangedSideText(const QPlainTextEdit* field, const std::string& path) {
    if (field->toPlainText().isEmpty() || shown_.keepsStored(field))
        return true;
    return report(writeSideText(path, multiLineText(field)));
}

void RecordEditor::onCmdFirstClicked() {
    if (recordCount_ != 0)
        showRecord(1);
    else
        currentRecord_ = 1;
}

void RecordEditor::onCmdLastClicked() {
    if (recordCount_ != 0)
        showRecord(recordCount_);
    else
        currentRecord_ = 0;
}

void RecordEditor::onCmdNextClicked() {
    if (recordCount_ != 0 && currentRecord_ < recordCount_)
        showRecord(currentRecord_ + 1);
}

void RecordEditor::onCmdPreviousClicked() {
    if (recordCount_ != 0 && currentRecord_ > 1)
        showRecord(currentRecord_ - 1);
}

void RecordEditor::onCmdGoToClicked() {
    if (txtCurrent_Record->text().isEmpty()) {
        refuse(kMsgEnterData, txtCurrent_Record);
        return;
    }
    const auto number = parseInt32(singleLineText(txtCurrent_Record), app_.rules);
    if (!number) {
        refuse(kMsgIncorrectValue, txtCurrent_Record);
        return;
    }
    std::int32_t target = *number;
    if (target > recordCount_ || target < 1) {
        refuse(kMsgNoRecord, txtCurrent_Record);
        target = 1;
    }
    showRecord(target);
}

void RecordEditor::onCmdCreateClicked() {
    // The new number follows the records in the file, not the editor's own count: a creation
    // abandoned earlier must not leave a hole.
    const auto stored = dataFile_.count();
    if (!stored) {
        report(stored.error());
        return;
    }
    if (*stored == std::numeric_limits<std::int32_t>::max()) {
        refuse(kMsgIncorrectValue, cmdCreate);
        return;
    }
    recordCount_ = *stored + 1;
    currentRecord_ = recordCount_;
    currentStored_ = false;
    editMode_ = Mode::Creating;
    clearFields();
    txtCurrent_Record->setText(QString::number(currentRecord_));
    applyMode(editMode_);
    rememberShown();
    typedFields().constFirst()->setFocus();
}

void RecordEditor::onCmdEditClicked() {
    editMode_ = Mode::Editing;
    if (currentRecord_ >= 1 && currentStored_) {
        applyMode(editMode_);
        typedFields().constFirst()->setFocus();
    } else {
        refuse(kMsgCreateRecord, cmdCreate);
    }
}

void RecordEditor::onCmdSaveClicked() {
    const SaveSteps steps = saveSteps();
    const auto numberRefused = [this] {
        if (currentRecord_ >= 1)
            return false;
        refuse(kMsgCreateRecord, cmdCreate);
        return true;
    };
    editMode_ = Mode::Browsing;
    if (!checkPresence())
        return;
    if (steps.numberCheckedFirst && numberRefused())
        return;
    if (!convertFields() || !checkValues())
        return;
    if (!steps.numberCheckedFirst && numberRefused())
        return;
    if (!checkSideFiles() || !buildRecord())
        return;
    if (textsReplaced())
        showMessage(QString::fromLatin1(kMsgReplacedCharacters), this);
    if (!checkRecord() || !writeRecord())
        return;
    currentStored_ = true;
    if (steps.numberShownOnWrite)
        txtCurrent_Record->setText(QString::number(currentRecord_));
    recountRecords();
    // When the side texts cannot be written the record is stored but the screen stays as it
    // is, so that nothing typed is lost and the save can be repeated.
    if (!saveSideTexts())
        return;
    applyMode(editMode_);
    if (steps.recordShownAfter)
        showFields();
    rememberShown();
}

void RecordEditor::exportRecords(std::int32_t first, std::int32_t last) {
    report(zelt::saveRecords(app(), exportKind_, first, last));
}

void RecordEditor::onCmdSaveThisRecordClicked() {
    exportRecords(currentRecord_, currentRecord_);
}

void RecordEditor::onCmdSaveAllRecordsClicked() {
    exportRecords(1, recordCount_);
}

} // namespace zelt
