#include "editors/member_editor.h"

#include "editors/editor_context.h"
#include "editors/field_text.h"
#include "shell/message_table.h"
#include "storage/app_paths.h"
#include "storage/date_text.h"
#include "storage/member_count.h"
#include "storage/member_record.h"
#include "storage/number_text.h"
#include "storage/scheme_record.h"
#include "storage/side_text.h"
#include "ui/message_box.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include <algorithm>

namespace zelt {

namespace {
// Scheme numbers are 16-bit: a longer scheme file offers no more than these.
constexpr std::int32_t kMostSchemes = 32767;
} // namespace

MemberEditor::MemberEditor(QWidget* parent)
    : RecordEditor(MemberRecord::kLength, RecordKind::Members, parent) {
    setObjectName(QStringLiteral("frmAffiliates"));
    createFields();
    createSearchFrame();
    arrangeWindow();
}

std::string MemberEditor::sidePathOf(std::int32_t n) {
    return filePath(editorContext().dir, Folder::Addinfo, formatInt(n) + ".txt");
}

void MemberEditor::Fill_captions() {
    setWindowTitle(QStringLiteral("Members "));
    lblLabel1->setText(QStringLiteral("Name"));
    lblLabel2->setText(QStringLiteral("Surname"));
    lblLabel3->setText(QStringLiteral("Street"));
    lblLabel4->setText(QStringLiteral("City"));
    lblLabel5->setText(QStringLiteral("Post Cod"));
    lblLabel6->setText(QStringLiteral("Country"));
    lblLabel7->setText(QStringLiteral("Phone"));
    lblLabel8->setText(QStringLiteral("E-mail"));
    lblLabel9->setText(QStringLiteral("URL"));
    lblLabel10->setText(QStringLiteral("Member's ID"));
    lblLabel11->setText(QStringLiteral("Reference's ID"));
    lblLabel12->setText(QStringLiteral("Additional Info"));
    lblLabel13->setText(QStringLiteral("Date"));
    lblLabel14->setText(QStringLiteral("Level"));
    Label1->setText(QStringLiteral("Egold's ID"));
    Label3->setText(QStringLiteral("Payment Scheme"));
    cmdCreate->setText(QStringLiteral("Create a new record"));
    cmdEdit->setText(QStringLiteral("Edit this record"));
    cmdSave->setText(QStringLiteral("Save this record"));
    cmdGoTo->setText(QStringLiteral("Go To the record N"));
    cmdSaveThisRecord->setText(QStringLiteral("Save this record as txt"));
    cmdSaveAllRecords->setText(QStringLiteral("Save all records as txt"));
    cmdDisplay->setText(QStringLiteral("Find"));
    frameView->setTitle(QStringLiteral("Search"));
    lblLabel15->setText(QStringLiteral("Name"));
    lblLabel16->setText(QStringLiteral("Surname"));
    lblLabel17->setText(QStringLiteral("E-mail"));
    lblLabel18->setText(QStringLiteral("Reference's ID"));
    Label2->setText(QStringLiteral("Egold's ID"));
    filenm = MemberRecord::kFileName;
}

std::int32_t MemberEditor::countSchemes() {
    auto schemes =
        RecordFile::open(filePath(editorContext().dir, Folder::Data, SchemeRecord::kFileName),
                         SchemeRecord::kLength);
    if (!schemes) {
        Report(schemes.error());
        return -1;
    }
    const auto count = schemes->count();
    schemes->close();
    if (!count) {
        Report(count.error());
        return -1;
    }
    return *count;
}

void MemberEditor::Form_Load() {
    Fill_captions();
    if (!Report(ensureFolder(editorContext().dir, Folder::Data))) {
        LoadFailed = true;
        Disable_editor();
        return;
    }
    const std::int32_t schemes = countSchemes();
    if (schemes < 0) {
        LoadFailed = true;
        Disable_editor();
        return;
    }
    if (schemes == 0) {
        // Without a scheme no member can be stored: the members file is not opened, and the
        // window can only be closed.
        showMessage(kMsgCreateSchemes, this);
        Disable_editor();
        return;
    }
    QStringList numbers;
    const std::int32_t offered = std::min(schemes, kMostSchemes);
    numbers.reserve(offered);
    for (std::int32_t n = 1; n <= offered; ++n)
        numbers.append(QString::number(n));
    cmbAP_ID->addItems(numbers);
    cmbAP_ID->setCurrentIndex(-1);
    cmbAP_ID->clearEditText();
    RecordEditor::Form_Load();
}

void MemberEditor::InputFields(bool& fl) {
    for (QWidget* field : std::initializer_list<QWidget*>{
             txtName, txtSurname, txtStreet, txtCity, txtPost_Cod, txtCountry, txtPhone, txtE_mail,
             txtURL, txtRef_ID, txtAdditional_Info, txtDate, txtEgold_ID, cmbAP_ID})
        field->setEnabled(fl);
    txtAffiliateID->setEnabled(false);
    txtLevel->setEnabled(false);
}

QList<QWidget*> MemberEditor::Typed_fields() const {
    return {txtName,   txtSurname, txtStreet, txtCity, txtPost_Cod, txtCountry, txtPhone,
            txtE_mail, txtURL,     txtRef_ID, txtDate, txtEgold_ID, cmbAP_ID,   txtAdditional_Info};
}

void MemberEditor::Clear_frm() {
    for (QLineEdit* field :
         {txtName, txtSurname, txtStreet, txtCity, txtPost_Cod, txtCountry, txtPhone, txtE_mail,
          txtURL, txtAffiliateID, txtRef_ID, txtDate, txtLevel, txtEgold_ID, txtCurrent_Record})
        field->clear();
    txtAdditional_Info->clear();
    cmbAP_ID->setCurrentIndex(-1);
    cmbAP_ID->clearEditText();
}

void MemberEditor::Show_no_record() {
    Clear_frm();
    txtCurrent_Record->setText(QString::number(CurrentRecord));
    txtAffiliateID->setText(QString::number(CurrentRecord));
    updateTreeButton();
}

void MemberEditor::cmdCreate_Click() {
    RecordEditor::cmdCreate_Click();
    if (EditMode != Creating)
        return; // refused: nothing was allotted
    txtAffiliateID->setText(QString::number(CurrentRecord));
    txtDate->setText(toQString(formatDate(today(), editorContext().rules)));
    Remember_shown();
}

void MemberEditor::To_frm() {
    const MemberRecord record = MemberRecord::decode(RecordBuffer.data());
    const LocaleRules& rules = editorContext().rules;
    txtName->setText(toQString(record.Name));
    txtSurname->setText(toQString(record.Surname));
    txtStreet->setText(toQString(record.Street));
    txtCity->setText(toQString(record.City));
    txtPost_Cod->setText(toQString(record.Post_Cod));
    txtCountry->setText(toQString(record.Country));
    txtPhone->setText(toQString(record.Phone));
    txtE_mail->setText(toQString(record.E_mail));
    txtURL->setText(toQString(record.URL));
    // The member shown is the record read: its number is its identifier, whatever the stored
    // field says, so that a save can never be redirected onto another member.
    txtAffiliateID->setText(QString::number(CurrentRecord));
    txtRef_ID->setText(toQString(formatInt(record.Ref_ID)));
    txtEgold_ID->setText(toQString(formatInt(record.Egold_ID)));
    txtLevel->setText(toQString(formatInt(record.Level)));
    txtDate->setText(toQString(formatDate(record.Date, rules)));
    cmbAP_ID->setEditText(toQString(formatInt(record.AP_ID)));
    txtCurrent_Record->setText(QString::number(CurrentRecord));
    updateTreeButton();

    txtAdditional_Info->clear();
    Shown.forgetSideFile(txtAdditional_Info);
    if (!Report(ensureFolder(editorContext().dir, Folder::Addinfo)))
        return;
    SidePath = sidePathOf(CurrentRecord);
    auto info = readSideFile(SidePath);
    if (!info) {
        Report(info.error());
        return;
    }
    setMultiLineText(txtAdditional_Info, info->text);
    Shown.rememberSideFile(txtAdditional_Info, std::move(info->bytes));
}

} // namespace zelt
