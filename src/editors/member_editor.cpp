#include "editors/member_editor.h"

#include "editors/field_text.h"
#include "shell/message_table.h"
#include "storage/app_context.h"
#include "storage/app_paths.h"
#include "storage/date_text.h"
#include "storage/member_count.h"
#include "storage/member_record.h"
#include "storage/number_text.h"
#include "storage/record_kind.h"
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

MemberEditor::MemberEditor(const AppContext& app, QWidget* parent)
    : RecordEditor(app, MemberRecord::kLength, RecordKind::Members, parent) {
    setObjectName(QStringLiteral("frmAffiliates"));
    arrangeWindow();
}

std::string MemberEditor::sidePathOf(std::int32_t n) const {
    return sideFilePath(app().dir, RecordKind::Members, SideText::AdditionalInfo, n);
}

void MemberEditor::fillCaptions() {
    setWindowTitle(QStringLiteral("Members "));
    cmdGoTo->setText(QStringLiteral("Go To the record N"));
    fileName_ = MemberRecord::kFileName;
}

std::int32_t MemberEditor::countSchemes() {
    auto schemes = RecordFile::open(filePath(app().dir, Folder::Data, SchemeRecord::kFileName),
                                    SchemeRecord::kLength);
    if (!schemes) {
        report(schemes.error());
        return -1;
    }
    const auto count = schemes->count();
    schemes->close();
    if (!count) {
        report(count.error());
        return -1;
    }
    return *count;
}

void MemberEditor::load() {
    fillCaptions();
    if (!report(ensureFolder(app().dir, Folder::Data))) {
        loadFailed_ = true;
        disableEditor();
        return;
    }
    const std::int32_t schemes = countSchemes();
    if (schemes < 0) {
        loadFailed_ = true;
        disableEditor();
        return;
    }
    if (schemes == 0) {
        // Without a scheme no member can be stored: the members file is not opened, and the
        // window can only be closed.
        showMessage(kMsgCreateSchemes, this);
        disableEditor();
        return;
    }
    QStringList numbers;
    const std::int32_t offered = offeredSchemes(schemes);
    numbers.reserve(offered);
    for (std::int32_t n = 1; n <= offered; ++n)
        numbers.append(QString::number(n));
    cmbAP_ID->addItems(numbers);
    cmbAP_ID->setCurrentIndex(-1);
    cmbAP_ID->clearEditText();
    RecordEditor::load();
}

void MemberEditor::setFieldsEnabled(bool enabled) {
    for (QWidget* field : std::initializer_list<QWidget*>{
             txtName, txtSurname, txtStreet, txtCity, txtPost_Cod, txtCountry, txtPhone, txtE_mail,
             txtURL, txtRef_ID, txtAdditional_Info, txtDate, txtEgold_ID, cmbAP_ID})
        field->setEnabled(enabled);
    txtAffiliateID->setEnabled(false);
    txtLevel->setEnabled(false);
}

QList<QWidget*> MemberEditor::typedFields() const {
    return {txtName,   txtSurname, txtStreet, txtCity, txtPost_Cod, txtCountry, txtPhone,
            txtE_mail, txtURL,     txtRef_ID, txtDate, txtEgold_ID, cmbAP_ID,   txtAdditional_Info};
}

void MemberEditor::clearFields() {
    for (QLineEdit* field :
         {txtName, txtSurname, txtStreet, txtCity, txtPost_Cod, txtCountry, txtPhone, txtE_mail,
          txtURL, txtAffiliateID, txtRef_ID, txtDate, txtLevel, txtEgold_ID, txtCurrent_Record})
        field->clear();
    txtAdditional_Info->clear();
    cmbAP_ID->setCurrentIndex(-1);
    cmbAP_ID->clearEditText();
}

void MemberEditor::showNoRecord() {
    clearFields();
    txtCurrent_Record->setText(QString::number(currentRecord_));
    txtAffiliateID->setText(QString::number(currentRecord_));
    updateTreeButton();
}

void MemberEditor::onCmdCreateClicked() {
    RecordEditor::onCmdCreateClicked();
    if (editMode_ != Mode::Creating)
        return; // refused: nothing was allotted
    txtAffiliateID->setText(QString::number(currentRecord_));
    txtDate->setText(toQString(formatDate(today(), app().rules)));
    rememberShown();
}

void MemberEditor::showFields() {
    const MemberRecord record = MemberRecord::decode(recordBuffer_.data());
    const LocaleRules& rules = app().rules;
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
    txtAffiliateID->setText(QString::number(currentRecord_));
    txtRef_ID->setText(toQString(formatInt(record.Ref_ID)));
    txtEgold_ID->setText(toQString(formatInt(record.Egold_ID)));
    txtLevel->setText(toQString(formatInt(record.Level)));
    txtDate->setText(toQString(formatDate(record.Date, rules)));
    cmbAP_ID->setEditText(toQString(formatInt(record.AP_ID)));
    txtCurrent_Record->setText(QString::number(currentRecord_));
    updateTreeButton();

    txtAdditional_Info->clear();
    shown_.forgetSideFile(txtAdditional_Info);
    if (!report(ensureFolder(app().dir, Folder::Addinfo)))
        return;
    showSideFile(txtAdditional_Info, sidePathOf(currentRecord_));
}

} // namespace zelt
