#include "editors/sale_editor.h"

#include "editors/field_text.h"
#include "shell/message_table.h"
#include "storage/app_context.h"
#include "storage/app_paths.h"
#include "storage/code_page.h"
#include "storage/date_text.h"
#include "storage/member_count.h"
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

RecordKind exportKindOf(SaleEditor::Kind kind) {
    return kind == SaleEditor::Kind::Sales ? RecordKind::Sales : RecordKind::Payments;
}

} // namespace

SaleEditor::SaleEditor(Kind kind, const AppContext& app, QWidget* parent)
    : RecordEditor(app, SaleRecord::kLength, exportKindOf(kind), parent), kind_(kind) {
    setObjectName(kind == Kind::Sales ? QStringLiteral("frmSales") : QStringLiteral("frmPayments"));
    arrangeWindow();
}

std::string SaleEditor::sidePathOf(std::int32_t n) const {
    return sideFilePath(app().dir, exportKindOf(kind_), SideText::AdditionalInfo, n);
}

void SaleEditor::fillCaptions() {
    const bool sales = kind_ == Kind::Sales;
    setWindowTitle(sales ? QStringLiteral("Sales") : QStringLiteral("Payments"));
    fileName_ = sales ? "sales.kvr" : "payments.kvr";
}

void SaleEditor::setFieldsEnabled(bool enabled) {
    for (QLineEdit* field : {txtAffiliateID, txtSum, txtDate})
        field->setEnabled(enabled);
}

QList<QWidget*> SaleEditor::typedFields() const {
    return {txtAffiliateID, txtSum, txtDate, txtDetails};
}

void SaleEditor::clearFields() {
    txtAffiliateID->clear();
    txtSum->clear();
    txtDetails->clear();
    txtDate->setText(toQString(formatDate(today(), app().rules)));
}

void SaleEditor::showNoRecord() {
    for (QLineEdit* field : {txtAffiliateID, txtSum, txtDate})
        field->clear();
    txtDetails->clear();
    txtCurrent_Record->setText(QString::number(currentRecord_));
}

void SaleEditor::showFields() {
    const SaleRecord record = SaleRecord::decode(recordBuffer_.data());
    const LocaleRules& rules = app().rules;
    txtAffiliateID->setText(toQString(formatInt(record.MemberID)));
    txtSum->setText(toQString(formatSingle(record.Sum, rules)));
    txtDate->setText(toQString(formatDate(record.Date, rules)));
    txtCurrent_Record->setText(QString::number(currentRecord_));

    txtDetails->clear();
    if (!report(ensureFolder(app().dir, Folder::Addinfo)))
        return;
    showSideFile(txtDetails, sidePathOf(currentRecord_));
}

bool SaleEditor::checkPresence() {
    for (QLineEdit* field : {txtAffiliateID, txtSum, txtDate}) {
        if (field->text().isEmpty()) {
            refuse(kMsgEnterData, field);
            return false;
        }
    }
    return true;
}

bool SaleEditor::convertFields() {
    const auto member = typedInt32(txtAffiliateID);
    if (!member)
        return false;
    const auto sum = typedSingle(txtSum);
    if (!sum)
        return false;
    const auto date = typedDate(txtDate);
    if (!date)
        return false;
    typed_.MemberID = *member;
    typed_.Sum = *sum == 0 ? 0.0f : *sum; // a typed -0 is stored as 0
    typed_.Date = *date;
    return true;
}

bool SaleEditor::checkValues() {
    if (typed_.MemberID < 1) {
        refuse(kMsgIncorrectValue, txtAffiliateID);
        return false;
    }
    const auto members = countMembers(app().dir);
    if (!members) {
        report(members.error());
        return false;
    }
    if (typed_.MemberID > *members) {
        refuse(kMsgNoMember, txtAffiliateID);
        return false;
    }
    if (typed_.Sum < 0) {
        refuse(kMsgIncorrectValue, txtSum);
        return false;
    }
    return true;
}

bool SaleEditor::checkSideFiles() {
    // A details file that is there but cannot be read is never replaced by a save: its text
    // may not be what the field shows.
    return sideFileReadable(sidePathOf(currentRecord_));
}

bool SaleEditor::buildRecord() {
    recordBuffer_ = typed_.encode();
    // Fields the operator has not changed keep their stored bytes.
    shown_.keepStored(txtAffiliateID, recordBuffer_, 0, 4);
    shown_.keepStored(txtSum, recordBuffer_, 4, 4);
    shown_.keepStored(txtDate, recordBuffer_, 8, 8);
    if (!shown_.keepsStored(txtSum)) {
        if (const auto written = sumStoredAs(singleLineText(txtSum), app().rules))
            showMessage(QString::fromLatin1(kMsgStoredAs) + toQString(*written), this);
    }
    return true;
}

bool SaleEditor::textsReplaced() const {
    return !shown_.keepsStored(txtDetails) && encodeCp1252(multiLineText(txtDetails)).replaced;
}

bool SaleEditor::saveSideTexts() {
    if (!report(ensureFolder(app().dir, Folder::Addinfo)))
        return false;
    // Empty details write nothing and keep an earlier details file; details the operator has
    // not changed are not written again.
    return writeChangedSideText(txtDetails, sidePathOf(currentRecord_));
}

} // namespace zelt
