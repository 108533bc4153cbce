#pragma once

#include "editors/record_editor.h"

#include <cstdint>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zelt {

class GridView;

// The sale editor frmSales and the payment editor frmPayments: one design in two windows, which
// differ only in names, captions and files. Each record has a details side file in "addinfo"
// (s<n>.txt for sales, p<n>.txt for payments), and the window holds the search by date and
// member.
class SaleEditor : public RecordEditor {
    Q_OBJECT

public:
    enum class Kind { Sales, Payments };

    explicit SaleEditor(Kind kind, QWidget* parent = nullptr);

    void Fill_captions() override;
    void Verify_types(std::int16_t& res) override;
    bool From_frm() override;
    void To_frm() override;
    void Clear_frm() override;
    void InputFields(bool& fl) override;

    // The search (cmdDisplay) and the grid's row choice.
    void cmdDisplay_Click();
    void MSFGView_RowChosen(const QString& column0Text);

protected:
    QList<QWidget*> Typed_fields() const override;
    bool Check_presence() override;
    bool Check_values() override;
    bool Check_side_files() override;
    bool Texts_replaced() const override;
    bool Save_side_texts() override;
    void Show_no_record() override;
    void Disable_editor() override;

private:
    void createFields();
    void createSearchFrame();
    void arrangeWindow();
    // <AppDir>/addinfo/s<n>.txt or p<n>.txt
    std::string sidePathOf(std::int32_t n) const;

    const Kind kind_;
    std::string SidePath;

    QLabel* lblLabel1;
    QLineEdit* txtAffiliateID;
    QLabel* lblLabel2;
    QLineEdit* txtSum;
    QLabel* lblLabel3;
    QLineEdit* txtDate;
    QLabel* Label1;
    QPlainTextEdit* txtDetails;

    QGroupBox* frameView;
    QLabel* lblLabel4;
    QLineEdit* txtSdate;
    QLabel* lblLabel5;
    QLineEdit* txtSAffID;
    QPushButton* cmdDisplay;
    GridView* MSFGView;
};

} // namespace zelt
