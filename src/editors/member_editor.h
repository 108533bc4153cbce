#pragma once

#include "editors/record_editor.h"

#include <cstdint>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zelt {

class GridView;

// The member editor frmAffiliates. Beyond the framework it needs the payment schemes (without
// any it never opens the members file), allots a new member's identifier at creation, checks
// the referrer on save and works out the member's level from the referrer's, and writes the
// member's additional info file (addinfo/<n>.txt) at every save. Its search frame finds
// members by name, surname, e-mail, referrer and Egold account.
class MemberEditor : public RecordEditor {
    Q_OBJECT

public:
    explicit MemberEditor(QWidget* parent = nullptr);

    void Form_Load() override;
    void Fill_captions() override;
    void Verify_types(std::int16_t& res) override;
    bool From_frm() override;
    void To_frm() override;
    void Clear_frm() override;
    void InputFields(bool& fl) override;
    void Enabled_frm(std::int16_t& mode) override;

    void cmdCreate_Click() override;
    void cmdSave_Click() override;

    // The search (cmdDisplay) and the grid's row choice.
    void cmdDisplay_Click();
    void MSFGView_RowChosen(const QString& column0Text);
    // The referral tree of the member shown, in the one tree window.
    void cmdTree_Click();

protected:
    QList<QWidget*> Typed_fields() const override;
    bool Check_presence() override;
    bool Check_side_files() override;
    bool Texts_replaced() const override;
    bool Save_side_texts() override;
    void Show_no_record() override;
    void Disable_editor() override;

private:
    // What From_frm found out about the level, for the checks that follow it.
    enum class LevelState { Known, Unset, Overflow };

    void createFields();
    void createSearchFrame();
    void arrangeWindow();
    // Number of payment schemes (records of data/apsettings.kvr, created empty when missing);
    // -1 after reporting a failure.
    std::int32_t countSchemes();
    // cmdTree is enabled while a stored member is shown.
    void updateTreeButton();
    // The referrer checks of a save, after From_frm.
    bool Check_referrer();
    // <AppDir>/addinfo/<n>.txt
    static std::string sidePathOf(std::int32_t n);

    std::string SidePath;
    // From the last From_frm.
    std::int32_t savedRef_ID = 0;
    LevelState levelState = LevelState::Unset;
    bool recordTextsReplaced = false;

    QLabel* lblLabel1;
    QLineEdit* txtName;
    QLabel* lblLabel2;
    QLineEdit* txtSurname;
    QLabel* lblLabel3;
    QLineEdit* txtStreet;
    QLabel* lblLabel4;
    QLineEdit* txtCity;
    QLabel* lblLabel5;
    QLineEdit* txtPost_Cod;
    QLabel* lblLabel6;
    QLineEdit* txtCountry;
    QLabel* lblLabel7;
    QLineEdit* txtPhone;
    QLabel* lblLabel8;
    QLineEdit* txtE_mail;
    QLabel* lblLabel9;
    QLineEdit* txtURL;
    QLabel* lblLabel10;
    QLineEdit* txtAffiliateID;
    QLabel* lblLabel11;
    QLineEdit* txtRef_ID;
    QLabel* lblLabel12;
    QPlainTextEdit* txtAdditional_Info;
    QLabel* lblLabel13;
    QLineEdit* txtDate;
    QLabel* lblLabel14;
    QLineEdit* txtLevel;
    QLabel* Label1;
    QLineEdit* txtEgold_ID;
    QLabel* Label3;
    QComboBox* cmbAP_ID;

    QGroupBox* frameView;
    QLabel* lblLabel15;
    QLineEdit* txtSname;
    QLabel* lblLabel16;
    QLineEdit* txtSsurname;
    QLabel* lblLabel17;
    QLineEdit* txtSemail;
    QLabel* lblLabel18;
    QLineEdit* txtSreferenceid;
    QLabel* Label2;
    QLineEdit* txtSEgold_ID;
    QPushButton* cmdDisplay;
    GridView* MSFGView;
    QPushButton* cmdTree;
};

} // namespace zelt
