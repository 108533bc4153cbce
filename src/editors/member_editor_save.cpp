// Saving a member: the presence checks, the conversions, the texts trimmed and cut, the level
// from the referrer, the referrer checks, the record and its additional info file.
#include "editors/editor_context.h"
#include "editors/field_text.h"
#include "editors/member_editor.h"
#include "search/member_search_referrer.h"
#include "shell/message_table.h"
#include "storage/app_paths.h"
#include "storage/code_page.h"
#include "storage/date_text.h"
#include "storage/field_codec.h"
#include "storage/member_count.h"
#include "storage/member_record.h"
#include "storage/number_text.h"
#include "storage/side_text.h"
#include "storage/whole_file_writer.h"
#include "ui/message_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <limits>

namespace zelt {

namespace {

std::string withoutBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// What From_frm noticed about the texts it stored.
struct TextChanges {
    bool cut = false;
    bool replaced = false;
};

// A text field as it will be stored: without surrounding blanks, cut to its width in
// characters, and with "?" for every character that Windows-1252 cannot store. Puts that text
// back into the field, and notes what changed.
std::string storedText(QLineEdit* field, std::size_t width, TextChanges& changes) {
    std::string text = withoutBlanks(singleLineText(field));
    if (characterCount(text) > width) {
        text = firstCharacters(text, width);
        changes.cut = true;
    }
    const EncodedText encoded = encodeCp1252(text);
    if (encoded.replaced) {
        changes.replaced = true;
        text = decodeCp1252(encoded.bytes);
    }
    if (toQString(text) != field->text())
        field->setText(toQString(text));
    return text;
}

} // namespace

bool MemberEditor::Check_presence() {
    if (txtName->text().isEmpty()) {
        Refuse(kMsgEnterData, txtName);
        return false;
    }
    // The identifier is never typed and always holds CurrentRecord: these two checks guard the
    // editor's own state, and the focus stays where it is.
    if (txtAffiliateID->text().isEmpty()) {
        Refuse(kMsgEnterData, nullptr);
        return false;
    }
    if (parseInt32(singleLineText(txtAffiliateID), editorContext().rules) != CurrentRecord) {
        Refuse(kMsgIncorrectValue, nullptr);
        return false;
    }
    for (QLineEdit* field : {txtRef_ID, txtDate}) {
        if (field->text().isEmpty()) {
            Refuse(kMsgEnterData, field);
            return false;
        }
    }
    if (cmbAP_ID->currentText().isEmpty()) {
        Refuse(kMsgSelectValue, cmbAP_ID);
        return false;
    }
    return true;
}

void MemberEditor::Verify_types(std::int16_t& res) {
    const LocaleRules& rules = editorContext().rules;
    res = 0;
    if (!parseInt32(singleLineText(txtRef_ID), rules)) {
        Refuse(kMsgIncorrectValue, txtRef_ID);
        return;
    }
    if (!parseDate(singleLineText(txtDate), rules)) {
        Refuse(kMsgIncorrectValue, txtDate);
        return;
    }
    // An empty Egold account is stored as 0.
    if (txtEgold_ID->text().isEmpty())
        txtEgold_ID->setText(QStringLiteral("0"));
    if (!parseInt32(singleLineText(txtEgold_ID), rules)) {
        Refuse(kMsgIncorrectValue, txtEgold_ID);
        return;
    }
    if (!parseInt16(singleLineText(cmbAP_ID->lineEdit()), rules)) {
        Refuse(kMsgIncorrectValue, cmbAP_ID);
        return;
    }
    res = 1;
}

bool MemberEditor::From_frm() {
    MemberRecord record;
    TextChanges changes;
    // A text the operator has not changed keeps its stored bytes (copied below) and is shown
    // as it is.
    const auto text = [&](QLineEdit* field, std::size_t width) {
        return Shown.keepsStored(field) ? std::string() : storedText(field, width, changes);
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

    const LocaleRules& rules = editorContext().rules;
    const auto referrer = parseInt32(singleLineText(txtRef_ID), rules);
    const auto egold = parseInt32(singleLineText(txtEgold_ID), rules);
    const auto date = parseDate(singleLineText(txtDate), rules);
    const auto scheme = parseInt16(singleLineText(cmbAP_ID->lineEdit()), rules);
    if (!referrer || !egold || !date || !scheme) {
        showMessage(kMsgIncorrectValue, this);
        return false;
    }
    record.AffiliateID = CurrentRecord;
    record.Ref_ID = *referrer;
    record.Egold_ID = *egold;
    record.Date = *date;
    record.AP_ID = *scheme;

    // The level follows the referrer's stored level; a referrer that is no stored record
    // leaves it unset, and the referrer checks refuse the save.
    savedRef_ID = record.Ref_ID;
    levelState = LevelState::Unset;
    if (record.Ref_ID == 0) {
        record.Level = 1;
        levelState = LevelState::Known;
    } else if (record.Ref_ID > 0) {
        auto lookup = DataFile.read(record.Ref_ID);
        if (!lookup) {
            Report(lookup.error());
            return false;
        }
        if (*lookup) {
            const std::int32_t level = field::getInt32((*lookup)->data() + MemberRecord::kLevel);
            if (level == std::numeric_limits<std::int32_t>::max()) {
                levelState = LevelState::Overflow;
            } else {
                record.Level = level + 1;
                levelState = LevelState::Known;
            }
        }
    }
    RecordBuffer = record.encode();
    for (const auto& [field, place] : {std::pair{txtName, MemberRecord::kName},
                                       {txtSurname, MemberRecord::kSurname},
                                       {txtStreet, MemberRecord::kStreet},
                                       {txtCity, MemberRecord::kCity},
                                       {txtPost_Cod, MemberRecord::kPost_Cod},
                                       {txtCountry, MemberRecord::kCountry},
                                       {txtPhone, MemberRecord::kPhone},
                                       {txtE_mail, MemberRecord::kE_mail},
                                       {txtURL, MemberRecord::kURL}})
        Shown.keepStored(field, RecordBuffer, place.offset, place.width);
    Shown.keepStored(txtRef_ID, RecordBuffer, MemberRecord::kRef_ID, 4);
    Shown.keepStored(txtEgold_ID, RecordBuffer, MemberRecord::kEgold_ID, 4);
    Shown.keepStored(cmbAP_ID, RecordBuffer, MemberRecord::kAP_ID, 2);
    Shown.keepStored(txtDate, RecordBuffer, MemberRecord::kDate, 8);
    recordTextsReplaced = changes.replaced;

    if (changes.cut)
        showMessage(QString::fromLatin1(kMsgTruncated), this);
    if (Texts_replaced())
        showMessage(QString::fromLatin1(kMsgReplacedCharacters), this);
    return true;
}

bool MemberEditor::Check_referrer() {
    const std::int32_t referrer = savedRef_ID;
    if (referrer < 0 || referrer == CurrentRecord) {
        Refuse(kMsgIncorrectValue, txtRef_ID);
        return false;
    }
    if (referrer == 0)
        return true; // no referrer: always accepted, nothing to search
    if (RecordCount > 1) {
        const auto found = memberIdStored(DataFile, RecordCount, referrer);
        if (!found) {
            Report(found.error());
            return false;
        }
        if (!*found) {
            Refuse(kMsgNoRecord, txtRef_ID);
            return false;
        }
    }
    if (referrer > RecordCount || levelState != LevelState::Known) {
        Refuse(kMsgIncorrectValue, txtRef_ID);
        return false;
    }
    return true;
}

bool MemberEditor::Check_side_files() {
    // An additional info file that is there but cannot be read is never replaced by a save:
    // its text may not be what the field shows.
    const auto info = readSideText(sidePathOf(CurrentRecord));
    if (!info) {
        Report(info.error());
        return false;
    }
    return true;
}

bool MemberEditor::Texts_replaced() const {
    return recordTextsReplaced || (!Shown.keepsStored(txtAdditional_Info) &&
                                   encodeCp1252(multiLineText(txtAdditional_Info)).replaced);
}

bool MemberEditor::Save_side_texts() {
    if (!Report(ensureFolder(editorContext().dir, Folder::Addinfo)))
        return false;
    SidePath = sidePathOf(CurrentRecord);
    // Written at every save, also when empty: every stored member has its file. A text the
    // operator has not changed is written back with exactly the bytes it was read from (and
    // left alone when its file could not be read).
    if (Shown.keepsStored(txtAdditional_Info)) {
        const std::optional<std::string>* shown = Shown.sideFile(txtAdditional_Info);
        if (!shown)
            return true;
        if (*shown)
            return Report(writeWholeFile(SidePath, **shown));
    }
    const std::string text = multiLineText(txtAdditional_Info);
    if (!Report(writeSideText(SidePath, text)))
        return false;
    Shown.rememberSideFile(txtAdditional_Info, encodeCp1252(text).bytes + "\r\n");
    return true;
}

void MemberEditor::cmdSave_Click() {
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
    if (!Check_referrer())
        return;
    if (!Write_record())
        return;
    CurrentStored = true;
    txtCurrent_Record->setText(QString::number(CurrentRecord));
    Recount_records();
    // When the additional info cannot be written the record is stored but the screen stays as
    // it is, so that nothing typed is lost and the save can be repeated.
    if (!Save_side_texts())
        return;
    // The fields are not shown again: they hold the texts as stored, and the level shows what
    // it showed before until the member is next shown.
    Enabled_frm(EditMode);
    Remember_shown();
}

} // namespace zelt
