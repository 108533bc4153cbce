#pragma once

#include "editors/shown_record.h"
#include "export/text_export.h"
#include "storage/app_context.h"
#include "storage/fs_error.h"
#include "storage/record_file.h"
#include "ui/busy_pointer.h"
#include "ui/grid_view.h"

#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

class QGroupBox;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zelt {

// The controller of one editor window and its data file: shows one record at a time, moves
// between records, creates a record at the end of the file, edits and saves the shown record,
// exports records as text, and on closing copies the data file to the backup folder.
//
// An editor derives from it and supplies its fields: fillCaptions (which sets the file name),
// setFieldsEnabled, showFields, clearFields and the steps of its save (checkPresence,
// convertFields, buildRecord and the optional checks). Editors that differ further override
// applyMode, onCmdCreateClicked or load; the steps of the framework are protected members they
// can reuse.
//
// The window is built by the constructor; the factory runs load() before showing it.
class RecordEditor : public QWidget {
    Q_OBJECT

public:
    // What the window is doing; the numbers are the ones the enable table is written in.
    enum class Mode : std::int16_t { NoRecord = 0, Creating = 1, Editing = 2, Browsing = 3 };
    Q_ENUM(Mode)

    RecordEditor(const AppContext& app, int recordLength, RecordKind exportKind,
                 QWidget* parent = nullptr);
    ~RecordEditor() override;

    // Opening: captions, the data folder, the data file, the last record, the enable states.
    virtual void load();
    // Closing: closes the data file and copies it to the backup folder. Runs once, when the
    // window closes.
    virtual void unload();

    Mode editMode() const { return editMode_; }
    std::int32_t currentRecord() const { return currentRecord_; }
    std::int32_t recordCount() const { return recordCount_; }
    const std::string& fileName() const { return fileName_; }
    // The program's folder and conversion rules.
    const AppContext& app() const { return app_; }
    // Whether load() opened the data file: a window whose load failed (or that found no
    // payment scheme) holds no file and can only be closed.
    bool isLoaded() const { return dataFile_.isOpen(); }

    // A row chosen in the search grid (double click or Enter), by the text of its column 0:
    // shows that record and returns to browsing. While a record is created or edited with
    // typed changes the operator is asked first whether to discard them; on No nothing
    // changes. A text that is no record number of the file gives MsgNoRecord and changes
    // nothing.
    void chooseRow(const QString& column0Text);

public slots:
    void onCmdFirstClicked();
    void onCmdPreviousClicked();
    void onCmdNextClicked();
    void onCmdLastClicked();
    void onCmdGoToClicked();
    virtual void onCmdCreateClicked();
    void onCmdEditClicked();
    // The save: the presence checks, the conversion of the typed values, the value checks,
    // the record, the write, the side texts and the record shown again, each step refusing
    // with its message.
    void onCmdSaveClicked();
    void onCmdSaveThisRecordClicked();
    void onCmdSaveAllRecordsClicked();
    // The search of the editors that have a search frame.
    virtual void onCmdDisplayClicked() {}

protected:
    void closeEvent(QCloseEvent* event) override;

    // The window's own captions (the record buttons have the common ones from the start) and
    // the data file's name.
    virtual void fillCaptions() = 0;
    // Shows recordBuffer_ and currentRecord_, with the record's side texts.
    virtual void showFields() = 0;
    virtual void clearFields() = 0;
    // The enable states of the mode.
    virtual void applyMode(Mode mode);
    virtual void setFieldsEnabled(bool enabled) = 0;
    void setNavigationEnabled(bool enabled);
    // Text export of the records first..last of the data file.
    void exportRecords(std::int32_t first, std::int32_t last);

    // The steps of a save that differ between editors, in the order the save takes them. Each
    // refusal shows its message, puts the focus on the field and returns false.
    virtual bool checkPresence() = 0; // empty required fields
    // Converts every typed value once, in input order, keeping the values for buildRecord; the
    // first that does not convert is refused.
    virtual bool convertFields() = 0;
    virtual bool checkValues() { return true; }
    // Side files of currentRecord_ that the save will write: refuses when one exists but cannot
    // be read (it is never overwritten then).
    virtual bool checkSideFiles() { return true; }
    // Puts the converted record into recordBuffer_ (fields the operator has not changed keep
    // their stored bytes) and shows what the operator should know about the values stored;
    // false after reporting a failure.
    virtual bool buildRecord() = 0;
    // True when a text about to be stored holds characters the code page cannot store.
    virtual bool textsReplaced() const { return false; }
    // Checks of the built record before it is written.
    virtual bool checkRecord() { return true; }
    // Writes the side texts of currentRecord_; false after reporting a failure.
    virtual bool saveSideTexts() { return true; }

    // Where the editors' saves differ in shape.
    struct SaveSteps {
        // The record number is checked right after the presence checks (else after the value
        // checks).
        bool numberCheckedFirst = false;
        // The record number box shows the number as soon as the record is written.
        bool numberShownOnWrite = true;
        // The fields show the record as stored after the save (else they keep what was typed).
        bool recordShownAfter = true;
    };
    virtual SaveSteps saveSteps() const { return {}; }

    // Shows a record number with no stored record: empty fields under its number.
    virtual void showNoRecord();
    // Disables every control that reads or writes the data file (the window can only be
    // closed); for a window whose data file could not be opened.
    virtual void disableEditor();

