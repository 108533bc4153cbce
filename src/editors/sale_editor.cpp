#include "editors/sale_editor.h"

#include "editors/editor_context.h"
#include "editors/field_text.h"
#include "shell/message_table.h"
#include "storage/app_paths.h"
#include "storage/code_page.h"
#include "storage/date_text.h"
#include "storage/member_count.h"
#include "storage/number_text.h"
#include "storage/sale_record.h"
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

SaleEditor::SaleEditor(Kind kind, QWidget* parent)
    : RecordEditor(SaleRecord::kLength, exportKindOf(kind), parent), kind_(kind) {
    setObjectName(kind == Kind::Sales ? QStringLiteral("frmSales") : QStringLiteral("frmPayments"));
    createFields();
    createSearchFrame();
    arrangeWindow();
}

std::string SaleEditor::sidePathOf(std::int32_t n) const {
    const char* prefix = kind_ == Kind::Sales ? "s" : "p";
    return filePath(editorContext().dir, Folder::Addinfo, prefix + formatInt(n) + ".txt");
}

void SaleEditor::Fill_captions() {
    const bool sales = kind_ == Kind::Sales;
    setWindowTitle(sales ? QStringLiteral("Sales") : QStringLiteral("Payments"));
    lblLabel1->setText(QStringLiteral("Member's ID"));
    lblLabel2->setText(sales ? QStringLiteral("Sum ") : QStringLiteral("Sum of Payment"));
    lblLabel3->setText(QStringLiteral("Date"));
    if (sales)
        Label1->setText(QStringLiteral("Details"));
    frameView->setTitle(QStringLiteral("Search"));
    lblLabel4->setText(QStringLiteral("Date"));
    lblLabel5->setText(QStringLiteral("Member's ID"));
    cmdDisplay->setText(QStringLiteral("Find"));
    cmdGoTo->setText(QStringLiteral("Go to the record N"));
    cmdCreate->setText(QStringLiteral("Create a new record"));
    cmdEdit->setText(QStringLiteral("Edit this record"));
    cmdSave->setText(QStringLiteral("Save this record"));
    filenm = sales ? "sales.kvr" : "payments.kvr";
    cmdSaveThisRecord->setText(QStringLiteral("Save this record as txt"));
    cmdSaveAllRecords->setText(QStringLiteral("Save all records as txt"));
}

void SaleEditor::InputFields(bool& fl) {
    for (QLineEdit* field : {txtAffiliateID, txtSum, txtDate})
        field->setEnabled(fl);
}

QList<QWidget*> SaleEditor::Typed_fields() const {
    return {txtAffiliateID, txtSum, txtDate, txtDetails};
}

void SaleEditor::Clear_frm() {
    txtAffiliateID->clear();
    txtSum->clear();
    txtDetails->clear();
    txtDate->setText(toQString(formatDate(today(), editorContext().rules)));
}

void SaleEditor::Show_no_record() {
    for (QLineEdit* field : {txtAffiliateID, txtSum, txtDate})
        field->clear();
    txtDetails->clear();
    txtCurrent_Record->setText(QString::number(CurrentRecord));
}

void SaleEditor::To_frm() {
    const SaleRecord record = SaleRecord::decode(RecordBuffer.data());
    const LocaleRules& rules = editorContext().rules;
    txtAffiliateID->setText(toQString(formatInt(record.MemberID)));
    txtSum->setText(toQString(formatSingle(record.Sum, rules)));
    txtDate->setText(toQString(formatDate(record.Date, rules)));
    txtCurrent_Record->setText(QString::number(CurrentRecord));

    txtDetails->clear();
    if (!Report(ensureFolder(editorContext().dir, Folder::Addinfo)))
        return;
    SidePath = sidePathOf(CurrentRecord);
    const auto details = readSideFile(SidePath);
    if (!details) {
        Report(details.error());
        return;
    }
    setMultiLineText(txtDetails, details->text);
}

void SaleEditor::Verify_types(std::int16_t& res) {
    const LocaleRules& rules = editorContext().rules;
    res = 0;
    if (!parseInt32(singleLineText(txtAffiliateID), rules)) {
        Refuse(kMsgIncorrectValue, txtAffiliateID);
        return;
    }
    if (!parseSingle(singleLineText(txtSum), rules)) {
        Refuse(kMsgIncorrectValue, txtSum);
        return;
    }
    if (!parseDate(singleLineText(txtDate), rules)) {
        Refuse(kMsgIncorrectValue, txtDate);
        return;
    }
    res = 1;
}

bool SaleEditor::From_frm() {
    const LocaleRules& rules = editorContext().rules;
    const auto member = parseInt32(singleLineText(txtAffiliateID), rules);
    const auto sum = parseSingle(singleLineText(txtSum), rules);
    const auto date = parseDate(singleLineText(txtDate), rules);
    if (!member || !sum || !date) {
        showMessage(kMsgIncorrectValue, this);
        return false;
    }
    SaleRecord record;
    record.MemberID = *member;
    record.Sum = *sum == 0 ? 0.0f : *sum; // a typed -0 is stored as 0
    record.Date = *date;
    RecordBuffer = record.encode();
    // Fields the operator has not changed keep their stored bytes.
    Shown.keepStored(txtAffiliateID, RecordBuffer, 0, 4);
    Shown.keepStored(txtSum, RecordBuffer, 4, 4);
    Shown.keepStored(txtDate, RecordBuffer, 8, 8);
    if (!Shown.keepsStored(txtSum)) {
        if (const auto written = sumStoredAs(singleLineText(txtSum), rules))
            showMessage(QString::fromLatin1(kMsgStoredAs) + toQString(*written), this);
    }
    return true;
}

bool SaleEditor::Check_presence() {
    for (QLineEdit* field : {txtAffiliateID, txtSum, txtDate}) {
        if (field->text().isEmpty()) {
            Refuse(kMsgEnterData, field);
            return false;
        }
    }
    return true;
}

bool SaleEditor::Check_values() {
    const LocaleRules& rules = editorContext().rules;
    const std::int32_t member = parseInt32(singleLineText(txtAffiliateID), rules).value_or(0);
    if (member < 1) {
        Refuse(kMsgIncorrectValue, txtAffiliateID);
        return false;
    }
    const auto members = countMembers(editorContext().dir);
    if (!members) {
        Report(members.error());
        return false;
    }
    if (member > *members) {
        Refuse(kMsgNoMember, txtAffiliateID);
        return false;
    }
    if (parseSingle(singleLineText(txtSum), rules).value_or(0) < 0) {
        Refuse(kMsgIncorrectValue, txtSum);
        return false;
    }
    return true;
}

bool SaleEditor::Check_side_files() {
    // A details file that is there but cannot be read is never replaced by a save: its text
    // may not be what the field shows.
    const auto details = readSideText(sidePathOf(CurrentRecord));
    if (!details) {
        Report(details.error());
        return false;
    }
    return true;
}

bool SaleEditor::Texts_replaced() const {
    return !Shown.keepsStored(txtDetails) && encodeCp1252(multiLineText(txtDetails)).replaced;
}

bool SaleEditor::Save_side_texts() {
    if (!Report(ensureFolder(editorContext().dir, Folder::Addinfo)))
        return false;
    SidePath = sidePathOf(CurrentRecord);
    // Empty details write nothing and keep an earlier details file; details the operator has
    // not changed are not written again.
    if (txtDetails->toPlainText().isEmpty() || Shown.keepsStored(txtDetails))
        return true;
    return Report(writeSideText(SidePath, multiLineText(txtDetails)));
}

} // namespace zelt
