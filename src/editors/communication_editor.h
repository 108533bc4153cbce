#pragma once

#include "editors/record_editor.h"

#include <cstdint>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zelt {

class GridView;

// The communication editor frmCommunications: one exchange with a member per record of
// "communications.kvr" (member, subject, date of the message, date of the response), with the
// message, the response and the comments each in a file of its own in "comm" (<n>.txt,
// r<n>.txt, c<n>.txt, n the record number). The window holds the search by member, subject and
// dates.
class CommunicationEditor : public RecordEditor {
    Q_OBJECT

public:
    explicit CommunicationEditor(QWidget* parent = nullptr);

    // Sets the shared messages again, then opens as every editor does.
    void Form_Load() override;

    void Fill_captions() override;
    void Verify_types(std::int16_t& res) override;
    bool From_frm() override;
    void To_frm() override;
    void Clear_frm() override;
    void InputFields(bool& fl) override;

    // Offers today's date in both date fields of the new record.
    void cmdCreate_Click() override;
    // This editor's own save: no further checks than presence and conversion, and the fields
    // keep the text as typed afterwards (only the subject is shown as stored).
    void cmdSave_Click() override;

    // The search (cmdDisplay) and the grid's row choice.
    void cmdDisplay_Click();
    void MSFGView_RowChosen(const QString& column0Text);

    // The three long texts of a record.
    enum class Text { Message, Response, Comments };
    // <AppDir>/comm/<n>.txt, r<n>.txt or c<n>.txt
    static std::string messagePath(Text text, std::int32_t n);

protected:
    QList<QWidget*> Typed_fields() const override;
    bool Check_presence() override;
    bool Check_side_files() override;
    bool Texts_replaced() const override;
    bool Save_side_texts() override;
    void Disable_editor() override;

private:
    void createFields();
    void createSearchFrame();
    void arrangeWindow();
    QPlainTextEdit* fieldOf(Text text) const;

    std::string SidePath;
    std::string SideText;
    // Set by From_frm when the subject was longer than its 30 characters.
    bool SubjectCut = false;
    // Set by From_frm when a character of the subject could not be stored and became "?".
    bool SubjectReplaced = false;

    QLabel* lblLabel1;
    QLineEdit* txtID;
    QLabel* lblLabel2;
    QLineEdit* txtSubject;
    QLabel* lblLabel3;
    QPlainTextEdit* txtMessage;
    QLabel* lblLabel6;
    QLineEdit* txtDate;
    QLabel* lblLabel8;
    QPlainTextEdit* txtResponce;
    QLabel* lblLabel13;
    QLineEdit* txtDate_R;
    QLabel* lblLabel12;
    QPlainTextEdit* txtComments;

    QGroupBox* frameView;
    QLabel* lblLabel15;
    QLineEdit* txtSID;
    QLabel* lblLabel16;
    QLineEdit* txtSsubject;
    QLabel* lblLabel17;
    QLineEdit* txtSdate;
    QLabel* lblLabel18;
    QLineEdit* txtSdate_r;
    QPushButton* cmdDisplay;
    GridView* MSFGView;
};

} // namespace zelt
