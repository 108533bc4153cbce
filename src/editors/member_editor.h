#pragma once

#include "editors/record_editor.h"
#include "storage/member_record.h"
#include "storage/member_rules.h"

#include <cstdint>
#include <string>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zelt {

// The member editor frmAffiliates. Beyond the framework it needs the payment schemes (without
// any it never opens the members file), allots a new member's identifier at creation, checks
// the referrer on save and works out the member's level from the referrer's, and writes the
// member's additional info file (addinfo/<n>.txt) at every save. Its search frame finds
// members by name, surname, e-mail, referrer and Egold account.
class MemberEditor : public RecordEditor {
    Q_OBJECT

public:
    explicit MemberEditor(const AppContext& app, QWidget* parent = nullptr);

    void load() override;
    void onCmdCreateClicked() override;
    // The search by name, surname, e-mail, referrer and Egold account.
    void onCmdDisplayClicked() override;
    // The referral tree of the member shown, in the one tree window.
    void onCmdTreeClicked();

protected:
    void fillCaptions() override;
    void showFields() override;
    void clearFields() override;
    void applyMode(Mode mode) override;
    void setFieldsEnabled(bool enabled) override;
    QList<QWidget*> typedFields() const override;
    bool checkPresence() override;
    bool convertFields() override;
    bool checkSideFiles() override;
    bool buildRecord() override;
    bool textsReplaced() const override;
    bool checkRecord() override;
    bool saveSideTexts() override;
    SaveSteps saveSteps() const override;
    void showNoRecord() override;
    void disableEditor() override;

private:
    void arrangeWindow();
    // Number of payment schemes (records of data/apsettings.kvr, created empty when missing);
    // -1 after reporting a failure.
    std::int32_t countSchemes();
    // cmdTree is enabled while a stored member is shown.
    void updateTreeButton();
    // <dir>/addinfo/<n>.txt
    std::string sidePathOf(std::int32_t n) const;

    // The values the last conversion took from the fields.
    MemberRecord typed_;
    // What buildRecord found out about the level, for the referrer checks that follow it.
    LevelState levelState_ = LevelState::Unset;
    bool recordTextsReplaced_ = false;

    QLineEdit* txtName;
    QLineEdit* txtSurname;
    QLineEdit* txtStreet;
    QLineEdit* txtCity;
    QLineEdit* txtPost_Cod;
    QLineEdit* txtCountry;
    QLineEdit* txtPhone;
    QLineEdit* txtE_mail;
    QLineEdit* txtURL;
    QLineEdit* txtAffiliateID;
    QLineEdit* txtRef_ID;
    QPlainTextEdit* txtAdditional_Info;
    QLineEdit* txtDate;
    QLineEdit* txtLevel;
    QLineEdit* txtEgold_ID;
    QComboBox* cmbAP_ID;

    QLineEdit* txtSname;
    QLineEdit* txtSsurname;
    QLineEdit* txtSemail;
    QLineEdit* txtSreferenceid;
    QLineEdit* txtSEgold_ID;
    QPushButton* cmdTree;
};

} // namespace zelt
