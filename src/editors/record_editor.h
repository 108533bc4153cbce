#pragma once

#include "editors/shown_record.h"
#include "export/text_export.h"
#include "storage/fs_error.h"
#include "storage/record_file.h"

#include <QWidget>

#include <cstdint>
#include <string>

class QGroupBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace zelt {

// The controller of one editor window and its data file: shows one record at a time, moves
// between records, creates a record at the end of the file, edits and saves the shown record,
// exports records as text, and on closing copies the data file to the backup folder.
//
// An editor derives from it and supplies its fields: Fill_captions (which sets filenm),
// InputFields, To_frm, From_frm, Clear_frm, Verify_types and the checks of its save. Editors that
// differ further override Enabled_frm, cmdSave_Click, cmdCreate_Click or Form_Load; the steps of
// the framework are protected members they can reuse.
//
// The window is built by the constructor; the factory runs Form_Load before showing it.
class RecordEditor : public QWidget {
    Q_OBJECT

public:
    enum Mode : std::int16_t { NoRecord = 0, Creating = 1, Editing = 2, Browsing = 3 };

    RecordEditor(int recordLength, RecordKind exportKind, QWidget* parent = nullptr);
    ~RecordEditor() override;

    // Opening: captions, the data folder, the data file, the last record, the enable states.
    virtual void Form_Load();
    // Closing: closes the data file and copies it to the backup folder. Runs once, when the
    // window closes.
    virtual void Form_Unload();

    std::int16_t editMode() const { return EditMode; }
    std::int32_t currentRecord() const { return CurrentRecord; }
    std::int32_t recordCount() const { return RecordCount; }
    const std::string& fileName() const { return filenm; }
    // Whether Form_Load opened the data file: a window whose load failed (or that found no
    // payment scheme) holds no file and can only be closed.
    bool isLoaded() const { return DataFile.isOpen(); }

    // The editor's operations (each editor supplies or changes them).
    virtual void Fill_captions() = 0;
    virtual void Verify_types(std::int16_t& res) = 0;
    // Converts the fields into RecordBuffer; false when a conversion failed (reported).
    virtual bool From_frm() = 0;
    // Shows RecordBuffer and CurrentRecord, with the record's side texts.
    virtual void To_frm() = 0;
    virtual void Clear_frm() = 0;
    virtual void Enabled_frm(std::int16_t& mode);
    virtual void InputFields(bool& fl) = 0;
    virtual void Navigation(bool& fl);
    // Text export of the records first..last of the data file.
    virtual void save_records(std::int32_t first, std::int32_t last);

    // A row chosen in the search grid (double click or Enter), by the text of its column 0:
    // shows that record and returns to browsing. While a record is created or edited with
    // typed changes the operator is asked first whether to discard them; on No nothing
    // changes. A text that is no record number of the file gives MsgNoRecord and changes
    // nothing.
    void Choose_row(const QString& column0Text);

    // Button handlers.
    virtual void cmdFirst_Click();
    virtual void cmdPrevious_Click();
    virtual void cmdNext_Click();
    virtual void cmdLast_Click();
    virtual void cmdGoTo_Click();
    virtual void cmdCreate_Click();
    virtual void cmdEdit_Click();
    virtual void cmdSave_Click();
    virtual void cmdSaveThisRecord_Click();
    virtual void cmdSaveAllRecords_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

    // The steps of cmdSave that differ between editors. Each refusal shows its message, puts
    // the focus on the field and returns false.
    virtual bool Check_presence() = 0; // empty required fields
    virtual bool Check_values() { return true; }
    // Side files of CurrentRecord that the save will write: refuses when one exists but cannot
    // be read (it is never overwritten then).
    virtual bool Check_side_files() { return true; }
    // True when a text about to be stored holds characters the code page cannot store.
    virtual bool Texts_replaced() const { return false; }
    // Writes the side texts of CurrentRecord; false after reporting a failure.
    virtual bool Save_side_texts() { return true; }
    // Shows a record number with no stored record: empty fields under its number.
    virtual void Show_no_record();
    // Disables every control that reads or writes the data file (the window can only be
    // closed); for a window whose data file could not be opened.
    virtual void Disable_editor();

    // The fields the operator types into, in input order (the first receives the focus when
    // a record is created or edited).
    virtual QList<QWidget*> Typed_fields() const = 0;
    // Takes the fields as they are now as the record shown (after showing, creating, saving).
    void Remember_shown();
    // True when nothing typed is at stake, or the operator agrees to discard it: asked while a
    // record is created or edited and a field differs from what was shown.
    bool Discard_typed();
    // Reads record n and shows it (or shows that it has no stored record); on a failed read
    // reports it and changes nothing. Returns whether it was read.
    bool Show_record(std::int32_t n);
    // Writes RecordBuffer as record CurrentRecord; reports a failure.
    bool Write_record();
    // RecordCount = the number of records in the data file; reports a failure.
    bool Recount_records();
    // Shows a message and moves the focus to the field (none when null).
    void Refuse(const std::string& message, QWidget* focus);
    // Shows a file-system failure.
    void Report(const FsError& error);
    bool Report(const Status& status);
    // <AppDir>/data/<filenm>
    std::string dataFilePath() const;
    // The navigation group, create, edit, save and the two export buttons, in the order the
    // keyboard focus visits them (the window's last stop).
    QList<QWidget*> recordControls() const;
    // The bar along the bottom of the window: the frame frmNavigation, the two export buttons
    // to its right.
    QLayout* recordBar();

    // State.
    std::string filenm;
    std::int16_t EditMode = NoRecord;
    std::int32_t CurrentRecord = 0;
    std::int32_t RecordCount = 0;
    RecordFile DataFile;
    RecordBytes RecordBuffer;
    // Whether CurrentRecord has a record stored in the file (false for a number allotted by
    // cmdCreate and not yet saved).
    bool CurrentStored = false;
    // Set when the load failed on the file system: closing then backs nothing up. (A load that
    // stopped on purpose, as the member editor's without payment schemes, still backs up an
    // existing data file at closing.)
    bool LoadFailed = false;
    // The record as shown, against which a save tells the fields the operator changed.
    ShownRecord Shown;

    // Controls common to the editors, named as the controls they are.
    QGroupBox* frmNavigation;
    QPushButton* cmdFirst;
    QPushButton* cmdPrevious;
    QPushButton* cmdNext;
    QPushButton* cmdLast;
    QLineEdit* txtCurrent_Record;
    QPushButton* cmdGoTo;
    QPushButton* cmdCreate;
    QPushButton* cmdEdit;
    QPushButton* cmdSave;
    QPushButton* cmdSaveThisRecord;
    QPushButton* cmdSaveAllRecords;
    // The grid inside frmNavigation: row 0 the navigation group; editors may add rows.
    QGridLayout* navigationLayout;

private:
    void createControls();

    const int recordLength_;
    const RecordKind exportKind_;
    bool unloaded_ = false;
};

} // namespace zelt
