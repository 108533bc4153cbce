#include "editors/communication_editor.h"

#include "editors/editor_context.h"
#include "editors/field_text.h"
#include "shell/message_table.h"
#include "storage/app_paths.h"
#include "storage/code_page.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/member_count.h"
#include "storage/number_text.h"
#include "storage/side_text.h"
#include "ui/message_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zelt {

namespace {

constexpr CommunicationEditor::Text kTexts[] = {CommunicationEditor::Text::Message,
                                                CommunicationEditor::Text::Response,
                                                CommunicationEditor::Text::Comments};

// The text without the blanks around it.
std::string withoutBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

CommunicationEditor::CommunicationEditor(QWidget* parent)
    : RecordEditor(CommunicationRecord::kLength, RecordKind::Communications, parent) {
    setObjectName(QStringLiteral("frmCommunications"));
    createFields();
    createSearchFrame();
    arrangeWindow();
}

std::string CommunicationEditor::messagePath(Text text, std::int32_t n) {
    const char* prefix = text == Text::Response ? "r" : (text == Text::Comments ? "c" : "");
    return filePath(editorContext().dir, Folder::Comm, prefix + formatInt(n) + ".txt");
}

QPlainTextEdit* CommunicationEditor::fieldOf(Text text) const {
    switch (text) {
    case Text::Message:
        return txtMessage;
    case Text::Response:
        return txtResponce;
    case Text::Comments:
        break;
    }
    return txtComments;
}

void CommunicationEditor::Form_Load() {
    RecordEditor::Form_Load();
}

void CommunicationEditor::Fill_captions() {
    setWindowTitle(QStringLiteral("Communications "));
    lblLabel1->setText(QStringLiteral("Zelt member's ID"));
    lblLabel2->setText(QStringLiteral("Subject"));
    lblLabel3->setText(QStringLiteral("Message"));
    lblLabel6->setText(QStringLiteral("Date"));
    lblLabel8->setText(QStringLiteral("Responce"));
    lblLabel13->setText(QStringLiteral("Date of responce"));
    lblLabel12->setText(QStringLiteral("Comments"));
    frameView->setTitle(QStringLiteral("Search"));
    lblLabel15->setText(QStringLiteral("ID"));
    lblLabel16->setText(QStringLiteral("Subject"));
    lblLabel17->setText(QStringLiteral("Date"));
    lblLabel18->setText(QStringLiteral("Date of responce"));
    cmdDisplay->setText(QStringLiteral("Find"));
    cmdGoTo->setText(QStringLiteral("Go To the record N"));
    cmdCreate->setText(QStringLiteral("Create a new record"));
    cmdEdit->setText(QStringLiteral("Edit this record"));
    cmdSave->setText(QStringLiteral("Save this record"));
    cmdSaveThisRecord->setText(QStringLiteral("Save this record as txt"));
    cmdSaveAllRecords->setText(QStringLiteral("Save all records as txt"));
    filenm = CommunicationRecord::kFileName;
}

void CommunicationEditor::InputFields(bool& fl) {
    for (QWidget* field : std::initializer_list<QWidget*>{txtID, txtSubject, txtMessage, txtDate,
                                                          txtResponce, txtDate_R, txtComments})
        field->setEnabled(fl);
}

QList<QWidget*> CommunicationEditor::Typed_fields() const {
    return {txtID, txtSubject, txtMessage, txtDate, txtResponce, txtComments, txtDate_R};
}

void CommunicationEditor::Clear_frm() {
    for (QLineEdit* field : {txtID, txtSubject, txtDate, txtDate_R, txtCurrent_Record})
        field->clear();
    for (QPlainTextEdit* field : {txtMessage, txtResponce, txtComments})
        field->clear();
}

void CommunicationEditor::To_frm() {
    const CommunicationRecord record = CommunicationRecord::decode(RecordBuffer.data());
    const LocaleRules& rules = editorContext().rules;
    txtID->setText(toQString(formatInt(record.MemberID)));
    txtSubject->setText(toQString(record.Subject));
    txtDate->setText(toQString(formatDate(record.Date, rules)));
    txtDate_R->setText(toQString(formatDate(record.Date_R, rules)));
    // Emptied first: a text of the record shown before must never stay when this record has
    // no file for it, or when its file cannot be read.
    for (QPlainTextEdit* field : {txtMessage, txtResponce, txtComments})
        field->clear();
    txtCurrent_Record->setText(QString::number(CurrentRecord));

    if (!Report(ensureFolder(editorContext().dir, Folder::Comm)))
        return;
    for (const Text text : kTexts) {
        SidePath = messagePath(text, CurrentRecord);
        const auto stored = readSideFile(SidePath);
        if (!stored) {
            Report(stored.error());
            continue;
        }
        setMultiLineText(fieldOf(text), stored->text);
    }
}

void CommunicationEditor::cmdCreate_Click() {
    RecordEditor::cmdCreate_Click();
    // cmdCreate is usable only while nothing is created or edited, so the mode tells whether a
    // new number was allotted (it is not when the file could not be counted).
    if (EditMode != Creating)
        return;
    const QString today = toQString(formatDate(zelt::today(), editorContext().rules));
    txtDate_R->setText(today);
    txtDate->setText(today);
    Remember_shown();
}

void CommunicationEditor::Verify_types(std::int16_t& res) {
    const LocaleRules& rules = editorContext().rules;
    // The stage says which field was being converted when a conversion failed.
    int stage = 0;
    bool converted = parseInt32(singleLineText(txtID), rules).has_value();
    if (converted) {
        stage = 1;
        converted = parseDate(singleLineText(txtDate), rules).has_value();
    }
    if (converted) {
        stage = 2;
        converted = parseDate(singleLineText(txtDate_R), rules).has_value();
    }
    if (converted) {
        res = 1;
        return;
    }
    res = 0;
    QLineEdit* const fields[] = {txtID, txtDate, txtDate_R};
    Refuse(kMsgIncorrectValue, fields[stage]);
}

bool CommunicationEditor::From_frm() {
    const LocaleRules& rules = editorContext().rules;
    CommunicationRecord record;
    const bool subjectKept = Shown.keepsStored(txtSubject);
    const std::string subject = withoutBlanks(singleLineText(txtSubject));
    const std::size_t length = characterCount(subject);
    SubjectCut = !subjectKept && length > CommunicationRecord::kSubjectWidth;
    record.Subject = SubjectCut
                         ? firstCharacters(subject, CommunicationRecord::kSubjectWidth)
                         : subject + std::string(CommunicationRecord::kSubjectWidth - length, ' ');
    const auto member = parseInt32(singleLineText(txtID), rules);
    const auto date = parseDate(singleLineText(txtDate), rules);
    const auto dateR = parseDate(singleLineText(txtDate_R), rules);
    if (!member || !date || !dateR) {
        showMessage(kMsgIncorrectValue, this);
        return false;
    }
    record.MemberID = *member;
    record.Date = *date;
    record.Date_R = *dateR;
    RecordBuffer = record.encode();
    // Fields the operator has not changed keep their stored bytes.
    Shown.keepStored(txtID, RecordBuffer, 0, 4);
    Shown.keepStored(txtSubject, RecordBuffer, 4, CommunicationRecord::kSubjectWidth);
    Shown.keepStored(txtDate, RecordBuffer, 34, 8);
    Shown.keepStored(txtDate_R, RecordBuffer, 42, 8);
    if (SubjectCut)
        showMessage(QString::fromLatin1(kMsgTruncated), this);
    // The subject as stored, with "?" where a character could not be stored.
    SubjectReplaced = !subjectKept && encodeCp1252(record.Subject).replaced;
    if (!subjectKept)
        txtSubject->setText(toQString(CommunicationRecord::decode(RecordBuffer.data()).Subject));
    return true;
}

bool CommunicationEditor::Check_presence() {
    for (QLineEdit* field : {txtID, txtSubject}) {
        if (field->text().isEmpty()) {
            Refuse(kMsgEnterData, field);
            return false;
        }
    }
    return true;
}

bool CommunicationEditor::Check_side_files() {
    // A message file that is there but cannot be read is never replaced by a save: its text
    // may not be what the field shows. Only the files this save writes are asked.
    for (const Text text : kTexts) {
        if (fieldOf(text)->toPlainText().isEmpty() || Shown.keepsStored(fieldOf(text)))
            continue;
        const auto stored = readSideText(messagePath(text, CurrentRecord));
        if (!stored) {
            Report(stored.error());
            return false;
        }
    }
    return true;
}

bool CommunicationEditor::Texts_replaced() const {
    if (SubjectReplaced)
        return true;
    for (const Text text : kTexts)
        if (!Shown.keepsStored(fieldOf(text)) &&
            encodeCp1252(multiLineText(fieldOf(text))).replaced)
            return true;
    return false;
}

bool CommunicationEditor::Save_side_texts() {
    if (!Report(ensureFolder(editorContext().dir, Folder::Comm)))
        return false;
    // An empty text writes nothing and removes nothing: an earlier file of it stays. A text the
    // operator has not changed is not written again.
    for (const Text text : kTexts) {
        const QPlainTextEdit* field = fieldOf(text);
        if (field->toPlainText().isEmpty() || Shown.keepsStored(field))
            continue;
        SideText = multiLineText(field);
        SidePath = messagePath(text, CurrentRecord);
        if (!Report(writeSideText(SidePath, SideText)))
            return false;
    }
    return true;
}

void CommunicationEditor::cmdSave_Click() {
    EditMode = Browsing;
    if (!Check_presence())
        return;
    if (CurrentRecord < 1) {
        Refuse(kMsgCreateRecord, cmdCreate);
        return;
    }
    std::int16_t res = 0;
    Verify_types(res);
    if (res == 0)
        return;
    if (!Check_side_files())
        return;
    if (!From_frm())
        return;
    if (Texts_replaced())
        showMessage(QString::fromLatin1(kMsgReplacedCharacters), this);
    if (!Write_record())
        return;
    CurrentStored = true;
    Recount_records();
    // When a message file cannot be written the record is stored but the screen stays as it
    // is, so that nothing typed is lost and the save can be repeated.
    if (!Save_side_texts())
        return;
    Enabled_frm(EditMode);
    Remember_shown();
}

} // namespace zelt