    // The fields the operator types into, in input order (the first receives the focus when
    // a record is created or edited).
    virtual QList<QWidget*> typedFields() const = 0;
    // Takes the fields as they are now as the record shown (after showing, creating, saving).
    void rememberShown();
    // True when nothing typed is at stake, or the operator agrees to discard it: asked while a
    // record is created or edited and a field differs from what was shown.
    bool discardTyped();
    // Reads record n and shows it (or shows that it has no stored record); on a failed read
    // reports it and changes nothing. Returns whether it was read.
    bool showRecord(std::int32_t n);
    // Writes recordBuffer_ as record currentRecord_; reports a failure.
    bool writeRecord();
    // recordCount_ = the number of records in the data file; reports a failure.
    bool recountRecords();
    // The value typed into a field, for convertFields: a text that is no such value is refused
    // with MsgIncorrectValue and the focus on `focus` (the field itself when null).
    std::optional<std::int32_t> typedInt32(QLineEdit* field, QWidget* focus = nullptr);
    std::optional<std::int16_t> typedInt16(QLineEdit* field, QWidget* focus = nullptr);
    std::optional<float> typedSingle(QLineEdit* field, QWidget* focus = nullptr);
    std::optional<double> typedDate(QLineEdit* field, QWidget* focus = nullptr);
    // Shows a message and moves the focus to the field (none when null).
    void refuse(const std::string& message, QWidget* focus);
    // Shows a file-system failure.
    void report(const FsError& error);
    bool report(const Status& status);
    // <dir>/data/<file name>
    std::string dataFilePath() const;

    // The side files of a record's multi-line texts.
    // Shows the side file in the field and remembers its bytes as shown (none when it is
    // missing); a file that cannot be read is reported, leaves the field empty and gives false.
    bool showSideFile(QPlainTextEdit* field, const std::string& path);
    // False after reporting a side file that exists but cannot be read.
    bool sideFileReadable(const std::string& path);
    // Writes the field's text to its side file unless it is empty or unchanged (an earlier file
    // then stays); false after reporting a failure.
    bool writeChangedSideText(const QPlainTextEdit* field, const std::string& path);

    // The navigation group, create, edit, save and the two export buttons, in the order the
    // keyboard focus visits them (the window's last stop).
    QList<QWidget*> recordControls() const;
    // The bar along the bottom of the window: the frame frmNavigation, the two export buttons
    // to its right.
    QLayout* recordBar();

    // Runs a search of the search frame and shows its outcome: the records found in MSFGView, a
    // failed read reported with the focus on errorFocus. The busy pointer covers the search
    // alone and is gone before any message. Returns the outcome's kind, for the refusals of the
    // editor's own filters.
    template <class Search> auto runSearch(Search search, QWidget* errorFocus) {
        auto outcome = [&] {
            const BusyPointer busy(cmdDisplay, this);
            return search();
        }();
        using Kind = decltype(outcome.kind);
        if (outcome.kind == Kind::Listed) {
            MSFGView->setTable(std::move(outcome.table));
        } else if (outcome.kind == Kind::FileError) {
            report(outcome.error);
            errorFocus->setFocus();
        }
        return outcome.kind;
    }

    // Lays out a window with a search frame: the fields left of the frame (their widths 2 to
    // searchStretch), above the bar (recordBar or one made from it).
    void arrangeWithSearch(QLayout* fields, int searchStretch, QLayout* bar);

    // One filter of a search frame: a caption above its field.
    struct SearchFilter {
        const char* labelName;
        const char* caption;
        const char* fieldName;
    };
    // Builds the frame frameView: the filters side by side (sharing the frame's width when
    // stretched), cmdDisplay right of the last, the grid MSFGView below them all. cmdDisplay and
    // Enter in a filter run onCmdDisplayClicked; a row chosen in the grid runs chooseRow.
    // Returns the filter fields.
    QList<QLineEdit*> createSearchFrame(std::initializer_list<SearchFilter> filters,
                                        bool stretchFilters);

    // State.
    std::string fileName_;
    Mode editMode_ = Mode::NoRecord;
    std::int32_t currentRecord_ = 0;
    std::int32_t recordCount_ = 0;
    RecordFile dataFile_;
    RecordBytes recordBuffer_;
    // Whether currentRecord_ has a record stored in the file (false for a number allotted by
    // cmdCreate and not yet saved).
    bool currentStored_ = false;
    // Set when the load failed on the file system: closing then backs nothing up. (A load that
    // stopped on purpose, as the member editor's without payment schemes, still backs up an
    // existing data file at closing.)
    bool loadFailed_ = false;
    // The record as shown, against which a save tells the fields the operator changed.
    ShownRecord shown_;

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
    QGridLayout* navigationLayout_;
    // The search frame, of the editors that have one (null otherwise).
    QGroupBox* frameView = nullptr;
    QPushButton* cmdDisplay = nullptr;
    GridView* MSFGView = nullptr;

private:
    void createControls();
    // Refuses an unconverted field (see typedInt32); true when it did.
    bool refusedUnless(bool converted, QLineEdit* field, QWidget* focus);

    const AppContext app_;
    const int recordLength_;
    const RecordKind exportKind_;
    bool unloaded_ = false;
};

} // namespace zelt
