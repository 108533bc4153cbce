// Saving a member: the presence checks, the conversions, the texts trimmed and cut, the level
// from the referrer, the referrer checks, the record and its additional info file.
#include "editors/field_text.h"
#include "editors/member_editor.h"
#include "search/member_search_referrer.h"
#include "shell/message_table.h"
#include "storage/app_context.h"
#include "storage/app_paths.h"
#include "storage/code_page.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"
#include "storage/member_count.h"
#include "storage/member_record.h"
#include "storage/member_rules.h"
#include "storage/number_text.h"
#include "storage/side_text.h"
#include "storage/whole_file_writer.h"
#include "ui/message_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zelt {

bool MemberEditor::checkPresence() {
    if (txtName->text().isEmpty()) {
        refuse(kMsgEnterData, txtName);
        return false;
    }
    // The identifier is never typed and always holds the record number: these two checks guard
    // the editor's own state, and the focus stays where it is.
    if (txtAffiliateID->text().isEmpty()) {
        refuse(kMsgEnterData, nullptr);
        return false;
    }
    if (parseInt32(singleLineText(txtAffiliateID), app().rules) != currentRecord_) {
        refuse(kMsgIncorrectValue, nullptr);
        return false;
    }
    for (QLineEdit* field : {txtRef_ID, txtDate}) {
        if (field->text().isEmpty()) {
            refuse(kMsgEnterData, field);
            return false;
        }
    }
    if (cmbAP_ID->currentText().isEmpty()) {
        refuse(kMsgSelectValue, cmbAP_ID);
        return false;
    }
    return true;
}

bool MemberEditor::convertFields() {
    const auto referrer = typedInt32(txtRef_ID);
    if (!referrer)
        return false;
    const auto date = typedDate(txtDate);
    if (!date)
        return false;
    // An empty Egold account is stored as 0.
    if (txtEgold_ID->text().isEmpty())
        txtEgold_ID->setText(QStringLiteral("0"));
    const auto egold = typedInt32(txtEgold_ID);
    if (!egold)
        return false;
    const auto scheme = typedInt16(cmbAP_ID->lineEdit(), cmbAP_ID);
    if (!scheme)
        return false;
    typed_.Ref_ID = *referrer;
    typed_.Date = *date;
    typed_.Egold_ID = *egold;
    typed_.AP_ID = *scheme;
    return true;
}

bool MemberEditor::buildRecord() {
    MemberRecord record = typed_;
    bool cut = false;
    bool replaced = false;
    // A text the operator has not changed keeps its stored bytes (copied below) and is shown
    // as it is; a changed one is stored without surrounding blanks, cut to its width and with
    // "?" for what the code page cannot store, and the field shows it so.
    const auto text = [&](QLineEdit* field, std::size_t width) {
        if (shown_.keepsStored(field))
            return std::string();
        StoredText stored = storedText(singleLineText(field), width);
        cut = cut || stored.cut;
        replaced = replaced || stored.replaced;
        if (toQString(stored.text) != field->text())
            field->setText(toQString(stored.text));
        return std::move(stored.text);
    };
    record.Name = text(txtName, 20);
    record.Surname = text(txtSurname, 20);
    record.Street = text(txtStreet, 20);
    record.City = text(txtCity, 20);
    record.Post_Cod = text(txtPost_Cod, 10);
    record.Country = text(txtCountry, 20);
    record.Phone = text(txtPhone, 15);
    record.E_mail = text(txtE_mail, 30);
    record.URL = text(txtURL, 30);
    record.AffiliateID = currentRecord_;

    // The level follows the referrer's stored level; a referrer that is no stored record
    // leaves it unset, and the referrer checks refuse the save.
    std::optional<std::int32_t> referrerLevel;
    if (levelNeedsReferrer(record.Ref_ID)) {
        auto lookup = dataFile_.read(record.Ref_ID);
        if (!lookup) {
            report(lookup.error());
            return false;
        }
        if (*lookup)
            referrerLevel = field::getInt32((*lookup)->data() + MemberRecord::kLevel);
    }
    const MemberLevel level = levelFromReferrer(record.Ref_ID, referrerLevel);
    levelState_ = level.state;
    record.Level = level.level;
    recordBuffer_ = record.encode();
    for (const auto& [field, place] : {std::pair{txtName, MemberRecord::kName},
                                       {txtSurname, MemberRecord::kSurname},
                                       {txtStreet, MemberRecord::kStreet},
                                       {txtCity, MemberRecord::kCity},
                                       {txtPost_Cod, MemberRecord::kPost_Cod},
                                       {txtCountry, MemberRecord::kCountry},
                                       {txtPhone, MemberRecord::kPhone},
                                       {txtE_mail, MemberRecord::kE_mail},
                                       {txtURL, MemberRecord::kURL}})
        shown_.keepStored(field, recordBuffer_, place.offset, place.width);
    shown_.keepStored(txtRef_ID, recordBuffer_, MemberRecord::kRef_ID, 4);
    shown_.keepStored(txtEgold_ID, recordBuffer_, MemberRecord::kEgold_ID, 4);
    shown_.keepStored(cmbAP_ID, recordBuffer_, MemberRecord::kAP_ID, 2);
    shown_.keepStored(txtDate, recordBuffer_, MemberRecord::kDate, 8);
    recordTextsReplaced_ = replaced;

    if (cut)
        showMessage(QString::fromLatin1(kMsgTruncated), this);
    return true;
}

