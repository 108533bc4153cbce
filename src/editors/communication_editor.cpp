#include "editors/communication_editor.h"

#include "editors/field_text.h"
#include "shell/message_table.h"
#include "storage/app_context.h"
#include "storage/app_paths.h"
#include "storage/code_page.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/member_count.h"
#include "storage/member_rules.h"
#include "storage/number_text.h"
#include "storage/record_kind.h"
#include "storage/side_text.h"
#include "ui/message_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zelt {

namespace {

constexpr SideText kTexts[] = {SideText::Message, SideText::Response, SideText::Comments};

} // namespace

CommunicationEditor::CommunicationEditor(const AppContext& app, QWidget* parent)
    : RecordEditor(app, CommunicationRecord::kLength, RecordKind::Communications, parent) {
    setObjectName(QStringLiteral("frmCommunications"));
    arrangeWindow();
}

std::string CommunicationEditor::messagePath(SideText text, std::int32_t n) const {
    return sideFilePath(app().dir, RecordKind::Communications, text, n);
}

QPlainTextEdit* CommunicationEditor::fieldOf(SideText text) const {
    switch (text) {
    case SideText::Message:
        return txtMessage;
    case SideText::Response:
        return txtResponce;
    case SideText::Comments:
    case SideText::AdditionalInfo:
        break;
    }
    return txtComments;
}

void CommunicationEditor::fillCaptions() {
    setWindowTitle(QStringLiteral("Communications "));
    cmdGoTo->setText(QStringLiteral("Go To the record N"));
    fileName_ = CommunicationRecord::kFileName;
}

void CommunicationEditor::setFieldsEnabled(bool enabled) {
    for (QWidget* field : std::initializer_list<QWidget*>{txtID, txtSubject, txtMessage, txtDate,
                                                          txtResponce, txtDate_R, txtComments})
        field->setEnabled(enabled);
}

QList<QWidget*> CommunicationEditor::typedFields() const {
    return {txtID, txtSubject, txtMessage, txtDate, txtResponce, txtComments, txtDate_R};
}

void CommunicationEditor::clearFields() {
    for (QLineEdit* field : {txtID, txtSubject, txtDate, txtDate_R, txtCurrent_Record})
        field->clear();
    for (QPlainTextEdit* field : {txtMessage, txtResponce, txtComments})
        field->clear();
}

void CommunicationEditor::showFields() {
    const CommunicationRecord record = CommunicationRecord::decode(recordBuffer_.data());
    const LocaleRules& rules = app().rules;
    txtID->setText(toQString(formatInt(record.MemberID)));
    txtSubject->setText(toQString(record.Subject));
    txtDate->setText(toQString(formatDate(record.Date, rules)));
    txtDate_R->setText(toQString(formatDate(record.Date_R, rules)));
    // Emptied first: a text of the record shown before must never stay when this record has
    // no file for it, or when its file cannot be read.
    for (QPlainTextEdit* field : {txtMessage, txtResponce, txtComments})
        field->clear();
    txtCurrent_Record->setText(QString::number(currentRecord_));

    if (!report(ensureFolder(app().dir, Folder::Comm)))
        return;
    for (const SideText text : kTexts)
        showSideFile(fieldOf(text), messagePath(text, currentRecord_));
}

void CommunicationEditor::onCmdCreateClicked() {
    RecordEditor::onCmdCreateClicked();
    // cmdCreate is usable only while nothing is created or edited, so the mode tells whether a
    // new number was allotted (it is not when the file could not be counted).
    if (editMode_ != Mode::Creating)
        return;
    const QString today = toQString(formatDate(zelt::today(), app().rules));
    txtDate_R->setText(today);
    txtDate->setText(today);
    rememberShown();
}

bool CommunicationEditor::convertFields() {
    const auto member = typedInt32(txtID);
    if (!member)
        return false;
    const auto date = typedDate(txtDate);
    if (!date)
        return false;
    const auto dateR = typedDate(txtDate_R);
    if (!dateR)
        return false;
    typed_.MemberID = *member;
    typed_.Date = *date;
    typed_.Date_R = *dateR;
    return true;
}

bool CommunicationEditor::buildRecord() {
    CommunicationRecord record = typed_;
    const bool subjectKept = shown_.keepsStored(txtSubject);
    const std::string subject = withoutBlanks(singleLineText(txtSubject));
    const std::size_t length = characterCount(subject);
    const bool subjectCut = !subjectKept && length > CommunicationRecord::kSubjectWidth;
    record.Subject = subjectCut
                         ? firstCharacters(subject, CommunicationRecord::kSubjectWidth)
                         : subject + std::string(CommunicationRecord::kSubjectWidth - length, ' ');
    recordBuffer_ = record.encode();
    // Fields the operator has not changed keep their stored bytes.
    shown_.keepStored(txtID, recordBuffer_, 0, 4);
    shown_.keepStored(txtSubject, recordBuffer_, 4, CommunicationRecord::kSubjectWidth);
    shown_.keepStored(txtDate, recordBuffer_, 34, 8);
    shown_.keepStored(txtDate_R, recordBuffer_, 42, 8);
    if (subjectCut)
        showMessage(QString::fromLatin1(kMsgTruncated), this);
    // The subject as stored, with "?" where a character could not be stored.
    subjectReplaced_ = !subjectKept && encodeCp1252(record.Subject).replaced;
    if (!subjectKept)
        txtSubject->setText(toQString(CommunicationRecord::decode(recordBuffer_.data()).Subject));
    return true;
}

bool CommunicationEditor::checkPresence() {
    for (QLineEdit* field : {txtID, txtSubject}) {
        if (field->text().isEmpty()) {
            refuse(kMsgEnterData, field);
            return false;
        }
    }
    return true;
}

bool CommunicationEditor::checkSideFiles() {
    // A message file that is there but cannot be read is never replaced by a save: its text
    // may not be what the field shows. Only the files this save writes are asked.
    for (const SideText text : kTexts) {
        if (fieldOf(text)->toPlainText().isEmpty() || shown_.keepsStored(fieldOf(text)))
            continue;
        if (!sideFileReadable(messagePath(text, currentRecord_)))
            return false;
    }
    return true;
}

bool CommunicationEditor::textsReplaced() const {
    if (subjectReplaced_)
        return true;
    for (const SideText text : kTexts)
        if (!shown_.keepsStored(fieldOf(text)) &&
            encodeCp1252(multiLineText(fieldOf(text))).replaced)
            return true;
    return false;
}

bool CommunicationEditor::saveSideTexts() {
    if (!report(ensureFolder(app().dir, Folder::Comm)))
        return false;
    // An empty text writes nothing and removes nothing: an earlier file of it stays. A text the
    // operator has not changed is not written again.
    for (const SideText text : kTexts)
        if (!writeChangedSideText(fieldOf(text), messagePath(text, currentRecord_)))
            return false;
    return true;
}

RecordEditor::SaveSteps CommunicationEditor::saveSteps() const {
    return {.numberCheckedFirst = true, .numberShownOnWrite = false, .recordShownAfter = false};
}

} // namespace zelt
