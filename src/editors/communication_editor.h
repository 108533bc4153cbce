#pragma once

#include "editors/record_editor.h"
#include "storage/communication_record.h"

#include <cstdint>
#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace zelt {

// The communication editor frmCommunications: one exchange with a member per record of
// "communications.kvr" (member, subject, date of the message, date of the response), with the
// message, the response and the comments each in a file of its own in "comm" (<n>.txt,
// r<n>.txt, c<n>.txt, n the record number). The window holds the search by member, subject and
// dates.
class CommunicationEditor : public RecordEditor {
    Q_OBJECT

public:
    explicit CommunicationEditor(const AppContext& app, QWidget* parent = nullptr);

    // Offers today's date in both date fields of the new record.
    void onCmdCreateClicked() override;
    // The search by member, subject and dates.
    void onCmdDisplayClicked() override;

    // The three long texts of a record.
    // <dir>/comm/<n>.txt, r<n>.txt or c<n>.txt
    std::string messagePath(SideText text, std::int32_t n) const;

protected:
    void fillCaptions() override;
    void showFields() override;
    void clearFields() override;
    void setFieldsEnabled(bool enabled) override;
    QList<QWidget*> typedFields() const override;
    bool checkPresence() override;
    bool convertFields() override;
    bool checkSideFiles() override;
    bool buildRecord() override;
    bool textsReplaced() const override;
    bool saveSideTexts() override;
    // No further checks than presence and conversion, and the fields keep the text as typed
    // afterwards (only the subject is shown as stored).
    SaveSteps saveSteps() const override;

private:
    void arrangeWindow();
    QPlainTextEdit* fieldOf(SideText text) const;

    // The values the last conversion took from the fields.
    CommunicationRecord typed_;
    // Set by buildRecord when a character of the subject could not be stored and became "?".
    bool subjectReplaced_ = false;

    QLineEdit* txtID;
    QLineEdit* txtSubject;
    QPlainTextEdit* txtMessage;
    QLineEdit* txtDate;
    QPlainTextEdit* txtResponce;
    QLineEdit* txtDate_R;
    QPlainTextEdit* txtComments;

    QLineEdit* txtSID;
    QLineEdit* txtSsubject;
    QLineEdit* txtSdate;
    QLineEdit* txtSdate_r;
};

} // namespace zelt