bool MemberEditor::checkRecord() {
    const std::int32_t referrer = typed_.Ref_ID;
    bool found = true;
    if (referrerIsSearched(referrer, currentRecord_, recordCount_)) {
        const auto stored = memberIdStored(dataFile_, recordCount_, referrer);
        if (!stored) {
            report(stored.error());
            return false;
        }
        found = *stored;
    }
    switch (referrerVerdict(referrer, currentRecord_, recordCount_, found, levelState_)) {
    case ReferrerVerdict::Accepted:
        return true;
    case ReferrerVerdict::NotStored:
        refuse(kMsgNoRecord, txtRef_ID);
        return false;
    case ReferrerVerdict::IncorrectValue:
        break;
    }
    refuse(kMsgIncorrectValue, txtRef_ID);
    return false;
}

bool MemberEditor::checkSideFiles() {
    // An additional info file that is there but cannot be read is never replaced by a save:
    // its text may not be what the field shows.
    return sideFileReadable(sidePathOf(currentRecord_));
}

bool MemberEditor::textsReplaced() const {
    return recordTextsReplaced_ || (!shown_.keepsStored(txtAdditional_Info) &&
                                    encodeCp1252(multiLineText(txtAdditional_Info)).replaced);
}

bool MemberEditor::saveSideTexts() {
    if (!report(ensureFolder(app().dir, Folder::Addinfo)))
        return false;
    const std::string path = sidePathOf(currentRecord_);
    // Written at every save, also when empty: every stored member has its file. A text the
    // operator has not changed is written back with exactly the bytes it was read from (and
    // left alone when its file could not be read).
    if (shown_.keepsStored(txtAdditional_Info)) {
        const std::optional<std::string>* shown = shown_.sideFile(txtAdditional_Info);
        if (!shown)
            return true;
        if (*shown)
            return report(writeWholeFile(path, **shown));
    }
    const std::string text = multiLineText(txtAdditional_Info);
    if (!report(writeSideText(path, text)))
        return false;
    shown_.rememberSideFile(txtAdditional_Info, encodeCp1252(text).bytes + "\r\n");
    return true;
}

RecordEditor::SaveSteps MemberEditor::saveSteps() const {
    // The record number is checked before the conversions. The fields are not shown again:
    // they hold the texts as stored, and the level shows what it showed before until the
    // member is next shown.
    return {.numberCheckedFirst = true, .numberShownOnWrite = true, .recordShownAfter = false};
}

} // namespace zelt
